#!/usr/bin/env bash
# Fetches and unpacks the Debian source of the installed qt6-base into the cache outside the
# clone, once; prints its folder. Needs source entries for the Debian archives apt uses.
set -euo pipefail
cache=${KUGELFIX_CACHE:-/var/cache/kugelfix}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
src=$cache/src/qt6-base-$version
if [ ! -d "$src" ]; then
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -qq --download-only "qt6-base=$version" >&2)
    rm -rf "$src.tmp"
    dpkg-source --no-check -x "$cache/src/qt6-base_${version#*:}.dsc" "$src.tmp" >&2
    mv "$src.tmp" "$src"
fi
# What a release offers as Qt's source: the .dsc and the archives it names.
dsc=$cache/src/qt6-base_${version#*:}.dsc
{
    echo "$dsc"
    sed -n '/^Files:/,/^[^ ]/s|^ [0-9a-f]* [0-9]* |'"$cache/src/"'|p' "$dsc"
} >"$src.files"
echo "$src"
