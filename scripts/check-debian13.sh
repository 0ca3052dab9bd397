#!/usr/bin/env bash
# Runs the test command in a fresh minimal Debian 13 root made with debootstrap: there it installs
# what is missing, builds plainly and runs every test. Needs root. The root lives in memory and is
# gone afterwards; downloaded packages and package lists stay in a cache outside the clone for the
# next run.
#   KUGELFIX_DEBIAN13_CACHE     the cache folder (default /var/cache/kugelfix/debian13)
#   KUGELFIX_DEBIAN13_COMMAND   what to run in the clone there instead (e.g. the package check)
#   KUGELFIX_DEBIAN13_TREE      copy (default): a fresh copy of the clone's committed tree;
#                               bind: the clone itself with its builds and dist/, and the
#                               build cache /var/cache/kugelfix, for what only Debian 13 builds
set -euo pipefail
cd "$(dirname "$0")/.."
suite=trixie
mirror=http://deb.debian.org/debian
cache=${KUGELFIX_DEBIAN13_CACHE:-/var/cache/kugelfix/debian13}
command=${KUGELFIX_DEBIAN13_COMMAND:-KUGELFIX_PLAIN_ONLY=1 bash scripts/setup.sh test}
tree=${KUGELFIX_DEBIAN13_TREE:-copy}
builds=${KUGELFIX_CACHE:-/var/cache/kugelfix}

# Inside a private mount and PID namespace: every mount and process made here ends with it.
if [ "${1:-}" = --inside ]; then
    root=$2
    log=$3
    # In memory: dpkg syncs every file it writes, and the disk is slow at that.
    mount -t tmpfs -o mode=0755 tmpfs "$root"
    debootstrap --variant=minbase --cache-dir="$cache/archives" "$suite" "$root" "$mirror" \
        >"$log" 2>&1 || {
        tail -n 30 "$log" >&2
        echo "debootstrap failed" >&2
        exit 1
    }
    echo "[debian13 ${SECONDS}s] root made"
    rm -f "$root/etc/apt/sources.list"
    cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: ${mirror}-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    cp /etc/resolv.conf "$root/etc/resolv.conf"

    mount -t proc proc "$root/proc"
    mount -t sysfs -o ro sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    mount --bind "$cache/archives" "$root/var/cache/apt/archives"
    mount --bind "$cache/lists" "$root/var/lib/apt/lists"

    if [ "$tree" = bind ]; then
        # At the same paths as outside, so that what is built there can be used here.
        clone=$PWD
        mkdir -p "$root$clone" "$root$builds"
        mount --bind "$clone" "$root$clone"
        mount --bind "$builds" "$root$builds"
    else
        clone=/root/kugelfix
        git init -q "$root$clone"
        git -C "$root$clone" fetch -q --depth 1 "file://$PWD" HEAD
        git -C "$root$clone" checkout -q FETCH_HEAD
    fi

    exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        KUGELFIX_CACHE="$builds" bash -c "cd '$clone' && $command"
fi

[ "$(id -u)" = 0 ] || {
    echo "$0 needs root" >&2
    exit 2
}
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi
mkdir -p "$cache/archives/partial" "$cache/lists/partial"
work=$(mktemp -d /var/tmp/kugelfix-debian13.XXXXXX)
mkdir "$work/root"
cleanup() {
    # The namespace took its mounts with it; never delete through one that is left.
    if findmnt -rn -o TARGET | grep -q "^$work/"; then
        echo "mounts left under $work; not removing it" >&2
        return
    fi
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT

mkdir -p "$builds"
echo "Debian 13 root in $work"
SECONDS=0
# unshare ignores SIGINT and SIGTERM; killed, it takes the whole namespace with it.
unshare --mount --pid --fork --kill-child --propagation private \
    bash "$0" --inside "$work/root" "$work/debootstrap.log" &
inside=$!
trap 'kill -KILL $inside; exit 130' INT TERM HUP
status=0
wait $inside || status=$?
echo "[debian13 ${SECONDS}s] in the Debian 13 root, '$command' ended with status $status"
exit $status
