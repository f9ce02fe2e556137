#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them; extra arguments go to the
# benchmark program (for example --benchmark_filter=Keystroke).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELK_BUILD_TESTS=OFF -DZELK_BUILD_BENCH=ON
cmake --build build-bench -j2 --target ZelkBench
QT_QPA_PLATFORM=offscreen ./build-bench/bench/ZelkBench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
