#!/usr/bin/env bash
# Installs what is missing (Debian 12 or 13, as root), builds, then starts Kugelfix or runs every
# test.
#   scripts/setup.sh run      build and start the program (needs a display)
#   scripts/setup.sh test     build, then run the whole suite plainly and under ASan/UBSan, build
#                             and check the Debian package, and build the Windows release and
#                             test it under Wine; with KUGELFIX_PLAIN_ONLY=1 only the plain build
#                             and its suite
#   scripts/setup.sh windows  build the Windows release into dist/
set -euo pipefail
mode=${1:-}
case "$mode" in
run | test | windows) ;;
*)
    echo "usage: $0 run|test|windows" >&2
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
    # The desktop test: the window managers of GNOME, KDE (with its Breeze frame), Xfce, MATE
    # (with the mouse settings marco reads), LXDE and others on Xvfb, weston with XWayland, and
    # stress-ng, which keeps the cores busy meanwhile.
    packages+=(python3 xvfb x11-utils xdotool wmctrl stress-ng weston xwayland)
    packages+=(mutter kwin-x11 kwin-style-breeze xfwm4 marco mate-settings-daemon-common openbox)
    packages+=(metacity icewm fluxbox)
    # The accessibility test: a private D-Bus session, the AT-SPI bus and a client.
    packages+=(dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
fi
windows=no
if [ "$mode" = windows ] || { [ "$mode" = test ] && [ "${KUGELFIX_PLAIN_ONLY:-0}" != 1 ]; }; then
    windows=yes
fi
if [ $windows = yes ]; then
    # The Windows build: MinGW-w64, Debian's own Qt source, NSIS; its tests run under Wine.
    packages+=(ninja-build dpkg-dev g++-mingw-w64-x86-64-posix nsis python3 python3-pefile)
    [ "$mode" = test ] && packages+=(wine wine64 python3-pil xvfb xdotool)
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

# Qt's source comes through apt-get source: add source entries for the Debian suites apt uses.
if [ $windows = yes ] && ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
    bash scripts/windows/add-source-entries.sh
    apt-get update -qq
fi

jobs=$(nproc)
build() { # dir, extra cmake arguments...
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

if [ "$mode" = windows ]; then
    exec bash scripts/windows/build.sh
fi

if [ "$mode" = run ]; then
    build build -DKUGELFIX_BUILD_TESTS=OFF -DKUGELFIX_BUILD_BENCH=OFF
    exec ./build/kugelfix
fi

if [ $windows = yes ]; then
    # Qt for Windows takes longest when it is not cached yet: it builds beside the Linux suites.
    qt_log=$(mktemp)
    setsid bash scripts/windows/build-qt.sh >/dev/null 2>"$qt_log" &
    qt_build=$!
    trap 'kill -- -"$qt_build" 2>/dev/null || true' EXIT
fi

export QT_QPA_PLATFORM=offscreen
build build
(cd build && ctest --output-on-failure -j "$jobs")
if [ $windows = no ]; then
    exit 0
fi

build build-asan -DKUGELFIX_SANITIZE=ON -DKUGELFIX_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$jobs")

bash scripts/check-package.sh

wait "$qt_build" || { tail -50 "$qt_log"; exit 1; }
rm -f "$qt_log"
unset QT_QPA_PLATFORM
bash scripts/windows/build.sh
(cd build-windows && ctest --output-on-failure -j "$jobs")
