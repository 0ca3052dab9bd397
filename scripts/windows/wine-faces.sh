#!/usr/bin/env bash
# Unpacks Windows' own faces from Debian's fonts-wine (the raster "MS Sans Serif", Tahoma and
# Marlett) into the cache outside the clone, once; prints their folder. They are not installed:
# Wine puts installed faces into every prefix, and some tests run without them.
set -euo pipefail
cache=${KUGELFIX_CACHE:-/var/cache/kugelfix}
version=$(apt-cache policy fonts-wine | sed -n 's/^ *Candidate: //p')
faces=$cache/fonts-wine-$version
if [ ! -d "$faces" ]; then
    work=$(mktemp -d)
    (cd "$work" && apt-get download -qq -o APT::Sandbox::User=root "fonts-wine=$version" &&
        dpkg-deb -x fonts-wine_*.deb root) >&2
    rm -rf "$faces.tmp"
    mkdir -p "$faces.tmp"
    cp "$work"/root/usr/share/wine/fonts/{sserife.fon,tahoma.ttf,tahomabd.ttf,marlett.ttf} \
        "$faces.tmp"
    rm -rf "$work"
    mv "$faces.tmp" "$faces"
fi
echo "$faces"
