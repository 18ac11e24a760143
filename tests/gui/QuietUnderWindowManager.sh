#!/bin/sh
# qv started on the virtual card under a real window manager (openbox) on a
# virtual display: GTK must have nothing to complain about while the main
# window and its panels come up and the first ticks run.
# usage: QuietUnderWindowManager.sh QV
set -u
qv=$1
command -v openbox >/dev/null || { echo "openbox missing"; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Display numbers from 90, below those of the GUI test programs (from 100).
xvfb-run -a -n 90 -s "-screen 0 1280x800x24" sh -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    timeout 6 "$0" --simulate >"$1" 2>&1
    status=$?
    kill %1 2>/dev/null
    # timeout ends a program that runs on with 124: that is the good case.
    [ "$status" -eq 124 ]' "$qv" "$log" || { echo "qv did not keep running"; cat "$log"; exit 1; }
if grep -E "Gtk-CRITICAL|Gtk-WARNING|GLib-CRITICAL" "$log"; then
    echo "GTK complained (above)"
    exit 1
fi
exit 0
