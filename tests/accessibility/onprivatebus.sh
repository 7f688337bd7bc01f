#!/bin/sh
# Runs a test program in a desktop session of its own: a private session bus, which starts the
# accessibility bus on demand, and a virtual X display. Exit status 77 means skipped.
for tool in dbus-run-session xvfb-run /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
runtime=$(mktemp -d) || exit 1
trap 'rm -rf "$runtime"' EXIT
# The accessibility bus puts its socket under the runtime folder: one of its own per run.
XDG_RUNTIME_DIR=$runtime dbus-run-session -- xvfb-run -a "$@"
