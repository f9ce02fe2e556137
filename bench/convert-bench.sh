#!/usr/bin/env bash
# Batch conversion beside MathJax, in one sitting: 600 textbook formulas (the 60 reference
# formulas of docs/math-sheet.md, ten times over under their own ids) to SVG by
# zelk-convert in one process (--lines) and by MathJax (mathjax-full, pinned in
# tools/mathsheet) in one node process; then by zelk-convert once per formula for 60 of
# them. BUILD_DIR names the build (default build/; a Release build measures what users get).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
convert=$build/tools/convert/zelk-convert
# Both write their files to memory where it can: on this machine the disk took more time
# to create 600 small files than zelk-convert took to draw them.
work=$(mktemp -d -p "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

python3 - "$root/docs/math-sheet.md" > "$work/formulas.txt" <<'PY'
import re, sys
rows = [m.groups() for m in re.finditer(r'^\| ([\w-]+) \| `(.+)` \| [\d.]+ \| [\d.]+ \|$', open(sys.argv[1]).read(), re.M)]
rows = [(name, tex.replace('\\|', '|')) for name, tex in rows][:60]
for copy in range(10):
    for name, tex in rows:
        print(f'{name}-{copy}\t{tex}')
PY
count=$(wc -l < "$work/formulas.txt")
(cd "$root/tools/mathsheet" && npm ci --no-audit --no-fund --loglevel=error)
cmake --build "$build" --target zelk-convert >/dev/null
mkdir "$work/ours" "$work/mathjax" "$work/single"

seconds() { python3 -c 'import sys, time; t = time.monotonic(); import subprocess; subprocess.run(sys.argv[1:], check=False, stdin=open(0)); print(f"{time.monotonic() - t:.2f}", file=sys.stderr)' "$@"; }
mathjax=$( { seconds node "$root/tools/mathsheet/mathjax.js" 26.67 "$work/mathjax" < "$work/formulas.txt"; } 2>&1 >/dev/null | tail -1)
ours=$( { seconds "$convert" --lines --from latex --to svg --output-dir "$work/ours" "$work/formulas.txt" < /dev/null; } 2>&1 >/dev/null | tail -1)
start=$(date +%s.%N)
head -60 "$work/formulas.txt" | while IFS=$'\t' read -r name tex; do
  printf '%s' "$tex" | "$convert" --from latex --to svg -o "$work/single/$name.svg" 2>/dev/null || true
done
single=$(python3 -c "import time; print(f'{(time.time() - $start) * $count / 60:.2f}')")

printf '%d formulas to SVG\n' "$count"
printf '  MathJax, one node process:            %6s s (%d SVGs)\n' "$mathjax" "$(ls "$work/mathjax" | wc -l)"
printf '  zelk-convert --lines, one process:    %6s s (%d SVGs)\n' "$ours" "$(ls "$work/ours" | wc -l)"
printf '  zelk-convert, a process per formula:  %6s s (60 run, scaled)\n' "$single"
python3 -c "print(f'  ours / MathJax: {$ours / $mathjax:.2f}')"
