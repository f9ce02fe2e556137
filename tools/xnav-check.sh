#!/usr/bin/env bash
# Writes four everyday formulas in the Modern input style in a real X server, with keys
# only but for the palette's templates and signs, and checks the Data of each.
#
# Starts tools/keydemo --modern (an editor and a palette) in a private Xvfb server and
# drives it with xdotool. A palette button is clicked at the place keydemo prints for it
# ("Button <group> <index> <x> <y>"): first its category (group 0), then the button. Each
# formula starts in an emptied editor (Ctrl+A twice, Delete). The key sequences below are
# the whole of what a user presses; each formula prints how many keys and clicks it took.
#
# Usage: tools/xnav-check.sh [build dir, default build] [screenshot, default <build>/xnav.png]
# Exit status 0 when every Data is right.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shot=${2:-$build/xnav.png}

. tools/xsession.sh
xsession_start 1100x600x24 "$build" "$shot"

"$build/tools/keydemo/keydemo" --modern >"$work/out" 2>"$work/err" &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^keydemo$' | head -1)
xdotool windowfocus --sync "$wid"

# Waits for the n-th list of button places and keeps it in $work/buttons.
lists=0
await_buttons() {
  lists=$((lists + 1))
  for _ in $(seq 100); do
    [ "$(grep -c '^Buttons done' "$work/out")" -ge "$lists" ] && break
    sleep 0.05
  done
  awk -v n="$lists" '/^Buttons done/ { k++; next } k == n - 1 && /^Button / { print }' "$work/out" >"$work/buttons"
}

click() {  # group index
  local place
  place=$(awk -v g="$1" -v b="$2" '$2 == g && $3 == b { print $4, $5 }' "$work/buttons")
  [ -n "$place" ] || { echo "xnav-check: no button $1 $2 on screen" >&2; exit 1; }
  # shellcheck disable=SC2086
  xdotool mousemove $place click 1
  sleep 0.15
  count=$((count + 1))
}

current_group=-1
palette() {  # group index: opens the group unless it is open, then clicks the button
  if [ "$current_group" != "$1" ]; then
    click 0 $(($1 - 1))
    await_buttons
    current_group=$1
  fi
  click "$1" "$2"
}

keys() {  # xdotool key names
  xdotool key --delay 40 "$@"
  count=$((count + $#))
}

typed() {  # plain text, one key a character
  xdotool type --delay 40 -- "$1"
  count=$((count + ${#1}))
}

fails=0
check() {  # name expected
  sleep 0.3
  local actual
  actual=$(sed -n 's/^Data: //p' "$work/out" | tail -n 1)
  if [ "$actual" = "$2" ]; then
    echo "xnav-check: $1: $count keys and clicks, Data is right"
  else
    echo "xnav-check: $1: wrong Data" >&2
    echo "  expected: $2" >&2
    echo "  actual:   $actual" >&2
    fails=$((fails + 1))
  fi
}

empty() {
  xdotool key --delay 40 ctrl+a ctrl+a Delete
  count=0
}

await_buttons
# The first click focuses the editor; it counts as no key.
xdotool mousemove --window "$wid" 40 40 click 1
sleep 0.2

# x = (−b ± √(b²−4ac)) / 2a
empty
typed 'x='
palette 12 0         # fraction: the caret in the numerator
typed '-b'
palette 4 0          # ±
palette 12 5         # square root: the caret in the radicand
typed 'b'
palette 13 0         # superscript
typed '2'
keys Right           # out of the exponent
typed '-4ac'
keys Right Down      # out of the root, down to the denominator
typed '2a'
check quadratic 'EditArea(Simple(x)Simple(=)Division(EditArea(Simple(-)Simple(b)ExtSymbol(177)Root(EditArea(Simple(b)IndexTop(EditArea(Simple(2)))Simple(-)Simple(4)Simple(a)Simple(c))))EditArea(Simple(2)Simple(a))))'

# A 2×2 matrix in round brackets
empty
palette 11 0         # round brackets
palette 19 2         # 2×2 matrix: the caret in row 1, column 1
typed '1'
keys Right
typed '2'
keys Right
typed '3'
keys Right
typed '4'
check matrix 'EditArea(BracketsRound(EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))EditArea(Simple(4))))))'

# ∑_{k=1}^{n} k²
empty
palette 14 2         # sum with limits: the caret in the lower limit
typed 'k=1'
keys Right
typed 'n'
keys Right           # to the summand
typed 'k'
palette 13 0
typed '2'
check sum 'EditArea(SumLimitBottomTop(EditArea(Simple(k)IndexTop(EditArea(Simple(2))))EditArea(Simple(k)Simple(=)Simple(1))EditArea(Simple(n))))'

# ∫₀^∞ e^{−x²} dx
empty
palette 15 1         # integral with limits: the caret in the lower limit
typed '0'
keys Right
palette 8 2          # ∞
keys Right           # to the integrand
typed 'e'
palette 13 0
typed '-x'
palette 13 0
typed '2'
keys Right Right     # out of both exponents
typed 'dx'
check integral 'EditArea(IntLimitBottomTopOne(EditArea(Simple(e)IndexTop(EditArea(Simple(-)Simple(x)IndexTop(EditArea(Simple(2)))))Simple(d)Simple(x))EditArea(Simple(0))EditArea(ExtSymbol(8734))))'

import -window root "$shot"
xdotool key Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || true
pid=""
echo "xnav-check: screenshot $shot"
exit $((fails > 0))
