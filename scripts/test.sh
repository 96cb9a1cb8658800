#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests and fuzz target,
# then the Windows platform tests and end-to-end tests under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${YOMORINA_BUILD:-$root/build}
jobs=$(nproc)

scripts/install-deps.sh

echo "== Native build and unit tests"
cmake -S . -B "$build/native" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" --output-on-failure --no-tests=error -j "$jobs"

echo "== Windows build"
cmake -S . -B "$build/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build/win64" -j "$jobs"

echo "== Platform and end-to-end tests under Wine"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT
wine_session_start "$build/win64/wineprefix" own-display
ctest --test-dir "$build/win64" --output-on-failure --no-tests=error
