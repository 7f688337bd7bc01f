#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root and runs the installed command line, with no
# display, on a folder of real pictures; ExifTool then reads the resolution of every copy.
#   checkinstalled.sh DEB_DIR
set -euo pipefail
deb=$(echo "$1"/*.deb)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
mkdir -p "$root" "$scratch/pictures" "$scratch/copies" "$scratch/config"
dpkg-deb --extract "$deb" "$root"

# The installed program must use the installed tool, not the one of the build tree: a wrapper
# in its place counts the calls.
tool=$root/usr/libexec/plenwick/sips
mv "$tool" "$tool.real"
printf '#!/bin/sh\necho call >>"%s"\nexec "%s" "$@"\n' "$scratch/calls" "$tool.real" >"$tool"
chmod +x "$tool"

photos=/usr/share/backgrounds/mate/nature
cp "$photos/Aqua.jpg" "$photos/FreshFlower.jpg" "$scratch/pictures/"
convert "$photos/GreenMeadow.jpg" -resize 50% "$scratch/pictures/Meadow.png"
convert "$photos/LadyBird.jpg" -resize 50% "$scratch/pictures/Lady Bird.TIFF"

env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
    "$root/usr/bin/plenwick" --dpi 240 --output "$scratch/copies" "$scratch/pictures"

failed=0
for name in Aqua.jpg FreshFlower.jpg Meadow.png "Lady Bird.TIFF"; do
    dpi=$(exiftool -s3 -n -XResolution -YResolution "$scratch/copies/$name" | tr '\n' ' ')
    [ "$dpi" = "240 240 " ] || { echo "FAIL: $name reads '$dpi', not 240"; failed=1; }
done
[ "$(wc -l <"$scratch/calls")" -eq 12 ] ||
    { echo "FAIL: the installed tool ran $(wc -l <"$scratch/calls") times, not 3 per picture"; failed=1; }
[ -z "$(ls -A "$scratch/config")" ] || { echo "FAIL: settings written"; failed=1; }
# The installed catalogues are found from the program's own place, whatever the working folder.
german=$(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY LANG=de_DE.UTF-8 LANGUAGE= LC_ALL= \
    "$root/usr/bin/plenwick" --dpi 240 "$scratch/pictures" 2>&1 || true)
[ "$german" = "plenwick: --output fehlt
Weitere Informationen mit 'plenwick --help'." ] || { echo "FAIL: not German: $german"; failed=1; }
[ "$failed" -eq 0 ] && echo "installed command line: 4 pictures at 240 DPI"
exit "$failed"
