#!/usr/bin/env bash
# The list-file fuzzer for a long run (10 million inputs unless RUNS says
# otherwise), optimised, with the sanitizers on. Not part of the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/fuzz
runs=${RUNS:-10000000}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

corpus="$build/fuzz-corpus/ListFileFuzzer"
mkdir -p "$corpus"
started=$(date +%s)
"$build/ListFileFuzzer" -runs="$runs" -timeout=5 -print_final_stats=1 \
    -artifact_prefix="$build/" "$corpus" fuzz/corpus/ListFileFuzzer
echo "== $runs inputs in $(( $(date +%s) - started )) s, no failure"
