#!/bin/sh
# Fails on an include against the order of the folders:
#   core/Model.h  <-  platform/*.h  <-  core/  <-  scatter/, options/, about/  <-  app/
# (the model is plain data below the interfaces, which size their windows by
# it), on an include against the order of the Windows floor's parts:
#   platform/win32/base/  <-  files/  <-  desktop/  <-  overlay/, dialogs/  <-  resident/  <-  WinMain.cpp
# (the parts may include the logic and the interfaces; overlay/ and dialogs/
# know nothing of each other, and the resident program's window holds the overlay), on a loop: two files whose includes, .h and
# .cpp taken together, lead back to each other, and on a call that goes up
# unseen by the includes: a function a lower part declares but a higher one
# defines.
# The logic includes no system header for windows either.
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

# folder: what its quoted includes may name, as an extended regular expression
allowed() {
    case $1 in
        platform) echo '^(platform/[^/]+\.h|core/Model\.h)$' ;;
        core) echo '^(platform/[^/]+|core/.+)$' ;;
        scatter | options | about) echo "^(platform/[^/]+|core/.+|$1/.+)\$" ;;
        app) echo '^(platform/[^/]+|(core|scatter|options|about|app)/.+)$' ;;
        platform/win32) echo '.' ;;
        platform/win32/*)
            part=${1#platform/win32/}
            below=
            lowers='base files desktop'
            [ "$part" = resident ] && lowers="$lowers overlay"
            for lower in $lowers; do
                [ "$lower" = "$part" ] && break
                below="$below|$lower"
            done
            echo "^(platform/[^/]+\.h|(core|scatter|options|about|app|resources)/.+|platform/win32/($part$below)/.+)\$" ;;
    esac
}

includes() {
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"
}

sources() {
    find "$@" -name '*.h' -o -name '*.cpp'
}

status=0
for folder in platform core scatter options about app platform/win32 platform/win32/base platform/win32/files \
    platform/win32/desktop platform/win32/overlay platform/win32/dialogs platform/win32/resident; do
    pattern=$(allowed "$folder")
    case $folder in
        platform) files=$(ls platform/*.h) ;;
        platform/win32) files=$(find platform/win32 -maxdepth 1 -type f) ;;
        *) files=$(sources "$folder") ;;
    esac
    for file in $files; do
        if [ "$folder" = platform/win32 ] && [ "$file" != platform/win32/WinMain.cpp ]; then
            echo "$file: platform/win32/ holds WinMain.cpp alone; the rest belongs in one of its parts" >&2
            echo x
        fi
        mayInclude=$pattern
        # The interfaces include the model, so it can include none of them.
        [ "$file" = core/Model.h ] && mayInclude='^$'
        includes "$file" | while read -r included; do
            if ! printf '%s\n' "$included" | grep -Eq "$mayInclude"; then
                echo "$file includes \"$included\": $folder/ may not depend on it" >&2
                echo x
            fi
        done
        case $folder in platform/win32*) continue ;; esac
        if grep -Eiq '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file"; then
            echo "$file includes <windows.h>: only platform/win32/ speaks to the system" >&2
            echo x
        fi
    done
done | grep -q x && status=1

# Every include as an edge between units (a header and its source are one unit);
# tsort names the units of a loop.
for file in $(sources platform core scatter options about app); do
    unit=${file%.*}
    echo "$unit $unit"
    includes "$file" | while read -r included; do
        [ -f "$included" ] && echo "$unit ${included%.*}"
    done
done | tsort >/dev/null 2>"${TMPDIR:-/tmp}/layers-loop.$$" || {
    echo "an include loop:" >&2
    grep -v 'input contains a loop' "${TMPDIR:-/tmp}/layers-loop.$$" | sed 's/^tsort: /  /' >&2
    status=1
}
rm -f "${TMPDIR:-/tmp}/layers-loop.$$"

# How high a file stands; the parts of one rank know nothing of each other.
rank() {
    case $1 in
        core/Model.h) echo 0 ;;
        platform/*/*) ;;
        platform/*) echo 1 ;;
        core/*) echo 2 ;;
        scatter/* | options/* | about/*) echo 3 ;;
        app/*) echo 4 ;;
    esac
    case $1 in
        platform/win32/base/*) echo 5 ;;
        platform/win32/files/*) echo 6 ;;
        platform/win32/desktop/*) echo 7 ;;
        platform/win32/overlay/* | platform/win32/dialogs/*) echo 8 ;;
        platform/win32/resident/*) echo 9 ;;
        platform/win32/*) echo 10 ;;
    esac
}

# Free functions as the headers declare them: a line of its own at namespace
# level, ending in a semicolon; then where each is defined.
all=$(sources platform core scatter options about app)
for header in $(printf '%s\n' $all | grep '\.h$'); do
    sed -n 's/^[A-Za-z_][][A-Za-z0-9_:<>,*& ]*[ *&]\([A-Za-z_][A-Za-z0-9_]*\)(.*;[[:space:]]*$/\1/p' "$header" |
        while read -r name; do
            for definer in $(grep -l "^[A-Za-z_].*[ *&]$name([^;]*\$" $(printf '%s\n' $all | grep '\.cpp$')); do
                if [ "$(rank "$definer")" -gt "$(rank "$header")" ]; then
                    echo "$header declares $name, which $definer defines: a call from below into a part above it" >&2
                    echo x
                fi
            done
        done
done | grep -q x && status=1

[ $status -eq 0 ] && echo "layers: every include goes downwards, and none comes back"
exit $status
