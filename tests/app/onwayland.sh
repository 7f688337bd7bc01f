#!/usr/bin/env bash
# The real window opens on a Wayland desktop: the program is started under a headless Wayland
# compositor, and the compositor's own scene graph must list its top-level window.
#   bash onwayland.sh PROGRAM
# Exits 77 (skipped) where the compositor cannot start.
set -uo pipefail
program=$1

work=$(mktemp -d)
chmod 700 "$work"
compositor='' app=''
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=plenwick-test
unset DISPLAY
# --debug lets weston-debug read the scene graph.
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --use-pixman --debug \
    --width=1024 --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [ -S "$work/$WAYLAND_DISPLAY" ] && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
done
if ! [ -S "$work/$WAYLAND_DISPLAY" ]; then
    echo "SKIPPED: the headless Wayland compositor did not start:"
    cat "$work/weston.log"
    exit 77
fi

mkdir -p "$work/home" "$work/config"
HOME=$work/home XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=wayland "$program" \
    >"$work/program.log" 2>&1 &
app=$!

# The shell names each view by its role, owner, title and application id.
wanted="role xdg_toplevel, PID $app, .*top-level window 'Plenwick' of com.harrowfen.Plenwick"
for _ in $(seq 150); do
    if timeout 5 weston-debug scene-graph 2>/dev/null | grep -qE "$wanted"; then
        echo "OK: the compositor shows the window of process $app"
        exit 0
    fi
    kill -0 "$app" 2>/dev/null || break
    sleep 0.2
done
echo "FAIL: no top-level window of process $app in the compositor's scene graph" >&2
echo "--- the program's output:" >&2
cat "$work/program.log" >&2
exit 1
