#!/usr/bin/env bash
# Cross-builds Kugelfix for Windows against Debian's Qt built for Windows (cached outside the
# clone) and writes the release to dist/: the portable zip, its debug symbols, the installer and
# the Qt source the DLLs were built from.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${KUGELFIX_WINDOWS_BUILD:-build-windows}

qt=$(bash scripts/windows/build-qt.sh)
cmake -G Ninja -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKUGELFIX_BUILD_BENCH=OFF -DKUGELFIX_DIST="$PWD/dist" \
    >/dev/null
cmake --build "$build" -j "$(nproc)"

version=$(sed -n 's/^project(Kugelfix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s) \
    /usr/bin/python3 -B scripts/windows/package.py --exe "$build/kugelfix.exe" --qt "$qt" \
    --source "$PWD" --version "$version" --work "$build/package" --out dist
ls -l dist/*.zip dist/*.exe
