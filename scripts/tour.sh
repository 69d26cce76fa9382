#!/usr/bin/env bash
# make tour: runs the demo headless and saves one screenshot per state to
# build/screenshots/: the main window, a button held down, the information box.
set -euo pipefail
. "$(dirname "$0")/env.sh"
corvix_prepare_runnable
work=$(mktemp -d)
. "$CORVIX_ROOT/scripts/xdrive.sh"
trap 'corvix_stop_session; rm -rf "$work"' EXIT
corvix_start_xvfb
corvix_start_wineserver
out="$CORVIX_BUILD/screenshots"
mkdir -p "$out"

"$WINE" "$CORVIX_BIN/skindemo.exe" </dev/null >/dev/null 2>&1 &
settle main
read -r x y < <(first_skinned_button main)
xdotool mousemove $((x + 40)) $((y + 12)) mousedown 1
settle pressed
xdotool mouseup 1
settle info
xdotool key Return
for state in main pressed info; do cp "$work/$state.png" "$out/tour-$state.png"; done
echo "corvix: tour screenshots in $out: tour-main.png tour-pressed.png tour-info.png"
