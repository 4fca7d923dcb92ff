#!/usr/bin/env bash
# Builds the Debian package build/pkg/stemlook_VERSION_ARCH.deb from a Release build (preset
# package), then checks what it holds: the desktop entry and AppStream metainfo validate, the
# metainfo's newest release is the package's version, both PNG icons are there, only the two
# programs are in it, and stemlook-text runs from the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package

rm -f build/pkg/stemlook_*.deb
(cd build/pkg && cpack)
debs=(build/pkg/stemlook_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || {
  echo "package.sh: expected one build/pkg/stemlook_*.deb" >&2
  exit 1
}
deb="${debs[0]}"

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
id=io.github.stemlook.Stemlook
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

version="$(dpkg-deb -f "$deb" Version)"
release="$(grep -oPm1 '<release version="\K[^"]+' "$root/usr/share/metainfo/$id.metainfo.xml")"
if [ "$release" != "$version" ]; then
  echo "package.sh: the metainfo's newest release is $release, the package's version $version" >&2
  exit 1
fi
for size in 48 256; do
  if [ ! -f "$root/usr/share/icons/hicolor/${size}x$size/apps/stemlook.png" ]; then
    echo "package.sh: the ${size}x$size PNG icon is missing" >&2
    exit 1
  fi
done
programs="$(ls "$root/usr/bin" | tr '\n' ' ')"
if [ "$programs" != "stemlook stemlook-text " ]; then
  echo "package.sh: usr/bin holds $programs, not just stemlook and stemlook-text" >&2
  exit 1
fi

"$root/usr/bin/stemlook-text" --version
"$root/usr/bin/stemlook-text" --messages examples/family.kvd >"$root/messages.txt"
head -n 1 "$root/messages.txt"
"$root/usr/bin/stemlook" --version

dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Depends
echo "package.sh: built and checked $deb"
