#!/usr/bin/env bash
# Builds a fuzz target and runs it for a bounded time:
#   bash tools/fuzz.sh [target] [seconds, default 60] [more libFuzzer options]
# target: data (the Data reader, the default), latex (the LaTeX reader), mathml (the MathML
# reader) or editing (sequences of edits on a shown editor). Exits non-zero on any finding
# (crash, hang, sanitizer report, leak, broken promise); the input that caused it is kept in
# build-fuzz/findings/TARGET/. New inputs go to build-fuzz/corpus/TARGET/; the seeds stay in
# tests/fuzz/ (the Data seeds are rebuilt by tools/fuzz-corpus.py; those of the LaTeX and
# MathML targets are written from them at each run, beside the hand-written ones).
set -euo pipefail
cd "$(dirname "$0")/.."
target=data
case "${1:-}" in
  data|latex|mathml|editing) target=$1; shift ;;
esac
seconds=${1:-60}
shift || true
build=build-fuzz
declare -A programs=([data]=ZelkDataFuzz [latex]=ZelkLatexFuzz [mathml]=ZelkMathMLFuzz [editing]=ZelkEditingFuzz)
program=${programs[$target]}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELK_FUZZ=ON -DZELK_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target "$program" ZelkFuzzSeeds
corpus=$build/corpus/$target
findings=$build/findings/$target
mkdir -p "$corpus" "$findings"
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not instrumented: keep to reports about our code.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
seeds=(tests/fuzz/corpus)
case $target in
  latex|mathml)
    "$build/tests/fuzz/ZelkFuzzSeeds" tests/fuzz/corpus "$build/seeds/latex" "$build/seeds/mathml"
    seeds=("$build/seeds/$target" "tests/fuzz/$target-seeds") ;;
esac
"$build/tests/fuzz/$program" "$corpus" "${seeds[@]}" \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=8192 \
  -artifact_prefix="$findings/" -print_final_stats=1 "$@"
