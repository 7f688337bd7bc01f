#!/usr/bin/env bash
# Builds the Debian package of BUILD_DIR into OUT_DIR, replacing what an earlier run left there.
set -euo pipefail
rm -rf "$2"
cpack --config "$1/CPackConfig.cmake" -B "$2" >/dev/null
ls "$2"/*.deb
