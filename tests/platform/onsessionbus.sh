#!/bin/sh
# Runs a test program on a private session bus of its own. Exit status 77 means skipped.
command -v dbus-run-session >/dev/null || { echo "skipped: dbus-run-session is not installed"; exit 77; }
exec dbus-run-session -- "$@"
