#!/usr/bin/env bash
# Builds the Windows release once more from a clean copy of the tracked files, in another folder,
# later, with another umask and time zone, and compares it byte for byte with the one in dist/.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy=$work/a/much/longer/path/kugelfix
mkdir -p "$copy"
# Uncommitted changes to tracked files too, as the release in dist/ was built with them.
snapshot=$(git stash create)
git archive "${snapshot:-HEAD}" | tar -x -C "$copy" --touch
# The copy has no history to take the commit's time from.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
if ! (cd "$copy" && umask 0002 && TZ=Pacific/Auckland KUGELFIX_WINDOWS_BUILD=build-again \
    bash scripts/windows/build.sh >"$work/build.log" 2>&1); then
    tail -n 40 "$work/build.log" >&2
    echo "the second Windows build failed" >&2
    exit 1
fi

members() { # the members of a zip with their checksums
    python3 -c 'import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist(): print("%08x %s" % (i.CRC, i.filename))' "$1"
}

status=0
for file in dist/kugelfix-*-windows-x64.zip dist/kugelfix-*-windows-x64-debug.zip \
    dist/kugelfix-*-setup.exe; do
    first=$(sha256sum <"$file")
    second=$(sha256sum <"$copy/$file")
    echo "${first%% *}  ${second%% *}  ${file#dist/}"
    if [ "$first" != "$second" ]; then
        echo "$file differs between two builds of the same source" >&2
        [[ $file != *.zip ]] || diff <(members "$file") <(members "$copy/$file") >&2 || true
        status=1
    fi
done
exit $status
