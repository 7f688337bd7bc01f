#!/usr/bin/env bash
# Checks that every catalogue is complete for today's sources: lupdate runs over the sources into
# a scratch copy of each catalogue, and no entry may then be unfinished (a text without its
# translation, or one added since), vanished or obsolete (a text the sources no longer have).
#   checkcatalogues.sh LUPDATE SOURCE_DIR CATALOGUE... -- TEXT_FOLDER...
set -euo pipefail
lupdate=$1
source_dir=$2
shift 2
catalogues=()
while [ "$1" != "--" ]; do
    catalogues+=("$1")
    shift
done
shift
folders=()
for folder in "$@"; do folders+=("$source_dir/$folder"); done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copies=()
for catalogue in "${catalogues[@]}"; do
    cp "$catalogue" "$scratch/"
    copies+=("$scratch/$(basename "$catalogue")")
done
"$lupdate" -silent -locations none "${folders[@]}" -ts "${copies[@]}"

failed=0
for copy in "${copies[@]}"; do
    name=$(basename "$copy")
    entries=$(grep -c '<message' "$copy")
    [ "$entries" -gt 0 ] || { echo "FAIL: $name holds no text"; failed=1; }
    if grep -n -B4 -E 'type="(unfinished|vanished|obsolete)"' "$copy"; then
        echo "FAIL: $name is not complete for today's sources (entries above)"
        failed=1
    fi
    [ "$failed" -eq 0 ] && echo "$name: $entries texts, all translated"
done
exit "$failed"
