#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks an installed Quillmere tree the way a desktop reads it: the desktop
# entry and the AppStream metainfo validate, the entry's command is the
# installed binary, its icon exists in every size it claims, and the
# metainfo's newest release is this version.
#
# Usage: check-install-tree.sh ROOT PREFIX VERSION   (e.g. /tmp/root /usr 0.1.0)
set -euo pipefail
root=$1 prefix=$2 version=$3
share=$root$prefix/share
entry=$share/applications/quillmere.desktop

fail() { echo "FAIL: $*" >&2; exit 1; }

# Hints (two main categories, asked for on purpose) are not failures.
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli rejects the tree"

key() { awk -v key="$1" 'index($0, key "=") == 1 && !found {print substr($0, length(key) + 2); found = 1}' "$entry"; }

exec_line=$(key Exec)
[[ -x $root$prefix/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not an installed program"

icon=$(key Icon)
[[ -s $share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon.svg"
sizes=0
for png in "$share"/icons/hicolor/*x*/apps/"$icon".png; do
  [[ -e $png ]] || break
  dir=$(basename "$(dirname "$(dirname "$png")")")
  actual=$(python3 -c 'import struct, sys
head = open(sys.argv[1], "rb").read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
print("%dx%d" % struct.unpack(">II", head[16:24]))' "$png") || fail "$png is not a PNG"
  [[ $actual == "$dir" ]] || fail "$png is $actual, not $dir"
  sizes=$((sizes + 1))
done
((sizes >= 5)) || fail "only $sizes PNG sizes of the icon"

metainfo=$(echo "$share"/metainfo/*.metainfo.xml)
newest=$(python3 -c 'import sys, xml.etree.ElementTree as ET
releases = ET.parse(sys.argv[1]).getroot().find("releases")
print(releases[0].get("version") if releases is not None and len(releases) else "")' "$metainfo")
[[ $newest == "$version" ]] || fail "the metainfo's newest release is '$newest', the project is $version"

echo "install tree OK: $entry, $sizes PNG icon sizes, metainfo $newest"
