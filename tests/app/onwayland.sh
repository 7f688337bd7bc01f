#!/usr/bin/env bash
# The real window opens on a Wayland desktop: the program is started under a headless Wayland
# compositor, and the compositor's own scene graph must list its top-level window.
#   bash onwayland.sh PROGRAM
# Exits 77 (skipped) where the compositor cannot start.
set -uo pipefail
work=$(mktemp -d)
chmod 700 "$work"
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=plenwick-test
unset DISPLAY
# --debug lets weston-debug read the scene graph.
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --use-pixman --debug \
    --width=1024 --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
for _ in $(seq 100); do
    [ -S "$work/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$work/$WAYLAND_DISPLAY" ] || { echo "SKIPPED: no headless compositor:"; cat "$work/weston.log"; exit 77; }

mkdir -p "$work/home" "$work/config"
HOME=$work/home XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=wayland "$1" >"$work/program.log" 2>&1 &
app=$!
# The shell names each view by its role, owner, title and application id.
wanted="role xdg_toplevel, PID $app, .*top-level window 'Plenwick' of com.harrowfen.Plenwick"
for _ in $(seq 150); do
    timeout 5 weston-debug scene-graph 2>/dev/null | grep -qE "$wanted" && exit 0
    kill -0 "$app" 2>/dev/null || break
    sleep 0.2
done
echo "FAIL: no top-level window of process $app in the compositor's scene graph:" >&2
cat "$work/program.log" >&2
exit 1
