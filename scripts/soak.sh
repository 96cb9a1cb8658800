#!/usr/bin/env bash
# The long soak: 300 scatters with all thirty tiles and 100 openings of the
# options dialog on the real program under Wine, checking after every round
# that the handles it owns are back to their idle numbers. Not part of the
# test command, which runs a few rounds of the same test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/win64

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target yomorina_e2e_tests -j "$(nproc)"

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT
wine_session_start "$build/wineprefix" own-display

export YOMORINA_SOAK_SCATTERS=${YOMORINA_SOAK_SCATTERS:-300}
export YOMORINA_SOAK_OPENINGS=${YOMORINA_SOAK_OPENINGS:-100}
export YOMORINA_WINE_TIMEOUT=${YOMORINA_WINE_TIMEOUT:-7200}
started=$(date +%s)
"$build/wine-exec.sh" "$build/yomorina_e2e_tests.exe" --gtest_filter='Soak*' \
    --yomorina-exe="$build/run/yomorina.exe" --artifacts="$build/artifacts"
echo "== soak finished in $(( $(date +%s) - started )) s"
cat "$build/artifacts/soak-figures.txt"
