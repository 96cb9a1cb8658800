#!/bin/sh
# Fails on an include against the order of the folders:
#   core/Model.h  <-  platform/*.h  <-  core/  <-  scatter/, options/, about/  <-  app/
# (platform/win32/ implements the interfaces and may include anything). The
# model is plain data below the interfaces, which size their windows by it.
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
    esac
}

status=0
for folder in platform core scatter options about app; do
    pattern=$(allowed "$folder")
    if [ "$folder" = platform ]; then files=$(ls platform/*.h); else files=$(find "$folder" -name '*.h' -o -name '*.cpp'); fi
    for file in $files; do
        mayInclude=$pattern
        # The interfaces include the model, so it can include none of them.
        [ "$file" = core/Model.h ] && mayInclude='^$'
        sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" | while read -r included; do
            if ! printf '%s\n' "$included" | grep -Eq "$mayInclude"; then
                echo "$file includes \"$included\": $folder/ may not depend on it" >&2
                echo x
            fi
        done
        if grep -Eiq '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$file"; then
            echo "$file includes <windows.h>: only platform/win32/ speaks to the system" >&2
            echo x
        fi
    done
done | grep -q x && status=1
[ $status -eq 0 ] && echo "layers: every include goes downwards"
exit $status
