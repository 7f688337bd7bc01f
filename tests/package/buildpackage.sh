#!/usr/bin/env bash
# Builds the Debian package of BUILD_DIR into OUT_DIR, replacing what an earlier run left there.
set -euo pipefail
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out/work" >/dev/null
mv "$out"/work/*.deb "$out/"
rm -rf "$out/work"
ls "$out"/*.deb
