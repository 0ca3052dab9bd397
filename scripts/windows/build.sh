#!/usr/bin/env bash
# Cross-builds Kugelfix for Windows against Debian's Qt built for Windows (cached outside the
# clone) and writes the release to dist/: the portable zip, its debug symbols, the installer and
# the Qt source the DLLs were built from.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${KUGELFIX_WINDOWS_BUILD:-build-windows}

qt=$(bash scripts/windows/build-qt.sh)
# The tests, which need Wine, only where the test command asks for them.
cmake -G Ninja -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUGELFIX_BUILD_BENCH=OFF -DKUGELFIX_DIST="$PWD/dist" \
    -DKUGELFIX_BUILD_TESTS="${KUGELFIX_WINDOWS_TESTS:-OFF}" >/dev/null
# The default target packs the release too.
cmake --build "$build" -j "$(nproc)"
ls -l dist/*.zip dist/*.exe
