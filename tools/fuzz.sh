#!/usr/bin/env bash
# Builds the fuzz target of the Data reader and runs it for a bounded time:
#   bash tools/fuzz.sh [seconds, default 60] [more libFuzzer options]
# Exits non-zero on any finding (crash, hang, sanitizer report, leak, mismatch); the input
# that caused it is kept in build-fuzz/findings/. New inputs go to build-fuzz/corpus/, the
# seeds stay in tests/fuzz/corpus/ (rebuilt by tools/fuzz-corpus.py).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELK_FUZZ=ON -DZELK_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target ZelkDataFuzz
mkdir -p "$build/corpus" "$build/findings"
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not instrumented: keep to reports about our code.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
"$build/tests/fuzz/ZelkDataFuzz" "$build/corpus" tests/fuzz/corpus \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=8192 \
  -artifact_prefix="$build/findings/" -print_final_stats=1 "$@"
