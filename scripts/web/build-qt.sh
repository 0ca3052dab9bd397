#!/usr/bin/env bash
# Builds Debian's own Qt (the source of the installed qt6-base) for WebAssembly with Debian's
# emscripten: static, without threads, with only what Kugelfix uses, into a cache outside the
# clone. Debian 13 or later. Prints the Qt folder on stdout.
set -euo pipefail
cache=${KUGELFIX_CACHE:-/var/cache/kugelfix}
jobs=$(nproc)
# Qt's helpers read emscripten's configuration from there.
export EMSDK=/usr/share/emscripten

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
options=(
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_SHARED_LIBS=OFF -DQT_UNITY_BUILD=ON
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DFEATURE_thread=OFF
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
)
# What the program loads (one skin is a GIF); the rest of Qt is never built.
modules=(Core Gui Widgets QWasmIntegrationPlugin QGifPlugin)

key=$( (printf '%s\n' "${options[@]}"; em++ --version | head -1) | sha256sum | cut -c1-16)
qt=$cache/qt-web-$version
src=$(bash "$(dirname "$0")/../qt-source.sh")

if [ "$(cat "$qt/kugelfix-options" 2>/dev/null)" != "$key" ]; then
    # A prefix build in place: the build folder is the Qt that Kugelfix builds against.
    rm -rf "$qt"
    mkdir -p "$qt"
    cmake -G Ninja -S "$src" -B "$qt" \
        -DCMAKE_TOOLCHAIN_FILE=$EMSDK/cmake/Modules/Platform/Emscripten.cmake \
        -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${options[@]}" >&2
    echo "$key" >"$qt/kugelfix-options"
fi
# A static Qt hands its resources and its plug-ins' registration to the program as objects of
# their own.
pattern=$(IFS='|' && echo "${modules[*]}")
mapfile -t parts < <(ninja -C "$qt" -t targets all |
    sed -n -E "s/^(($pattern)_(resources_[0-9]+|init)): phony$/\1/p")
cmake --build "$qt" -j "$jobs" --target "${modules[@]}" "${parts[@]}" >&2
# What the page says of the Qt inside it.
cp "$src/debian/copyright" "$qt/kugelfix-qt-copyright.txt"
printf '%s\n' "$version" "${options[@]}" >"$qt/kugelfix-qt.txt"
echo "$qt"
