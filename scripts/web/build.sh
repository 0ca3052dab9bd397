#!/usr/bin/env bash
# Builds Kugelfix for the browser against Debian's Qt built for WebAssembly (cached outside the
# clone) and writes the page, ready for any web server, to dist/kugelfix-<version>-web.zip.
# Debian 13 or later.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${KUGELFIX_WEB_BUILD:-build-web}

qt=$(bash scripts/web/build-qt.sh)
export EMSDK=/usr/share/emscripten
# Debian's Qt leaves platform plug-ins out of what links against it; a static page needs its
# own linked in.
cmake -G Ninja -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF -DKUGELFIX_BUILD_BENCH=OFF \
    -DKUGELFIX_DIST="$PWD/dist" >/dev/null
cmake --build "$build" -j "$(nproc)"
ls -l dist/*-web.zip
