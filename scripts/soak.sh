#!/usr/bin/env bash
# The long soak: scatters with all thirty tiles and openings of the options
# dialog on the real program under Wine, checking after every round that the
# handles it owns are back to their idle numbers, and noting its private memory
# after the 10th, 100th, 1000th ... scatter. Not part of the test command,
# which runs a few rounds of the same test.
#
#   scripts/soak.sh [SCATTERS] [OPENINGS]     (defaults 1000 and 300: about half an hour on a quiet machine)
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

export YOMORINA_SOAK_SCATTERS=${1:-1000}
export YOMORINA_SOAK_OPENINGS=${2:-300}
# A shaken scatter of thirty tiles takes about 10 s, one by the call key 2 s, an opening 2 s; plenty to spare.
export YOMORINA_WINE_TIMEOUT=$(( (YOMORINA_SOAK_SCATTERS * 8 + YOMORINA_SOAK_OPENINGS * 2 + 600) * 2 ))
started=$(date +%s)
"$build/wine-exec.sh" "$build/yomorina_e2e_tests.exe" --gtest_filter='Soak*' \
    --yomorina-exe="$build/run/yomorina.exe" --artifacts="$build/artifacts"
echo "== soak finished in $(( $(date +%s) - started )) s"
cat "$build/artifacts/soak-figures.txt"
