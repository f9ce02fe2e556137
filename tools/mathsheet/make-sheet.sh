#!/usr/bin/env bash
# Regenerates docs/math-sheet.png and docs/math-sheet.md: the reference formulas in the
# Math style beside MathJax, with the table of size ratios.
set -euo pipefail
cd "$(dirname "$0")"
npm ci --no-audit --no-fund --loglevel=error
root=$(cd ../.. && pwd)
build=${BUILD_DIR:-$root/build}
cmake --build "$build" --target zelk-convert
QT_QPA_PLATFORM=offscreen python3 make_sheet.py "$build/tools/convert/zelk-convert" "$root/docs" "${1:-20}"
