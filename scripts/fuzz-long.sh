#!/usr/bin/env bash
# The list-file fuzzer for a long run (10 million inputs unless RUNS says
# otherwise), optimised, with the sanitizers on. Not part of the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${YOMORINA_BUILD:-$root/build}/fuzz
runs=${RUNS:-10000000}

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target ListFileFuzzer

corpus="$build/fuzz-corpus/ListFileFuzzer"
mkdir -p "$corpus"
started=$(date +%s)
"$build/ListFileFuzzer" -runs="$runs" -timeout=5 -print_final_stats=1 \
    -artifact_prefix="$build/" "$corpus" fuzz/corpus/ListFileFuzzer
echo "== $runs inputs in $(( $(date +%s) - started )) s, no failure"
