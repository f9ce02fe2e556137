#!/usr/bin/env bash
# Holds the Math style against TeX with the same font on tools/texcompare/corpus.tsv, at
# 12, 20 and 36 pt, and draws docs/tex-sheet.png (ours beside TeX's, at 20 pt).
# Our point is Qt's and PDF's, 1/72 in; TeX's is 1/72.27 in. TeX sets each size once at
# the same length as ours (20 pt here is TeX's 20.075 pt, its 20 bp) and once at its own
# nominal size, 0.37 % smaller: both lines are printed.
#   bash tools/texcompare/compare.sh [build dir, default build] [texref dir]
# Needs the reference tool (texref: LuaLaTeX with unicode-math, its install.sh run once).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
texref=${2:-../shared/tools/texref}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
compare() {  # our size, TeX's size, name
  bash "$texref/texref.sh" tools/texcompare/corpus.tsv "$out/tex$3" --size "$2" >/dev/null
  /usr/bin/python3 "$texref/compare.py" tools/texcompare/corpus.tsv "$out/tex$3" "$build/tools/convert/zelk-convert" \
    "$out/ours$3" --size "$1" >"$out/compare$3.txt"
  echo "$1 pt, TeX at $2 pt: $(tail -1 "$out/compare$3.txt")"
}
for size in 12 20 36; do
  compare "$size" "$(awk "BEGIN { printf \"%.4f\", $size * 72.27 / 72 }")" "$size"
  compare "$size" "$size" "nominal$size"
done
/usr/bin/python3 tools/texcompare/sheet.py tools/texcompare/corpus.tsv "$out/tex20" "$out/ours20" docs/tex-sheet.png --columns 4
