#!/usr/bin/env bash
# Installs what is missing (Debian 12 or 13, as root), builds, then starts Kugelfix or runs every
# test.
#   scripts/setup.sh run      build and start the program (needs a display)
#   scripts/setup.sh test     build, then run the whole suite plainly and under ASan/UBSan, build
#                             and check the Debian package, build the Windows release, test it
#                             under Wine and build it again to compare, and build the page and
#                             test it in Chromium; with
#                             KUGELFIX_PLAIN_ONLY=1 only the plain build and its suite, with
#                             KUGELFIX_WEB_ONLY=1 only the page and its tests
#   scripts/setup.sh windows  build the Windows release into dist/
#   scripts/setup.sh web      build the page into dist/
set -euo pipefail
mode=${1:-}
case "$mode" in
run | test | windows | web) ;;
*)
    echo "usage: $0 run|test|windows|web" >&2
    exit 2
    ;;
esac
cd "$(dirname "$0")/.."
debian=$(. /etc/os-release && echo "${VERSION_ID:-99}")
plain_only=${KUGELFIX_PLAIN_ONLY:-0}
web_only=${KUGELFIX_WEB_ONLY:-0}

# What this run does besides the plain build.
linux_tests=no
[ "$mode" = test ] && [ "$web_only" != 1 ] && linux_tests=yes
windows=no
if [ "$mode" = windows ] || { [ $linux_tests = yes ] && [ "$plain_only" != 1 ]; }; then
    windows=yes
fi
# The page: built here on Debian 13; Debian 12's emscripten is too old for Qt 6.8, so there it
# is built and tested in a fresh Debian 13 root that shares this clone and the build cache.
web=no
if [ "$mode" = web ] || { [ "$mode" = test ] && [ "$plain_only" != 1 ]; }; then
    web=here
    [ "$debian" -lt 13 ] && web=root
fi
# Its package cache is its own: the Debian 13 check of .ci/run may be using the other one.
in_debian13() { # command
    KUGELFIX_DEBIAN13_TREE=bind KUGELFIX_DEBIAN13_COMMAND="$1" \
        KUGELFIX_DEBIAN13_CACHE="${KUGELFIX_CACHE:-/var/cache/kugelfix}/debian13-web" \
        bash scripts/check-debian13.sh
}
if [ "$mode" = web ] && [ $web = root ]; then
    echo "Debian $debian's emscripten cannot build Qt 6.8 for the browser: the page is built in a" \
        "fresh Debian 13 root (debootstrap, in memory; the packages it downloads and Qt for" \
        "WebAssembly stay in /var/cache/kugelfix) and lands in dist/ here."
    in_debian13 'bash scripts/setup.sh web'
    exit
fi

packages=(cmake make g++ qt6-base-dev libgl-dev libx11-dev libxcb1-dev fonts-liberation)
# Debian 13 ships Liberation Sans Narrow, the face for Arial Narrow, in a package of its own.
if [ "$debian" -ge 13 ]; then
    packages+=(fonts-liberation-sans-narrow)
fi
if [ $linux_tests = yes ]; then
    packages+=(appstream desktop-file-utils dpkg-dev build-essential git debhelper lintian devscripts)
    packages+=(qt6-base-private-dev)
    # The desktop test: the window managers of GNOME, KDE (with its Breeze frame), Xfce, MATE
    # (with the mouse settings marco reads), LXDE and others on Xvfb, weston with XWayland, and
    # stress-ng, which keeps the cores busy meanwhile; Qt's Wayland plug-in, which most desktops
    # have and the program must pass over.
    packages+=(python3 xvfb x11-utils xdotool wmctrl stress-ng weston xwayland qt6-wayland)
    packages+=(mutter kwin-x11 kwin-style-breeze xfwm4 marco mate-settings-daemon-common openbox)
    packages+=(metacity icewm fluxbox)
    # The accessibility test: a private D-Bus session, the AT-SPI bus and a client.
    packages+=(dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
fi
if [ $windows = yes ]; then
    # The Windows build: MinGW-w64, Debian's own Qt source, NSIS; its tests run under Wine.
    packages+=(ninja-build dpkg-dev g++-mingw-w64-x86-64-posix nsis python3 python3-pefile)
    [ "$mode" = test ] && packages+=(wine wine64 python3-pil xvfb xdotool)
fi
if [ $web = here ]; then
    # The page: emscripten and Debian's own Qt source; its tests drive Chromium.
    packages+=(emscripten ninja-build dpkg-dev python3)
    [ "$mode" = test ] && packages+=(chromium python3-websocket python3-pil)
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
if { [ $windows = yes ] || [ $web = here ]; } &&
    ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
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

case "$mode" in
windows) exec bash scripts/windows/build.sh ;;
web) exec bash scripts/web/build.sh ;;
run)
    build build -DKUGELFIX_BUILD_TESTS=OFF -DKUGELFIX_BUILD_BENCH=OFF
    exec ./build/kugelfix
    ;;
esac

# What takes longest when not cached yet starts first and goes on beside the Linux suites: Qt
# for Windows, and the Debian 13 root for the page.
background=()
trap 'for job in "${background[@]}"; do kill -- -"$job" 2>/dev/null || true; done' EXIT
if [ $windows = yes ]; then
    qt_log=$(mktemp)
    setsid bash scripts/windows/build-qt.sh >/dev/null 2>"$qt_log" &
    qt_build=$!
    background+=("$qt_build")
fi
if [ $web = root ]; then
    web_log=$(mktemp)
    setsid bash -c "$(declare -f in_debian13); in_debian13 'KUGELFIX_WEB_ONLY=1 bash scripts/setup.sh test'" \
        >"$web_log" 2>&1 &
    web_root=$!
    background+=("$web_root")
fi

export QT_QPA_PLATFORM=offscreen
if [ $linux_tests = yes ]; then
    build build
    (cd build && ctest --output-on-failure -j "$jobs")
    [ "$plain_only" = 1 ] && exit 0

    build build-asan -DKUGELFIX_SANITIZE=ON -DKUGELFIX_BUILD_BENCH=OFF
    (
        export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
        export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        cd build-asan && ctest --output-on-failure -j "$jobs"
    )

    bash scripts/check-package.sh
fi
unset QT_QPA_PLATFORM

if [ $windows = yes ]; then
    wait "$qt_build" || { tail -50 "$qt_log"; exit 1; }
    rm -f "$qt_log"
    KUGELFIX_WINDOWS_TESTS=ON KUGELFIX_WINE_FACES=$(bash scripts/windows/wine-faces.sh) \
        KUGELFIX_LINUX_SCREENSHOTS=$PWD/build/tools/screenshots/kugelfix_screenshots \
        bash scripts/windows/build.sh
    (cd "${KUGELFIX_WINDOWS_BUILD:-build-windows}" && ctest --output-on-failure -j "$jobs")
    bash scripts/windows/check-reproducible.sh
fi

case $web in
here)
    bash scripts/web/build.sh
    (cd build-web && ctest --output-on-failure)
    ;;
root)
    echo "=== The page, built and tested in a Debian 13 root"
    status=0
    wait "$web_root" || status=$?
    cat "$web_log"
    rm -f "$web_log"
    exit $status
    ;;
esac
