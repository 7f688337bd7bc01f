#!/usr/bin/env bash
# Checks the built Debian package as the archive and a desktop would: its files, lintian, the
# desktop entry, the AppStream listing and the manual page. Then, unpacked into a scratch root,
# the installed command line converts real pictures, judged by ExifTool, and refuses to run
# without its own image tool.
#   checkpackage.sh DEB_DIR VERSION SOURCE_DIR BUILD_DIR
set -euo pipefail
deb=$(echo "$1"/*.deb)
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
failed=0
fail() { echo "FAIL: $*"; failed=1; }
app=com.harrowfen.Plenwick

[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "package version is not $version"
# Errors and warnings both fail (a binary's library missing from Depends, a groff warning in the
# manual page, a folder outside /usr); informational tags are listed in the README.
lintian --fail-on error,warning "$deb" || fail lintian

dpkg-deb --extract "$deb" "$root"
# The program and its tool are judged by running them below, copyright and changelog by lintian.
for file in usr/share/icons/hicolor/scalable/apps/$app.svg \
    usr/share/plenwick/translations/plenwick_{de,es,fr,ja}.qm; do
    [ -f "$root/$file" ] || fail "not in the package: $file"
done
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail desktop-file-validate
metainfo=$root/usr/share/metainfo/$app.metainfo.xml
# The listing's newest release is the version being packaged.
newest=$(appstreamcli metainfo-to-news --format text "$metainfo" - 2>/dev/null |
    sed -n '1s/^Version //p')
[ "$newest" = "$version" ] || fail "newest AppStream release is '$newest', not $version"
for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "no ${size}x$size icon"
done
# The manual page renders and documents every option.
page=$(LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/plenwick.1.gz")
for text in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' --dpi --output --jobs --help --version; do
    grep -qF -- "$text" <<<"$page" || fail "manual page lacks $text"
done

# The installed program runs with no display (that it uses the installed tool, not the build
# tree's, shows below, where it refuses without it).
installed() { env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$scratch/config" "$@"; }
mkdir -p "$scratch/pictures" "$scratch/copies" "$scratch/config" "$scratch/fake" "$scratch/none"
photos=/usr/share/backgrounds/mate/nature
cp "$photos/Aqua.jpg" "$photos/FreshFlower.jpg" "$scratch/pictures/"
convert "$photos/GreenMeadow.jpg" -resize 50% "$scratch/pictures/Meadow.png"
convert "$photos/LadyBird.jpg" -resize 50% "$scratch/pictures/Lady Bird.TIFF"
installed QT_QPA_PLATFORM=xcb "$root/usr/bin/plenwick" --dpi 240 --output "$scratch/copies" \
    "$scratch/pictures"
for name in Aqua.jpg FreshFlower.jpg Meadow.png "Lady Bird.TIFF"; do
    dpi=$(exiftool -s3 -n -XResolution -YResolution "$scratch/copies/$name" | tr '\n' ' ')
    [ "$dpi" = "240 240 " ] || fail "$name reads '$dpi', not 240"
done
# The installed catalogues are found from the program's own place, whatever the working folder.
german=$(cd "$scratch" && installed LANG=de_DE.UTF-8 LANGUAGE= LC_ALL= "$root/usr/bin/plenwick" \
    --dpi 240 "$scratch/pictures" 2>&1 || true)
[ "$german" = $'plenwick: --output fehlt\nWeitere Informationen mit \'plenwick --help\'.' ] ||
    fail "not German: $german"

# Without its own tool it refuses at once with one clear reason, and never runs another sips
# found on PATH. Nor may it name a folder of the machine it was built on.
for folder in "$(realpath "$3")" "$(realpath "$4")"; do
    grep -qaF "$folder" "$root/usr/bin/plenwick" && fail "the installed program names $folder"
done
rm "$root/usr/libexec/plenwick/sips"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$scratch/fake-ran" >"$scratch/fake/sips"
chmod +x "$scratch/fake/sips"
status=0
installed QT_QPA_PLATFORM=xcb PATH="$scratch/fake:$PATH" "$root/usr/bin/plenwick" --dpi 240 \
    --output "$scratch/none" "$scratch/pictures" >/dev/null 2>"$scratch/err" || status=$?
[ "$status" -eq 1 ] || fail "without its tool: exit status $status, not 1"
grep -q "^plenwick: the program's image tool .* is missing" "$scratch/err" &&
    [ "$(wc -l <"$scratch/err")" -eq 1 ] ||
    fail "without its tool, not one clear reason: $(cat "$scratch/err")"
[ ! -e "$scratch/fake-ran" ] || fail "another sips ran: $(cat "$scratch/fake-ran")"
[ -z "$(ls -A "$scratch/none")" ] || fail "something was written without the tool"
exit "$failed"
