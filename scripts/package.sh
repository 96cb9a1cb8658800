#!/usr/bin/env bash
# Builds the release exe and packs dist/yomorina-<version>-win64.zip: the exe,
# the Japanese and the English help page with their style sheet and the two
# readmes, flat, to be unzipped anywhere and run.
# The version is the one in resources/resource.h.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/release

scripts/install-deps.sh

version=$(sed -n 's/^#define YOMORINA_VERSION_TEXT "\(.*\)"/\1/p' resources/resource.h)
[ -n "$version" ] || { echo "no version in resources/resource.h" >&2; exit 1; }

cmake --preset win64-release >/dev/null
cmake --build --preset win64-release -j "$(nproc)"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp "$build/run/yomorina.exe" resources/help.html resources/help-en.html resources/help.css "$staging/"
# Notepad reads the readmes right with a byte-order mark and CR LF line ends.
for language in ja en; do
  {
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "resources/readme-$language.txt"
  } >"$staging/readme-$language.txt"
done

mkdir -p dist
zip_file="$root/dist/yomorina-$version-win64.zip"
rm -f "$zip_file"
# Fixed times and order: the same sources give the same archive.
touch -d "@$(git log -1 --format=%ct 2>/dev/null || date +%s)" "$staging"/*
(cd "$staging" && zip -X -q "$zip_file" yomorina.exe help.html help-en.html help.css readme-ja.txt readme-en.txt)
unzip -l "$zip_file"
echo "$zip_file"
