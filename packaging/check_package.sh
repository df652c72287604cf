#!/usr/bin/env bash
# Checks the built Debian packages gryvel and gryvel-data: the desktop entry and AppStream
# metadata validate, together they hold what an installation needs and nothing outside /usr,
# the dictionaries are in the data package for every architecture, lintian --pedantic reports
# nothing (the overrides in packaging/lintian-overrides give the reasons for what it may), and
# gryvel-cli unpacked from them finds the bundled dictionary under /usr/share/gryvel.
# Usage: check_package.sh DEB DATA_DEB, or both paths in one argument as scripts/package
# prints them.
set -euo pipefail
read -r -d '' deb data_deb _ <<<"$*" || true
[[ -n ${data_deb:-} ]] || { echo "usage: check_package.sh DEB DATA_DEB" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"
dpkg-deb -x "$data_deb" "$root"

echo "desktop entry, AppStream metadata, file type"
desktop-file-validate "$root/usr/share/applications/io.github.gryvel.Gryvel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.gryvel.Gryvel.metainfo.xml" >/dev/null
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/gryvel.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1
grep -q 'glob="\*.kiv"\|\*\.kiv' "$work/mime/globs2"

echo "file list"
contents() { dpkg-deb -c "$1" | awk '{print $NF}' | sed 's|^\./|/|'; }
files=$(contents "$deb"; contents "$data_deb")
missing=0
for file in /usr/bin/gryvel /usr/bin/gryvel-cli \
  /usr/share/gryvel/Dictionaries/dictionary.kiv /usr/share/gryvel/Dictionaries/english.kiv \
  /usr/share/gryvel/Dictionaries/meaning_bridge.bin \
  /usr/share/gryvel/help/index.html /usr/share/gryvel/help/index_en.html \
  /usr/share/gryvel/help/{main_window,dictionaries,filter,statistics,options}{,_en}.html \
  /usr/share/applications/io.github.gryvel.Gryvel.desktop \
  /usr/share/metainfo/io.github.gryvel.Gryvel.metainfo.xml /usr/share/mime/packages/gryvel.xml \
  /usr/share/icons/hicolor/scalable/apps/gryvel.svg \
  /usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/gryvel.png \
  /usr/share/man/man1/gryvel.1.gz /usr/share/man/man1/gryvel-cli.1.gz \
  /usr/share/bash-completion/completions/gryvel-cli \
  /usr/share/doc/gryvel{,-data}/{copyright,changelog.Debian.gz}; do
  grep -qx -- "$file" <<<"$files" || { echo "missing: $file"; missing=1; }
done
stray=$(grep -v '^/usr/\|^/$' <<<"$files" || true)
stray+=$(grep '^/usr/local\|\.a$\|\.h$\|\.o$\|CMake' <<<"$files" || true)
[[ -z $stray ]] || { echo "unexpected: $stray"; missing=1; }
[[ $missing -eq 0 ]]
grep -q 'BSD\|Princeton' "$root/usr/share/doc/gryvel/copyright"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$root/usr/share/doc/gryvel/copyright"
grep -q 'LGPL-2.1' "$root/usr/share/doc/gryvel/copyright"
if contents "$deb" | grep -q '^/usr/share/gryvel/Dictionaries/.'; then
  echo "dictionaries in the program's package"; exit 1
fi
[[ $(dpkg-deb -f "$data_deb" Architecture) == all ]] || { echo "gryvel-data is not Architecture: all"; exit 1; }

echo "dependencies: $(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6svg6 qt6-qpa-plugins fonts-liberation2 gryvel-data; do
  dpkg-deb -f "$deb" Depends | grep -q "$needed" || { echo "no dependency on $needed"; exit 1; }
done

echo "lintian"
lintian --pedantic --fail-on warning,error,info,pedantic \
  --suppress-tags-from-file "$(dirname "$0")/lintian-overrides" "$deb" "$data_deb"

echo "gryvel-cli under /usr"
# A private mount namespace shows the package's data at /usr/share/gryvel and nothing else
# of /usr/share, so the dictionary can only come from the installed place.
unshare -m --propagation private sh -c '
  mount -t tmpfs none /usr/share && mkdir /usr/share/gryvel &&
  mount --bind "$1/usr/share/gryvel" /usr/share/gryvel &&
  "$1/usr/bin/gryvel-cli" --count crossword "к?т"' sh "$root" >"$work/count"
[[ $(cat "$work/count") -gt 0 ]] || { echo "gryvel-cli found no words: $(cat "$work/count")"; exit 1; }
echo "packages ok: $(basename "$deb"), installed size $(dpkg-deb -f "$deb" Installed-Size) KiB;" \
  "$(basename "$data_deb"), $(dpkg-deb -f "$data_deb" Installed-Size) KiB"
