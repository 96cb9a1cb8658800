#!/usr/bin/env bash
# Runs the end-to-end tests that take screenshots, at 96 and at 144 dpi (each
# in a Wine prefix of its own), at 96 dpi in English too, and on two monitors,
# and copies the ones the README shows into docs/images/. With --showcase the
# tests open a few ordinary windows first and use a list as a person keeps it. Needs the Windows build of scripts/test.sh
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
  "$build/wine-exec.sh" "$build/yomorina_e2e_tests.exe" --gtest_filter="$filter" --showcase \
    --yomorina-exe="$build/run/yomorina.exe" --artifacts="$artifacts" ||
    failed=1
  if [ "$dpi" = 96 ]; then
    echo "== $dpi dpi, English"
    # Wine takes the display language from the locale the program starts in.
    rm -rf "$build/artifacts-english"
    YOMORINA_LOCALE=en_US.UTF-8 "$build/wine-exec.sh" "$build/yomorina_e2e_tests.exe" --showcase \
      --gtest_filter='English.*:Scatter.AShake*' --yomorina-exe="$build/run/yomorina.exe" \
      --artifacts="$build/artifacts-english" || failed=1
  fi
  wine_session_stop

  mkdir -p "$images"
  # Dialogs cut to what differs from the bare desktop (less the taskbar and the icon's tip above
  # it), overlays whole. At 144 dpi the options dialog reaches almost down to the taskbar.
  dialog() { convert "$artifacts/$1.png" -gravity South -chop "0x${3:-60}" +gravity -trim +repage -strip "$images/$2.png"; }
  overlay() { convert "$artifacts/$1.png" -strip "$images/$2.png"; }
  dialog showcase-options-dialog "options-dialog-${dpi}dpi" "$([ "$dpi" = 96 ] && echo 60 || echo 30)"
  dialog showcase-entry-editor "entry-editor-${dpi}dpi"
  dialog about-box-over-options "about-box-${dpi}dpi"
  overlay scatter-pattern-0 "overlay-plain-${dpi}dpi"
  overlay call-key-overlay "overlay-call-key-${dpi}dpi"
  if [ "$dpi" = 96 ]; then
    for pattern in 1 2 3; do overlay "scatter-pattern-$pattern" "overlay-pattern-$pattern"; done
    artifacts="$build/artifacts-english"
    dialog english-showcase-options-dialog options-dialog-english 60
    overlay scatter-pattern-0 overlay-plain-english
  fi
done

echo "== two monitors"
# Its ctest test brings its own Wine session and leaves the picture with the other artifacts.
rm -f "$build/artifacts/two-monitors-scatter.png"
ctest --preset win64-two-monitors || failed=1
convert "$build/artifacts/two-monitors-scatter.png" -strip "$images/overlay-two-monitors.png"
ls -l "$images"
exit "$failed"
