#!/usr/bin/env bash
# Builds the Debian package twice from clean copies of HEAD, in different folders and at different
# times, checks the first with lintian and hardening-check and compares the two byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() { # folder, extra tar options...
    local dir=$1
    shift
    mkdir -p "$dir"
    git archive HEAD | tar -x -C "$dir" "$@"
    if ! (cd "$dir" && dpkg-buildpackage -us -uc -b -j"$jobs" >../build.log 2>&1); then
        tail -n 40 "$dir/../build.log" >&2
        echo "package build in $dir failed" >&2
        exit 1
    fi
}

first=$work/a/kugelfix
second=$work/b/a/much/longer/path/kugelfix
# The first copy keeps the commit's file times, the second gets the time of extraction; the second
# build also runs with another umask and time zone.
build "$first"
(umask 0002 && TZ=Pacific/Auckland build "$second" --touch)

status=0
lintian --pedantic -I --show-overrides --fail-on error,warning "$first"/../kugelfix_*.changes || status=1

dpkg-deb -x "$first"/../kugelfix_*_"$(dpkg --print-architecture)".deb "$work/root"
# The glibc start files of Debian 12 and 13 carry no control-flow marks, so no program there can
# have them; branch protection, which Debian 13's hardening-check asks for, is an arm64 feature.
skip=(--nocfprotection)
usage=$(hardening-check --help 2>&1 || true)
if grep -q -- --nobranchprotection <<<"$usage"; then
    skip+=(--nobranchprotection)
fi
report=$(hardening-check "${skip[@]}" "$work/root/usr/games/kugelfix") || status=1
echo "$report"
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
    "Read-only relocations" "Immediate binding"; do
    grep -q "^ $feature: yes" <<<"$report" || {
        echo "hardening-check: $feature is not yes" >&2
        status=1
    }
done

packages=$(cd "$first/.." && ls -- *.deb)
[ "$packages" = "$(cd "$second/.." && ls -- *.deb)" ] || {
    echo "the two builds made different sets of packages" >&2
    status=1
}
for deb in $packages; do
    (cd "$work" && sha256sum "a/$deb" "b/a/much/longer/path/$deb")
    cmp "$first/../$deb" "$second/../$deb" || {
        echo "$deb differs between the two builds" >&2
        status=1
    }
done
exit $status
