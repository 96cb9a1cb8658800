#!/usr/bin/env bash
# Takes the README's pictures with the showcase program (tools/showcase) at 96 and at 144 dpi
# (each in a Wine prefix of its own) and at 96 dpi in English, takes the two-monitor one from its
# end-to-end test, and copies them into docs/images/. Needs the Windows build of scripts/test.sh
# (build/win64) and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/win64
images="$root/docs/images"
mkdir -p "$images"

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_session_stop EXIT

failed=0
# showcase FOLDER SCENE...: the scenes' pictures, fresh, in FOLDER.
showcase() {
  local artifacts=$1
  shift
  rm -rf "$artifacts"
  "$build/wine-exec.sh" "$build/yomorina_showcase.exe" --yomorina-exe="$build/run/yomorina.exe" \
    --artifacts="$artifacts" "$@" || failed=1
}
# Dialogs cut to what differs from the bare desktop (less the taskbar and the icon's tip above
# it, or the last CHOP rows), overlays whole.
dialog() { convert "$1/$2.png" -gravity South -chop "0x${4:-60}" +gravity -trim +repage -strip "$images/$3.png"; }
overlay() { convert "$1/$2.png" -strip "$images/$3.png"; }

for dpi in 96 144; do
  artifacts="$build/showcase-${dpi}dpi"
  prefix="$build/wineprefix"
  [ "$dpi" = 96 ] || prefix="$build/wineprefix-${dpi}dpi"
  YOMORINA_DPI=$dpi wine_session_start "$prefix" own-display
  echo "== $dpi dpi"
  scenes=(options about-box overlay-plain overlay-call-key)
  [ "$dpi" = 96 ] && scenes+=(overlay-pattern-1 overlay-pattern-2 overlay-pattern-3)
  showcase "$artifacts" "${scenes[@]}"
  if [ "$dpi" = 96 ]; then
    echo "== $dpi dpi, English"
    # Wine takes the display language from the locale the program starts in.
    export YOMORINA_LOCALE=en_US.UTF-8
    showcase "$build/showcase-english" options overlay-plain
    unset YOMORINA_LOCALE
  fi
  wine_session_stop

  # At 144 dpi the options dialog reaches almost down to the taskbar.
  dialog "$artifacts" options-dialog "options-dialog-${dpi}dpi" "$([ "$dpi" = 96 ] && echo 60 || echo 30)"
  dialog "$artifacts" entry-editor "entry-editor-${dpi}dpi"
  dialog "$artifacts" about-box "about-box-${dpi}dpi"
  overlay "$artifacts" overlay-plain "overlay-plain-${dpi}dpi"
  overlay "$artifacts" overlay-call-key "overlay-call-key-${dpi}dpi"
  if [ "$dpi" = 96 ]; then
    for pattern in 1 2 3; do overlay "$artifacts" "overlay-pattern-$pattern" "overlay-pattern-$pattern"; done
    dialog "$build/showcase-english" options-dialog options-dialog-english 60
    overlay "$build/showcase-english" overlay-plain overlay-plain-english
  fi
done

echo "== two monitors"
# Its ctest test brings its own Wine session and leaves the picture with the other artifacts.
rm -f "$build/artifacts/two-monitors-scatter.png"
ctest --preset win64-two-monitors || failed=1
convert "$build/artifacts/two-monitors-scatter.png" -strip "$images/overlay-two-monitors.png"
ls -l "$images"
exit "$failed"
