#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs the build tree as a .deb, lints it, installs it into a scratch root
# whose package database is this machine's (so dpkg checks the Depends), checks
# the installed tree, starts the installed binary on a private X server for
# what a launcher needs, and removes the package again.
#
# Usage: package-test.sh BUILD_DIR VERSION
source "$(dirname "$0")/session.sh"
build=$(realpath "$1")
version=$2

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
deb=$scratch/out/quillmere_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb: $(ls "$scratch/out")"

# Debian's own checker finds no error and no warning; a tag that does not
# apply is overridden inside the package, with the reason beside it.
lintian --fail-on error,warning --show-overrides "$deb" >"$scratch/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v '^running with root' "$scratch/lintian.log")"

root=$scratch/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
cp /var/lib/dpkg/status "$root/var/lib/dpkg/status"
# dpkg warns once for every package of this machine whose file list the
# scratch database lacks; only a failure is worth showing.
dpkg --root="$root" --install "$deb" >"$scratch/dpkg.log" 2>&1 || fail "dpkg --install: $(grep -v 'files list file' "$scratch/dpkg.log")"

# The installed tree as a desktop reads it.
share=$root/usr/share
entry=$share/applications/org.quillmere.Quillmere.desktop
# Hints (two main categories, asked for on purpose) are not failures.
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli rejects the tree"

key() { awk -v key="$1" 'index($0, key "=") == 1 && !found {print substr($0, length(key) + 2); found = 1}' "$entry"; }

exec_line=$(key Exec)
[[ -x $root/usr/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not an installed program"

icon=$(key Icon)
[[ -s $share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon.svg"
sizes=0
for png in "$share"/icons/hicolor/*x*/apps/"$icon".png; do
  [[ -e $png ]] || break
  dir=$(basename "$(dirname "$(dirname "$png")")")
  actual=$(identify -format '%m %wx%h' "$png" | sed -n 's/^PNG //p')
  [[ $actual == "$dir" ]] || fail "$png is $actual, not $dir"
  sizes=$((sizes + 1))
done
((sizes >= 5)) || fail "only $sizes PNG sizes of the icon"

metainfo=$(echo "$share"/metainfo/*.metainfo.xml)
newest=$(python3 -c 'import sys, xml.etree.ElementTree as ET
releases = ET.parse(sys.argv[1]).getroot().find("releases")
print(releases[0].get("version") if releases is not None and len(releases) else "")' "$metainfo")
[[ $newest == "$version" ]] || fail "the metainfo's newest release is '$newest', the project is $version"

newest=$(zcat "$root/usr/share/doc/quillmere/changelog.gz" | sed -n '1s/^quillmere (\([^)]*\)).*/\1/p')
[[ $newest == "$version" ]] || fail "the changelog's newest entry is '$newest', the package is $version"

# The Depends name real packages of this machine: the libraries the binary
# links directly (found by dpkg-shlibdeps) and what no linker sees.
depends=$(dpkg-deb --field "$deb" Depends)
depended=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g')
depends_on() { grep -qx "$1" <<<"$depended"; }
# The package that owns a library's path, as this machine names it (before or
# after /usr was merged into /).
owner_of() {
  { dpkg -S "$1" || dpkg -S "/usr$1" || dpkg -S "$(realpath "$1")"; } 2>/dev/null | awk -F: 'NR == 1 {print $1}'
}
mapfile -t needed < <(objdump -p "$root/usr/bin/quillmere" | awk '/NEEDED/ {print $2}')
linked=$(ldd "$root/usr/bin/quillmere")
((${#needed[@]} > 0)) || fail "the installed binary links no shared library"
for lib in "${needed[@]}"; do
  path=$(awk -v lib="$lib" '$1 == lib && $3 ~ /^\// {print $3}' <<<"$linked")
  [[ -n $path ]] || fail "$lib is not installed"
  owner=$(owner_of "$path") || fail "no package owns $path"
  depends_on "$owner" || fail "$lib comes from $owner, which is not in Depends: $depends"
done
for package in libtesseract5 tesseract-ocr-heb fonts-noto-core fonts-noto-ui-core qt6-wayland; do
  depends_on "$package" || fail "Depends lacks $package: $depends"
done

start_xvfb
QT_QPA_PLATFORM=xcb "$root/usr/bin/quillmere" >"$scratch/app.log" 2>&1 &
app=$!
track $app
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillmere$' | awk 'NR == 1') ||
  fail "no window titled Quillmere: $(cat "$scratch/app.log")"

wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "\(.*\)", "\(.*\)"/\2/p')
startup_class=$(key StartupWMClass)
[[ $wm_class == "$startup_class" ]] || fail "window class '$wm_class', desktop entry says '$startup_class'"
# Task bars and switchers pick the size they draw from the window's icon.
icon_sizes=$(xprop -len 100000000 -id "$window" _NET_WM_ICON | { grep -o 'Icon ([0-9]* x [0-9]*)' || true; } |
  tr -dc '0-9x\n')
for size in 16x16 32x32 48x48; do
  grep -qx "$size" <<<"$icon_sizes" || fail "the window's icon lacks $size; it has: $icon_sizes"
done

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+q
wait_exit $app 20
((exit_status == 0)) || fail "quillmere exited with status $exit_status: $(cat "$scratch/app.log")"

dpkg --root="$root" --remove quillmere >>"$scratch/dpkg.log" 2>&1 || fail "dpkg --remove failed"
left=$(find "$root" -path "$root/var" -prune -o -type f -print | wc -l)
((left == 0)) || fail "$left files are left after removing the package"

echo "package OK: $(basename "$deb"), class $wm_class, Depends: $depends"
echo "lintian: no error, no warning; overridden: $(grep -c '^O:' "$scratch/lintian.log" || true)"
grep '^O:' "$scratch/lintian.log" || true
