#!/usr/bin/env bash
# Checks the built Debian package: its files, lintian, the desktop entry, the AppStream listing
# and the manual page, each judged by the tool the desktop or the archive uses.
#   checkpackage.sh DEB_DIR VERSION
set -euo pipefail
deb=$(echo "$1"/*.deb)
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

app=com.harrowfen.Plenwick
expected=(
    usr/bin/plenwick
    usr/libexec/plenwick/sips
    usr/share/applications/$app.desktop
    usr/share/metainfo/$app.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$app.svg
    usr/share/man/man1/plenwick.1.gz
    usr/share/doc/plenwick/copyright
    usr/share/doc/plenwick/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
for language in de es fr ja; do
    expected+=("usr/share/plenwick/translations/plenwick_$language.qm")
done
listing=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./||')
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$listing" || fail "not in the package: $file"
done
grep -v '^usr/' <<<"$listing" | grep . && fail "files outside /usr"

[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "package version is not $version"
# The dependencies come from the binaries: the Qt and image libraries must be among them.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libjpeg62-turbo libpng16-16 libtiff6 libopenjp2-7 libexiv2-27; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# Errors and warnings both fail; informational tags are listed in the README.
lintian --fail-on error,warning "$deb" 2>&1 ||
    fail "lintian"

dpkg-deb --extract "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" || fail "appstreamcli"
# The listing's newest release is the version being packaged.
newest=$(appstreamcli metainfo-to-news --format text "$root/usr/share/metainfo/$app.metainfo.xml" - 2>/dev/null |
    sed -n '1s/^Version \(.*\)$/\1/p')
[ "$newest" = "$version" ] || fail "newest AppStream release is '$newest', not $version"
for size in 16 32 48 64 128 256; do
    identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app.png" |
        grep -qx "${size}x${size}" || fail "icon ${size}x${size} has another size"
done

# The manual page renders without a single groff warning and documents every option.
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=all -l "$root/usr/share/man/man1/plenwick.1.gz" \
    2>"$root/man-warnings")
[ -s "$root/man-warnings" ] && fail "man warnings: $(cat "$root/man-warnings")"
for text in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' --dpi --output --jobs --help --version; do
    grep -qF -- "$text" <<<"$page" || fail "manual page lacks $text"
done

[ "$failed" -eq 0 ] || exit 1
echo "package checks passed"
