#!/usr/bin/env bash
# Measures yomorina.exe against a minimal tray program of our own, both built
# and run here under the same Wine (footprint, idle CPU, what wakes them at
# rest, the overlay), plus the native benchmarks of the tick and
# the list file, and writes the figures into docs/performance.md between its
# "figures" markers (the rest of the file is left as it is).
#
#   scripts/bench.sh [ROUNDS] [IDLE_SECONDS]     (defaults 7 and 60: about 6 minutes)
#
# Not part of scripts/test.sh: figures depend on the machine and its load.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build
release=$build/release
rounds=${1:-7}
idle_seconds=${2:-60}
jobs=$(nproc)
out=docs/performance.md

scripts/install-deps.sh

echo "== Native benchmarks (Release)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$jobs"
native=$("$build/bench-native/yomorina_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_color=false 2>/dev/null | grep -E '^(Benchmark|-{10}|.*_median )')

echo "== Windows build (release, as shipped)"
cmake --preset win64-release >/dev/null
cmake --build --preset win64-bench -j "$jobs"

echo "== Under Wine ($rounds start-ups each, ${idle_seconds} s idle, then the overlay)"
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT
wine_session_start "$release/wineprefix" own-display
win_path() { winepath -w "$1" 2>/dev/null; }
footprint=$(timeout 900 wine "$release/yomorina_footprint_bench.exe" \
  "$(win_path "$release/run/yomorina.exe")" "$(win_path "$release/MinimalTray.exe")" \
  "$rounds" "$idle_seconds" 2>/dev/null </dev/null | tr -d '\r')
overlay=$(timeout 600 wine "$release/yomorina_wine_bench.exe" 25 2>/dev/null </dev/null | tr -d '\r')
rest=$(bench/win32/measure/RestMessages.sh "$release/run/yomorina.exe" "$release/MinimalTray.exe" \
  "$release/rest-messages" "$idle_seconds" "$rounds")
wine_version=$(wine --version)
wine_session_stop
trap - EXIT

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
memory=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
load=$(cut -d' ' -f1-3 /proc/loadavg)

figures=$(mktemp)
cat >"$figures" <<EOF_FIGURES
<!-- figures: begin (written by scripts/bench.sh) -->
Measured on $(date -u '+%Y-%m-%d %H:%M UTC') with \`scripts/bench.sh $rounds $idle_seconds\`.

| Machine | |
|---|---|
| processors (nproc) | $jobs |
| CPU | $cpu |
| memory | $memory |
| load average at the end | $load |
| Wine | $wine_version, 64-bit prefix, virtual desktop ${YOMORINA_DESKTOP_SIZE:-1280x800} on Xvfb |
| compilers | $(x86_64-w64-mingw32-g++-posix --version | head -n1) (Windows), $(clang++ --version | head -n1) (native) |

### Footprint under Wine

$footprint

### At rest under Wine

$rest

### Overlay and tiles under Wine

$overlay

### Native: the tick and the list file

\`\`\`
$native
\`\`\`
<!-- figures: end -->
EOF_FIGURES

mkdir -p docs
if [ -f "$out" ] && grep -q '^<!-- figures: begin' "$out"; then
  # Replace the old figures, keep everything around them.
  awk -v figures="$figures" '
    /^<!-- figures: begin/ { while ((getline line < figures) > 0) print line; skipping = 1; next }
    /^<!-- figures: end/ { skipping = 0; next }
    !skipping { print }
  ' "$out" >"$out.new"
  mv "$out.new" "$out"
else
  { [ -f "$out" ] && cat "$out" && echo; echo "## Figures"; echo; cat "$figures"; } >"$out.new"
  mv "$out.new" "$out"
fi
rm -f "$figures"
echo "Wrote the figures into $out"
