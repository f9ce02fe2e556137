#!/usr/bin/env bash
# Types into the editor in a real X server and checks the formula that comes out.
#
# Starts tools/keydemo in a private Xvfb server and drives it with xdotool: a click on the
# first line; letters (one with Shift), digits and punctuation with the US layout; then,
# with the Russian layout, three Cyrillic letters (one with Shift), Ctrl+Я and Ctrl+Н (undo
# and redo where Ctrl+Z and Ctrl+Y stand); back on the US layout, Shift+Left three times selects the Cyrillic letters,
# Ctrl+C copies them, Right goes to the end, Ctrl+V pastes them, a typed z is taken back
# with Ctrl+Z, and Ctrl+A selects the line without changing it. Escape closes keydemo,
# and the last Data it printed must be the expected formula. Keeps the screenshot that
# shows the caret.
#
# Usage: tools/xkeys-check.sh [build dir, default build] [screenshot, default <build>/xkeys.png]
# Exit status 0 when Data is right. Needs xvfb-run, xdotool, setxkbmap and ImageMagick
# (tools/install-deps.sh) and a build with tests (keydemo is built with them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shot=${2:-$build/xkeys.png}

if [ -z "${ZELK_IN_XVFB:-}" ]; then
  ZELK_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$build" "$shot"
fi

expected='EditArea(Simple(x)Simple(Y)Simple(2)Simple(+)Simple(7)Simple(=)Simple(;)Simple(,)Simple(.)Simple(я)Simple(д)Simple(Б)Simple(я)Simple(д)Simple(Б))'

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM  # the X server, not the offscreen platform

setxkbmap us
"$build/tools/keydemo/keydemo" >"$work/out" 2>"$work/err" &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^keydemo$' | head -1)
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 40 40 click 1

xdotool type --delay 30 'xY2+7=;,.'
setxkbmap ru
xdotool key --delay 30 Cyrillic_ya Cyrillic_de shift+Cyrillic_be ctrl+Cyrillic_ya ctrl+Cyrillic_en
setxkbmap us
xdotool key --delay 30 shift+Left shift+Left shift+Left ctrl+c Right ctrl+v z ctrl+z ctrl+a
sleep 0.3

# The caret blinks (500 ms on, 500 ms off): of four shots over 0.6 s, keep the darkest.
best="" best_mean=2
for i in 0 1 2 3; do
  import -window root "$work/shot-$i.png"
  mean=$(convert "$work/shot-$i.png" -colorspace Gray -threshold 50% -format '%[fx:mean]' info:)
  if awk -v m="$mean" -v b="$best_mean" 'BEGIN { exit !(m < b) }'; then best=$work/shot-$i.png best_mean=$mean; fi
  sleep 0.2
done
cp "$best" "$shot"

setxkbmap us
xdotool key Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "xkeys-check: keydemo did not close on Escape" >&2
  exit 1
fi
wait "$pid" || { echo "xkeys-check: keydemo failed" >&2; cat "$work/err" >&2; exit 1; }
pid=""

actual=$(sed -n 's/^Data: //p' "$work/out" | tail -n 1)
if [ "$actual" != "$expected" ]; then
  echo "xkeys-check: wrong Data" >&2
  echo "  expected: $expected" >&2
  echo "  actual:   $actual" >&2
  exit 1
fi
echo "xkeys-check: Data is right: $actual"
echo "xkeys-check: screenshot $shot"
