#!/usr/bin/env bash
# Runs the end-to-end tests that take screenshots, at 96 and at 144 dpi (each
# in a Wine prefix of its own) and on two monitors, and copies the ones the
# README shows into docs/images/. Needs the Windows build of scripts/test.sh
# (build/win64) and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/win64
images="$root/docs/images"
filter='Options.AnEntryAdded*:AboutBox.*:Scatter.AShake*:Scatter.TheCallKey*:*/ScatterPattern.*'

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT

failed=0
for dpi in 96 144; do
  artifacts="$build/artifacts-${dpi}dpi"
  rm -rf "$artifacts"
  prefix="$build/wineprefix"
  [ "$dpi" = 96 ] || prefix="$build/wineprefix-${dpi}dpi"
  YOMORINA_DPI=$dpi wine_session_start "$prefix" own-display
  echo "== $dpi dpi"
  "$build/wine-exec.sh" "$build/yomorina_e2e_tests.exe" --gtest_filter="$filter" \
    --yomorina-exe="$build/run/yomorina.exe" --artifacts="$artifacts" ||
    failed=1
  wine_session_stop

  mkdir -p "$images"
  # Dialogs cut to what differs from the bare desktop (less the taskbar and the icon's tip above
  # it), overlays whole. At 144 dpi the options dialog reaches almost down to the taskbar.
  dialog() { convert "$artifacts/$1.png" -gravity South -chop "0x${3:-60}" +gravity -trim +repage -strip "$images/$2.png"; }
  overlay() { convert "$artifacts/$1.png" -strip "$images/$2.png"; }
  dialog options-dialog-with-entry "options-dialog-${dpi}dpi" "$([ "$dpi" = 96 ] && echo 60 || echo 30)"
  dialog entry-editor "entry-editor-${dpi}dpi"
  dialog about-box-over-options "about-box-${dpi}dpi"
  overlay scatter-pattern-0 "overlay-plain-${dpi}dpi"
  overlay call-key-overlay "overlay-call-key-${dpi}dpi"
  if [ "$dpi" = 96 ]; then
    for pattern in 1 2 3; do overlay "scatter-pattern-$pattern" "overlay-pattern-$pattern"; done
  fi
done

echo "== two monitors"
# Its ctest test brings its own Wine session and leaves the picture with the other artifacts.
rm -f "$build/artifacts/two-monitors-scatter.png"
ctest --preset win64-two-monitors || failed=1
convert "$build/artifacts/two-monitors-scatter.png" -strip "$images/overlay-two-monitors.png"
ls -l "$images"
exit "$failed"
