#!/usr/bin/env bash
# Builds the release exe and packs dist/yomorina-<version>-win64.zip: what the
# build installs (the exe, each language's help page and readme, the style
# sheet), flat, to be unzipped anywhere and run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/release

scripts/install-deps.sh

# The version is read from the one place it is written.
version=$(sed -n 's/^#define YOMORINA_VERSION_TEXT "\(.*\)"/\1/p' resources/resource.h)
[ -n "$version" ] || { echo "no version in resources/resource.h" >&2; exit 1; }

cmake --preset win64-release >/dev/null
cmake --build --preset win64-release -j "$(nproc)"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cmake --install "$build" --prefix "$staging" >/dev/null

mkdir -p dist
zip_file="$root/dist/yomorina-$version-win64.zip"
rm -f "$zip_file"
# Fixed times and order: the same sources give the same archive.
touch -d "@$(git log -1 --format=%ct 2>/dev/null || date +%s)" "$staging"/*
(cd "$staging" && LC_ALL=C ls | zip -X -q "$zip_file" -@)
unzip -l "$zip_file"
echo "$zip_file"
