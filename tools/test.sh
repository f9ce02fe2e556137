#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
# ZELK_SANITIZE=1 builds and tests with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# The other parsers the interchange tests check against, pinned by the lockfile.
(cd tests/interchange/validators && npm ci --no-audit --no-fund --loglevel=error)
build=build
sanitize=OFF
if [ "${ZELK_SANITIZE:-0}" = 1 ]; then build=build-asan; sanitize=ON; fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELK_SANITIZE="$sanitize"
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries were not built with the sanitizer: keep to reports about our code.
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:${LSAN_OPTIONS:-}"
ctest --test-dir "$build" --output-on-failure -j2
