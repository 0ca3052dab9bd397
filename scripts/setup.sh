#!/usr/bin/env bash
# Installs what is missing (Debian 12 or 13, as root), builds, then starts Kugelfix or runs every
# test.
#   scripts/setup.sh run    build and start the program (needs a display)
#   scripts/setup.sh test   build, then run the whole suite plainly and under ASan/UBSan, and
#                           build and check the Debian package; with KUGELFIX_PLAIN_ONLY=1 only
#                           the plain build and its suite
set -euo pipefail
mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
cd "$(dirname "$0")/.."

packages=(cmake make g++ qt6-base-dev libgl-dev libx11-dev libxcb1-dev fonts-liberation)
# Debian 13 ships Liberation Sans Narrow, the face for Arial Narrow, in a package of its own.
if [ "$(. /etc/os-release && echo "${VERSION_ID:-99}")" -ge 13 ]; then
    packages+=(fonts-liberation-sans-narrow)
fi
if [ "$mode" = test ]; then
    packages+=(appstream desktop-file-utils dpkg-dev build-essential git debhelper lintian devscripts)
    packages+=(qt6-base-private-dev)
    # The desktop test: real window managers on Xvfb, and weston with XWayland.
    packages+=(python3 xvfb x11-utils xdotool metacity xfwm4 weston xwayland)
    # The accessibility test: a private D-Bus session, the AT-SPI bus and a client.
    packages+=(dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
build() { # dir, extra cmake arguments...
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

if [ "$mode" = run ]; then
    build build -DKUGELFIX_BUILD_TESTS=OFF -DKUGELFIX_BUILD_BENCH=OFF
    exec ./build/kugelfix
fi

export QT_QPA_PLATFORM=offscreen
build build
(cd build && ctest --output-on-failure -j "$jobs")
if [ "${KUGELFIX_PLAIN_ONLY:-0}" = 1 ]; then
    exit 0
fi

build build-asan -DKUGELFIX_SANITIZE=ON -DKUGELFIX_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$jobs")

bash scripts/check-package.sh
