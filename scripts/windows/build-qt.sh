#!/usr/bin/env bash
# Builds Debian's own Qt (the source of the installed qt6-base) for 64-bit Windows, shared, with
# only what Kugelfix uses, into a cache outside the clone. Prints the Qt folder on stdout.
# A finished build is reused: the folder's name carries the Qt version and a hash of the options.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${KUGELFIX_CACHE:-/var/cache/kugelfix}
jobs=$(nproc)

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    # Debian's source leaves out the tablet header.
    -DFEATURE_tabletevent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
)
# What the program and its tests load (one skin is a GIF); the rest of Qt is never built.
targets=(Core Gui Widgets Test QWindowsIntegrationPlugin QWindowsVistaStylePlugin QGifPlugin)

key=$( (printf '%s\n' "${options[@]}" "${targets[@]}"; cat "$here/mingw-w64-x86_64.cmake"; x86_64-w64-mingw32-g++-posix -dumpfullversion) | sha256sum | cut -c1-12)
qt=$cache/qt-windows-$version-$key
if [ -f "$qt/.complete" ]; then
    echo "$qt"
    exit 0
fi

src=$cache/src/qt6-base-$version
if [ ! -d "$src" ]; then
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -qq --download-only "qt6-base=$version" >&2)
    rm -rf "$src.tmp"
    dpkg-source --no-check -x "$cache/src/qt6-base_${version#*:}.dsc" "$src.tmp" >&2
    mv "$src.tmp" "$src"
fi

# A prefix build in place: the build folder is the Qt that Kugelfix builds against.
rm -rf "$qt"
cmake -G Ninja -S "$src" -B "$qt" \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${options[@]}" >&2
cmake --build "$qt" -j "$jobs" --target "${targets[@]}" >&2
# Objects are only needed to build Qt again.
find "$qt" -name '*.obj' -delete
touch "$qt/.complete"
echo "$qt"
