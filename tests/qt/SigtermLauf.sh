#!/bin/sh
# The real program gets SIGTERM while it runs: it ends in order, pause
# included, with exit code 0 instead of dying by the signal.
#   SigtermLauf.sh <wirbelix> <launch text>
programm=$1
start=$2
QT_QPA_PLATFORM=offscreen "$programm" "$start" >/dev/null 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program was gone before SIGTERM"
    exit 1
fi
kill -TERM "$pid"
i=0
while kill -0 "$pid" 2>/dev/null && [ $i -lt 150 ]; do
    sleep 0.1
    i=$((i + 1))
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    echo "the program did not end within 15 s of SIGTERM"
    exit 1
fi
wait "$pid"
rc=$?
if [ $rc -ne 0 ]; then
    echo "the program ended with $rc"
    exit 1
fi
if [ $i -lt 20 ]; then
    echo "the program ended without its closing pause"
    exit 1
fi
