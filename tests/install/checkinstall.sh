#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the layout a Linux desktop expects.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/plenwick libexec/plenwick/sips share/applications/plenwick.desktop \
    share/icons/hicolor/256x256/apps/plenwick.png; do
    [ -f "$prefix/$file" ] || { echo "missing after install: $file"; exit 1; }
done
[ -x "$prefix/bin/plenwick" ] && [ -x "$prefix/libexec/plenwick/sips" ]
desktop-file-validate "$prefix/share/applications/plenwick.desktop"
# The installed tool runs on its own, without the build tree.
"$prefix/libexec/plenwick/sips" --help >/dev/null
echo "install layout: 1 passed, 0 failed"
