#!/usr/bin/env bash
# Takes the README's screenshot of the real information panel under Xvfb, with its store menu and
# the first menu of the maker's programs open.
# Usage: scripts/panelscreenshot.sh [build folder]
set -euo pipefail
build=$(realpath "${1:-build}")
docs=$(realpath "$(dirname "$0")/../docs")
work=/tmp/plenwick-panel-screenshot
rm -rf "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/config DISPLAY=:96
mkdir -p "$HOME" "$XDG_CONFIG_HOME/plenwick"
printf '[General]\niStatement=1\n' >"$XDG_CONFIG_HOME/plenwick/plenwick.ini"

Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
sleep 1
"$build/app/plenwick" >/dev/null 2>&1 &
main=$(xdotool search --sync --name '^Plenwick$' | head -n 1)
xdotool windowmove --sync "$main" 800 420              # out of the picture
xdotool windowfocus --sync "$main" key alt+a          # About Plenwick
panel=$(xdotool search --sync --name '^About Plenwick' | head -n 1)
xdotool windowmove --sync "$panel" 20 20
xdotool windowfocus --sync "$panel" key alt+t         # Store
sleep 1
xdotool key Down Right                                # Apps by Harrowfen
sleep 1
# The menus hang below and beside the panel; the bare screen around them is painted slate.
import -window root -crop 752x376+0+0 +repage "$work/screen.png"
convert "$work/screen.png" -fill '#4b5563' -draw 'color 0,0 floodfill' -strip "$docs/panel.png"
