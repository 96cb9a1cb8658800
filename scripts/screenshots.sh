#!/usr/bin/env bash
# Takes the README's pictures with the showcase program (tools/showcase) at 96 and at 144 dpi,
# at 96 dpi in English and on two monitors, and copies them into docs/images/. The showcase
# dresses its desktop (Notepad's font, the text files' icon, title bars on two monitors), so
# it runs in prefixes of its own, never in the tests' ones. Needs the Windows build of scripts/test.sh (build/win64) and ImageMagick.
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
# showcase FOLDER SCENE...: the scenes' pictures, fresh, in FOLDER, in the running Wine session
# or in the one that the command in "session" brings.
session=()
showcase() {
  local artifacts=$1
  shift
  rm -rf "$artifacts"
  timeout 600 "${session[@]}" "$build/wine-exec.sh" "$build/yomorina_showcase.exe" --yomorina-exe="$build/run/yomorina.exe" \
    --artifacts="$artifacts" "$@" || failed=1
}
# The showcase takes each dialog alone and each overlay whole: only the metadata goes.
picture() { convert "$1/$2.png" -strip "$images/$3.png"; }

for dpi in 96 144; do
  artifacts="$build/showcase-${dpi}dpi"
  prefix="$build/wineprefix-showcase-${dpi}dpi"
  YOMORINA_DPI=$dpi wine_session_start "$prefix" own-display
  echo "== $dpi dpi"
  scenes=(options about-box overlay-plain overlay-call-key)
  [ "$dpi" = 96 ] && scenes+=(overlay-pattern-1 overlay-pattern-2 overlay-pattern-3)
  showcase "$artifacts" "${scenes[@]}"
  if [ "$dpi" = 96 ]; then
    echo "== $dpi dpi, English"
    # Wine takes the display language from the locale the program starts in.
    export YOMORINA_LOCALE=en_US.UTF-8
    showcase "$build/showcase-english" options about-box overlay-plain
    unset YOMORINA_LOCALE
  fi
  wine_session_stop

  picture "$artifacts" options-dialog "options-dialog-${dpi}dpi"
  picture "$artifacts" entry-editor "entry-editor-${dpi}dpi"
  picture "$artifacts" about-box "about-box-${dpi}dpi"
  picture "$artifacts" overlay-plain "overlay-plain-${dpi}dpi"
  picture "$artifacts" overlay-call-key "overlay-call-key-${dpi}dpi"
  if [ "$dpi" = 96 ]; then
    for pattern in 1 2 3; do picture "$artifacts" "overlay-pattern-$pattern" "overlay-pattern-$pattern"; done
    for english in options-dialog entry-editor about-box overlay-plain; do
      picture "$build/showcase-english" "$english" "$english-english"
    done
  fi
done

echo "== two monitors"
# Wine shows two monitors only outside its virtual desktop: a session of its own.
session=(bash scripts/on-two-monitors.sh "$build/wineprefix-showcase-two-monitors")
showcase "$build/showcase-two-monitors" overlay-two-monitors
picture "$build/showcase-two-monitors" overlay-two-monitors overlay-two-monitors
ls -l "$images"
exit "$failed"
