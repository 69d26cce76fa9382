#!/usr/bin/env bash
# make demo: on $DISPLAY when there is one; otherwise on a private Xvfb,
# saving a screenshot of the painted window to build/screenshots/demo.png.
set -euo pipefail
. "$(dirname "$0")/env.sh"

on_display() { [ -n "${DISPLAY:-}" ] && [ -S "/tmp/.X11-unix/X${DISPLAY#:}" ]; }

if on_display; then export CORVIX_ON_DISPLAY=1; fi
corvix_prepare_runnable
demo="$CORVIX_BIN/skindemo.exe"

if on_display; then
    exec "$WINE" "$demo"
fi

corvix_start_session
mkdir -p "$CORVIX_BUILD/screenshots"
shot="$CORVIX_BUILD/screenshots/demo.png"
"$WINE" "$demo" </dev/null >/dev/null 2>&1 &
# The main window's rectangle on the virtual desktop: left 16, top 32, 545 x 289.
"$CORVIX_ROOT/scripts/screenshot.sh" "$shot" 545x289+16+32
echo "corvix: demo screenshot saved to $shot"
