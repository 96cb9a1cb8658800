#!/usr/bin/env bash
# Builds yomorina.exe and starts it: natively on Windows, under Wine elsewhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
  cmake --preset windows
  cmake --build --preset windows
  exe=$(find "$build/windows/run" -name yomorina.exe | head -n1)
  echo "Starting $exe"
  start "" "$exe"
  exit 0
  ;;
esac

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64-program -j "$(nproc)"

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_session_start "$build/wineprefix-run"
trap wine_session_stop EXIT INT TERM

run_folder="$build/win64/run"
echo "Starting $run_folder/yomorina.exe on display $DISPLAY (Wine's virtual desktop, ${YOMORINA_DESKTOP_SIZE})."
(cd "$run_folder" && wine yomorina.exe >/dev/null 2>&1 </dev/null) &
app=$!
sleep 4
screenshot="$build/screenshot.png"
import -display "$DISPLAY" -window root "$screenshot" 2>/dev/null && echo "Screenshot of the desktop: $screenshot"
echo "The notification icon is at the bottom right of the virtual desktop. Press Ctrl+C to stop."
echo "Take another screenshot with: DISPLAY=$DISPLAY import -window root shot.png"
wait "$app"
