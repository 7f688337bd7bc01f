#!/usr/bin/env bash
# Checks that every catalogue is complete for today's sources: lupdate runs over the sources into
# a scratch copy of each catalogue, and no entry may then be unfinished (a text without its
# translation, or one added since), vanished or obsolete (a text the sources no longer have).
#   checkcatalogues.sh LUPDATE SOURCE_DIR TEXT_FOLDER...
set -euo pipefail
lupdate=$1
cd "$2"
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp translations/*.ts "$scratch/"
"$lupdate" -silent -locations none "$@" -ts "$scratch"/*.ts

failed=0
for copy in "$scratch"/*.ts; do
    if grep -n -B4 -E 'type="(unfinished|vanished|obsolete)"' "$copy"; then
        echo "FAIL: $(basename "$copy") is not complete for today's sources (entries above)"
        failed=1
    fi
done
exit "$failed"
