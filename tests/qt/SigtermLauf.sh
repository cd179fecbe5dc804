#!/bin/sh
# SIGTERM ends the real program in order: exit code 0, after its pause.
QT_QPA_PLATFORM=offscreen "$1" "$2" >/dev/null 2>&1 &
# Time for the main window to come up; longer in slower (sanitized) builds.
sleep "${WIRBELIX_STARTZEIT:-2}"
kill -TERM $! || exit 1
vorher=$(date +%s)
wait $!
rc=$?
[ $rc -eq 0 ] && [ $(($(date +%s) - vorher)) -ge 2 ] || { echo "ended with $rc"; exit 1; }
