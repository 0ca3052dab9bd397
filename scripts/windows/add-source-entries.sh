#!/usr/bin/env bash
# Adds source entries (deb-src) for the Debian archives apt already uses, so that
# `apt-get source` finds Debian's own Qt. Other archives are left out: they may have no sources.
set -euo pipefail
debian='deb\.debian\.org|security\.debian\.org|/debian/?( |$)|/debian-security/?( |$)'
stanzas=/etc/apt/sources.list.d/kugelfix-debian-src.sources
lines=/etc/apt/sources.list.d/kugelfix-debian-src.list

for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] && [ "$file" != "$stanzas" ] || continue
    # A stanza a paragraph; only binary stanzas of a Debian archive are copied.
    awk -v RS= -v ORS='\n\n' -v debian="$debian" '
        /(^|\n)Types:[^\n]*deb/ && $0 ~ ("URIs:[^\n]*(" debian ")") {
            sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
done >"$stanzas.new"
mv "$stanzas.new" "$stanzas"

if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | grep -E "$debian" | sed 's/^deb /deb-src /' >"$lines" || true
    [ -s "$lines" ] || rm "$lines"
fi
echo "Added source entries for Debian's archives to /etc/apt/sources.list.d"
