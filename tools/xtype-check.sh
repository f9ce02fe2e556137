#!/usr/bin/env bash
# Types the quadratic formula into the demonstration program in a real X server, keys
# only, and checks the formula that comes out.
#
# Starts ZelkEqDemo --print-data (Math typesetting, Modern keys, word shortcuts on, as it
# starts with no stored choices) in a private Xvfb server, empties the editor and types
#   x=(-b+-sqrt(b^2-4ac))/2a
# with no palette click: "+-" becomes the palette's ±, "sqrt" its square root, whose slot
# "(" opens and the matching ")" leaves, "^" a superscript that "-" leaves, and "/" a
# fraction whose numerator is the bracketed operand before it, its brackets dropped.
#
# Usage: tools/xtype-check.sh [build dir, default build] [screenshot, default <build>/xtype.png]
# Exit status 0 when Data is right.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shot=${2:-$build/xtype.png}

. tools/xsession.sh
xsession_start 900x700x24 "$build" "$shot"
# No choices stored from an earlier run: the demo's own start.
export XDG_CONFIG_HOME=$work/config

"$build/demo/ZelkEqDemo" --print-data >"$work/out" 2>"$work/err" &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelk' | head -1)
xdotool windowfocus --sync "$wid"
sleep 0.5
# Into the editor (the middle of the window), then empty it.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove --window "$wid" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 0.2
xdotool key --delay 40 ctrl+a ctrl+a Delete
typed='x=(-b+-sqrt(b^2-4ac))/2a'
xdotool type --delay 60 -- "$typed"
sleep 0.5
import -window root "$shot"
expected='EditArea(Simple(x)Simple(=)Division(EditArea(Simple(-)Simple(b)ExtSymbol(177)Root(EditArea(Simple(b)IndexTop(EditArea(Simple(2)))Simple(-)Simple(4)Simple(a)Simple(c))))EditArea(Simple(2)Simple(a))))'
actual=$(sed -n 's/^Data: //p' "$work/out" | tail -n 1)
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
if [ "$actual" != "$expected" ]; then
  echo "xtype-check: wrong Data" >&2
  echo "  expected: $expected" >&2
  echo "  actual:   $actual" >&2
  exit 1
fi
echo "xtype-check: ${#typed} keys, Data is right: $actual"
echo "xtype-check: screenshot $shot"
