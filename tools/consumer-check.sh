#!/usr/bin/env bash
# Installs the package into a temporary prefix, then configures, builds and runs a program
# that finds it with find_package(ZelkEquations). Usage: tools/consumer-check.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" -j2 --target ZelkEquations ZelkEquationsDesigner
cmake --install "$build" --prefix "$work/prefix"
cmake -S tests/consumer -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix"
cmake --build "$work/consumer" -j2
QT_QPA_PLATFORM=offscreen "$work/consumer/ZelkConsumer" \
  "$work/prefix/lib/qt6/plugins/designer" tests/designer/EquationForm.ui
QT_QPA_PLATFORM=offscreen "$work/consumer/ZelkQtNames"
