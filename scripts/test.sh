#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests and fuzz target,
# then the Windows platform tests and end-to-end tests under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build
jobs=$(nproc)

scripts/install-deps.sh

echo "== Native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== Windows build"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"

echo "== Platform and end-to-end tests under Wine"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT
wine_session_start "$build/win64/wineprefix" own-display
ctest --preset win64
wine_session_stop

echo "== End-to-end test on two monitors"
# Wine shows two monitors only outside its virtual desktop: the test brings a session of its own.
ctest --preset win64-two-monitors
