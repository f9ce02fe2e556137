#!/usr/bin/env bash
# Holds the Math style against TeX with the same font on tools/texcompare/corpus.tsv, at
# 12, 20 and 36 pt, and draws docs/tex-sheet.png (ours beside TeX's, at 20 pt).
#   bash tools/texcompare/compare.sh [build dir, default build] [texref dir]
# Needs the reference tool (texref: LuaLaTeX with unicode-math, its install.sh run once).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
texref=${2:-../shared/tools/texref}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
for size in 12 20 36; do
  bash "$texref/texref.sh" tools/texcompare/corpus.tsv "$out/tex$size" --size "$size" >/dev/null
  /usr/bin/python3 "$texref/compare.py" tools/texcompare/corpus.tsv "$out/tex$size" "$build/tools/convert/zelk-convert" \
    "$out/ours$size" --size "$size" >"$out/compare$size.txt"
  echo "$size pt: $(tail -1 "$out/compare$size.txt")"
done
/usr/bin/python3 tools/texcompare/sheet.py tools/texcompare/corpus.tsv "$out/tex20" "$out/ours20" docs/tex-sheet.png --columns 4
