#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the layout a Linux desktop expects.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

app=com.harrowfen.Plenwick
cmake --install "$build" --prefix "$prefix" >/dev/null
files=(bin/plenwick libexec/plenwick/sips share/applications/$app.desktop
    share/metainfo/$app.metainfo.xml share/icons/hicolor/scalable/apps/$app.svg
    share/man/man1/plenwick.1.gz)
for size in 16 32 48 64 128 256; do
    files+=("share/icons/hicolor/${size}x${size}/apps/$app.png")
done
for file in "${files[@]}"; do
    [ -f "$prefix/$file" ] || { echo "missing after install: $file"; exit 1; }
done
[ -x "$prefix/bin/plenwick" ] && [ -x "$prefix/libexec/plenwick/sips" ]
desktop-file-validate "$prefix/share/applications/$app.desktop"
# The installed tool runs on its own, without the build tree.
"$prefix/libexec/plenwick/sips" --help >/dev/null
echo "install layout: 1 passed, 0 failed"
