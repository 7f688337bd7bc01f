#!/usr/bin/env bash
# Checks that every catalogue is complete for today's sources: lupdate runs over the sources into
# a scratch copy of each catalogue, and no entry may then be unfinished (a text without its
# translation, or one added since), vanished or obsolete (a text the sources no longer have).
#   checkcatalogues.sh LUPDATE SOURCE_DIR TEXT_FOLDER...
set -euo pipefail
cd "$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp translations/*.ts "$scratch/"
"$1" -silent -locations none "${@:3}" -ts "$scratch"/*.ts
if grep -n -B4 -E 'type="(unfinished|vanished|obsolete)"' "$scratch"/*.ts; then
    echo "FAIL: the catalogues named above are not complete for today's sources"
    exit 1
fi
