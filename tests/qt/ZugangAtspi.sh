#!/bin/sh
# Runs ZugangAtspi.py with its own X server (Xvfb) and D-Bus session, in
# which the accessibility bus starts on demand.
#   ZugangAtspi.sh <program folder> <launch text>
hier=$(dirname "$0")
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  dbus-run-session -- /usr/bin/python3 "$hier/ZugangAtspi.py" "$@"
