#!/usr/bin/env bash
# Takes the README's screenshots of the real window under Xvfb: the window ready to run, the
# window in the middle of a batch over the photographs of Debian's mate-backgrounds package
# (enlarged to a camera's 24 megapixels, so that the run lasts long enough to be seen), and the
# alert at its end naming the two broken files put among them.
# Usage: scripts/screenshots.sh [build folder]
set -euo pipefail
build=$(realpath "${1:-build}")
docs=$(realpath "$(dirname "$0")/../docs")
work=/tmp/plenwick-screenshots
rm -rf "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/config DISPLAY=:97
mkdir -p "$HOME/Pictures/Holiday" "$HOME/Converted" "$XDG_CONFIG_HOME/plenwick"
for photo in /usr/share/backgrounds/mate/nature/*.jpg; do
    convert "$photo" -resize '6000x4000!' -quality 92 "$HOME/Pictures/Holiday/$(basename "$photo")"
done
head -c 40000 /usr/share/backgrounds/mate/nature/Dune.jpg >"$HOME/Pictures/Holiday/Beach (copy broke off).jpg"
printf 'shopping list\n' >"$HOME/Pictures/Holiday/notes.png"
printf '[General]\niStatement=1\n' >"$XDG_CONFIG_HOME/plenwick/plenwick.ini"

Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
sleep 1
"$build/app/plenwick" >/dev/null 2>&1 &
sleep 2
window=$(xdotool search --sync --name '^Plenwick$' | head -n 1)
click() { xdotool mousemove "$1" "$2" click --repeat "${3:-1}" --delay 80 1; sleep 1; }

# Positions below are those of the windows on this 1280x800 screen without a window manager.
click 260 128                               # the output-folder button
xdotool search --sync --name 'Select Destination' >/dev/null
click 480 224 2                             # open "Converted"
click 862 512                               # Select This Folder
click 678 449                               # Ok
import -window "$window" "$docs/main-window.png"

click 260 176                               # Start
xdotool search --sync --name 'Select Source' >/dev/null
click 472 242 2                             # open "Pictures"
click 470 224 2                             # open "Holiday"
click 842 512                               # Select this picture folder
sleep 3
import -window "$window" "$docs/converting.png"

# The failure alert comes up over the window once the run is over.
for _ in $(seq 120); do
    alert=$(xdotool search --onlyvisible --class plenwick 2>/dev/null | grep -vx "$window" | tail -n 1 || true)
    [ -n "$alert" ] && break
    sleep 1
done
sleep 1
import -window "${alert:?the failure alert did not come up}" "$docs/failures.png"
