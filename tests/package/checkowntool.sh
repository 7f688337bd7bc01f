#!/usr/bin/env bash
# Unpacks the Debian package, takes its image tool away and puts a fake one first on PATH: the
# installed program must refuse the run at once with one clear reason, and the fake must never
# run. Nor may the installed program name a folder of the machine it was built on.
#   checkowntool.sh DEB_DIR SOURCE_DIR BUILD_DIR
set -euo pipefail
deb=$(echo "$1"/*.deb)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
mkdir -p "$root" "$scratch/pictures" "$scratch/copies" "$scratch/config" "$scratch/fake"
dpkg-deb --extract "$deb" "$root"
failed=0

for folder in "$(realpath "$2")" "$(realpath "$3")"; do
    if strings "$root/usr/bin/plenwick" | grep -qF "$folder"; then
        echo "FAIL: the installed program names $folder"
        failed=1
    fi
done

rm "$root/usr/libexec/plenwick/sips"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$scratch/fake-ran" >"$scratch/fake/sips"
chmod +x "$scratch/fake/sips"
convert -size 48x32 gradient:orange-navy "$scratch/pictures/a.png"

status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
    PATH="$scratch/fake:$PATH" \
    "$root/usr/bin/plenwick" --dpi 240 --output "$scratch/copies" "$scratch/pictures" \
    >"$scratch/out" 2>"$scratch/err" || status=$?

[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, not 1"; failed=1; }
grep -q "^plenwick: the program's image tool .* is missing" "$scratch/err" &&
    [ "$(wc -l <"$scratch/err")" -eq 1 ] ||
    { echo "FAIL: not one clear reason:"; cat "$scratch/err"; failed=1; }
[ ! -e "$scratch/fake-ran" ] || { echo "FAIL: another sips ran: $(cat "$scratch/fake-ran")"; failed=1; }
[ -z "$(ls -A "$scratch/copies")" ] || { echo "FAIL: something was written"; failed=1; }
[ "$failed" -eq 0 ] && echo "installed program without its tool: refused, no other tool run"
exit "$failed"
