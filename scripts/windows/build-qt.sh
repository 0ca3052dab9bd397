#!/usr/bin/env bash
# Builds Debian's own Qt (the source of the installed qt6-base) for 64-bit Windows, shared, with
# only what Kugelfix uses, into a cache outside the clone. Prints the Qt folder on stdout.
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

# The build folder is kept, objects and all: a later run only builds what a changed target list
# adds. Other options or another compiler mean a new build from the start.
key=$( (printf '%s\n' "${options[@]}"; cat "$here/mingw-w64-x86_64.cmake"; x86_64-w64-mingw32-g++-posix -dumpfullversion) | sha256sum | cut -c1-16)
qt=$cache/qt-windows-$version
src=$(bash "$here/../qt-source.sh")

# What the program and its tests load (one skin is a GIF; the unit tests run offscreen); the
# rest of Qt is never built. Qt 6.8 replaced the Vista style with the modern Windows style.
style=(QWindowsVistaStylePlugin styles/qwindowsvistastyle.dll)
[ -d "$src/src/plugins/styles/modernwindows" ] &&
    style=(QModernWindowsStylePlugin styles/qmodernwindowsstyle.dll)
targets=(Core Gui Widgets Test EntryPointImplementation QWindowsIntegrationPlugin
    QOffscreenIntegrationPlugin QGifPlugin "${style[0]}")
plugins=(platforms/qwindows.dll imageformats/qgif.dll "${style[1]}")

if [ "$(cat "$qt/kugelfix-options" 2>/dev/null)" != "$key" ]; then
    # A prefix build in place: the build folder is the Qt that Kugelfix builds against. Its
    # toolchain file is kept beside it, as the clone it came from may go.
    rm -rf "$qt"
    mkdir -p "$qt"
    cp "$here/mingw-w64-x86_64.cmake" "$qt/kugelfix-toolchain.cmake"
    cmake -G Ninja -S "$src" -B "$qt" \
        -DCMAKE_TOOLCHAIN_FILE="$qt/kugelfix-toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${options[@]}" >&2
    echo "$key" >"$qt/kugelfix-options"
fi
cmake --build "$qt" -j "$jobs" --target "${targets[@]}" >&2
# What the release says of the Qt it ships, which of its plug-ins, and where its source is.
{
    echo "version $version"
    echo "source $src"
    printf 'plugin %s\n' "${plugins[@]}"
    sed 's/^/file /' "$src.files"
    printf 'option %s\n' "${options[@]}"
} >"$qt/kugelfix-qt.txt"
echo "$qt"
