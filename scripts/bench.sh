#!/usr/bin/env bash
# Measures yomorina.exe against a minimal tray program of our own, both built
# and run here under the same Wine (footprint, idle CPU, what wakes them at
# rest, the overlay), plus the native benchmarks of the tick and
# the list file, and writes the figures into docs/performance.md between its
# "figures" markers (the rest of the file is left as it is).
#
#   scripts/bench.sh [ROUNDS [IDLE_SECONDS [SCREEN...]]]
#
# ROUNDS and IDLE_SECONDS (defaults 15 and 60) are the start-ups and the rest of
# the footprint, which is measured once, at the first screen. A SCREEN is
# WIDTHxHEIGHT@DPI, one monitor in Wine's virtual desktop, or
# 2xWIDTHxHEIGHT@DPI, two such monitors side by side; by default the three
# below, about nine minutes on two cores (single start-ups under Wine vary by
# a third: with fewer than 15 the start-up median is left to chance). The
# overlay, the tiles and a scatter's memory are measured at each screen, in a
# Wine session and prefix of its own (a prefix keeps the density it was made
# with).
#
# Not part of scripts/test.sh: figures depend on the machine and its load.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build
release=$build/release
rounds=${1:-15}
idle_seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
screens=("$@")
[ ${#screens[@]} -gt 0 ] || screens=(1280x800@96 3840x2160@192 2x3840x2160@192)
jobs=$(nproc)
out=docs/performance.md
started=$(date +%s)

scripts/install-deps.sh

echo "== Native benchmarks (Release)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$jobs"
native=$("$build/bench-native/yomorina_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_color=false 2>/dev/null | grep -E '^(Benchmark|-{10}|.*_median )')

echo "== Windows build (release, as shipped)"
cmake --preset win64-release >/dev/null
cmake --build --preset win64-bench -j "$jobs"

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT
win_path() { winepath -w "$1" 2>/dev/null; }
ours=$release/run/yomorina.exe
minimal=$release/MinimalTray.exe

# Fewer rounds of the overlay where each takes longer: a round copies the
# screen three times and waits for the desktop to settle after each.
overlay_rounds() {
  local pixels=$1
  if [ "$pixels" -le 2000000 ]; then echo 25; elif [ "$pixels" -le 9000000 ]; then echo 9; else echo 7; fi
}

footprint="" rest="" screen_sections=""
for screen in "${screens[@]}"; do
  monitors=1 size=${screen%@*} dpi=${screen#*@}
  if [[ $size == 2x* ]]; then
    monitors=2 size=${size#2x}
  fi
  width=${size%x*} height=${size#*x}
  export YOMORINA_DESKTOP_SIZE=$size YOMORINA_DPI=$dpi
  if [ "$monitors" = 2 ]; then
    wine_two_monitor_session_start "$release/wineprefix-two-$size-$dpi" "$size"
    place="two monitors of ${size} side by side (Xephyr's two heads, Wine's virtual desktop off)"
  else
    wine_session_start "$release/wineprefix-$size-$dpi" own-display
    place="one screen of ${size} in Wine's virtual desktop"
  fi
  if [ -z "$footprint" ]; then
    echo "== $screen: footprint ($rounds start-ups each, ${idle_seconds} s idle) and rest"
    footprint=$(timeout 900 wine "$release/yomorina_footprint_bench.exe" "$(win_path "$ours")" \
      "$(win_path "$minimal")" "$rounds" "$idle_seconds" 2>/dev/null </dev/null | tr -d '\r')
    [ "$monitors" = 1 ] && rest=$(bench/win32/measure/RestMessages.sh "$ours" "$minimal" \
      "$release/rest-messages" "$idle_seconds" "$rounds")
    footprint_place=$place
  else
    echo "== $screen: a scatter's memory"
    scattered=$(timeout 600 wine "$release/yomorina_footprint_bench.exe" "$(win_path "$ours")" \
      "$(win_path "$minimal")" 0 10 2>/dev/null </dev/null | tr -d '\r')
  fi
  echo "== $screen: overlay and tiles"
  overlay=$(timeout 900 wine "$release/yomorina_wine_bench.exe" \
    "$(overlay_rounds $((width * height * monitors)))" 2>/dev/null </dev/null | tr -d '\r')
  wine_version=$(wine --version)
  wine_session_stop
  section="#### At ${size//x/ × } and ${dpi} dpi"
  [ "$monitors" = 2 ] && section="#### Two monitors of ${size//x/ × } at ${dpi} dpi"
  screen_sections+="
$section

Under Wine: $place.

$overlay
"
  [ "$screen" = "${screens[0]}" ] || screen_sections+="
$scattered
"
done
trap - EXIT

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
memory=$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
load=$(cut -d' ' -f1-3 /proc/loadavg)

figures=$(mktemp)
cat >"$figures" <<EOF_FIGURES
<!-- figures: begin (written by scripts/bench.sh) -->
Measured on $(date -u '+%Y-%m-%d %H:%M UTC') with \`scripts/bench.sh $rounds $idle_seconds ${screens[*]}\`, $(( ($(date +%s) - started + 30) / 60 )) minutes in all.

| Machine | |
|---|---|
| processors (nproc) | $jobs |
| CPU | $cpu |
| memory | $memory |
| load average at the end | $load |
| Wine | $wine_version, 64-bit prefixes, on Xvfb |
| compilers | $(x86_64-w64-mingw32-g++-posix --version | head -n1) (Windows), $(clang++ --version | head -n1) (native) |

### Footprint under Wine

At ${screens[0]}: $footprint_place.

$footprint

### At rest under Wine

$rest

### Overlay, tiles and a scatter's memory under Wine, by screen
$screen_sections
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
