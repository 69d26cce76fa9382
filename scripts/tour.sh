#!/usr/bin/env bash
# make tour: runs the demo headless, drives it with real X input, and saves
# one picture per state to build/screenshots/tour-*.png: the main window,
# "Info" held down, the information box, the yes/no box, the colour dialog,
# the demo's dialog, and the main window after the dialog closed; then
# menu.png, the menu sample with its File menu open, and toolbar.png, the
# toolbar sample.
set -euo pipefail
. "$(dirname "$0")/env.sh"
corvix_prepare_runnable
spy_exe="$CORVIX_BIN/demospy.exe"
. "$CORVIX_ROOT/scripts/xdrive.sh"
corvix_start_session
work=$(mktemp -d)
trap 'corvix_stop_session; rm -rf "$work"' EXIT
out="$CORVIX_BUILD/screenshots"
mkdir -p "$out"

# Waits for the window, lets the display settle, and saves the window's picture.
shoot() {
    windows_of "$1" || { echo "corvix: \"$1\" never showed" >&2; exit 1; }
    settle "$2"
    crop_window "$2" "$out/tour-$2.png"
}
# Opens a box from a main-window button, saves it, and closes it with a key.
box() {
    windows_of "$DEMO_TITLE"
    click_button "$1"
    shoot "$2" "$3"
    xdotool key "$4"
    gone "$2"
}

(cd "$work" && "$WINE" "$CORVIX_BIN/skindemo.exe" </dev/null >/dev/null 2>&1) &
demo=$!
shoot "$DEMO_TITLE" main
read -r l t r b < <(rect_of Button "Info")
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) mousedown 1
shoot "$DEMO_TITLE" pressed
xdotool mouseup 1
shoot "Information" info
xdotool key Return
gone "Information"
box "Yes / No" "Select an option" question n
box "Colors" "Color" colours Escape
box "Dialog" "Office 20007 buttons" dialog Escape
shoot "$DEMO_TITLE" after-dialog
xdotool key alt+F4
wait "$demo"

# The menu sample: the File menu opened from the bar, the pointer on its second entry.
(cd "$work" && "$WINE" "$CORVIX_BIN/menusample.exe" </dev/null >/dev/null 2>&1) &
menus=$!
windows_of "Menus - a Corvix sample" || { echo "corvix: the menu sample never showed" >&2; exit 1; }
read -r cx cy < <(client_origin)
xdotool mousemove $((cx + 12)) $((cy - 9)) click 1
sleep 1
xdotool mousemove $((cx + 40)) $((cy + 30))
settle menu
crop_window menu "$out/menu.png"
xdotool key Escape Escape alt+F4
wait "$menus"

# The toolbar sample, with the pointer over its third button.
(cd "$work" && "$WINE" "$CORVIX_BIN/toolbarsample.exe" </dev/null >/dev/null 2>&1) &
sample=$!
windows_of "Corvix toolbar sample" || { echo "corvix: the toolbar sample never showed" >&2; exit 1; }
read -r cx cy < <(client_origin)
xdotool mousemove $((cx + 83)) $((cy + 14))
settle toolbar
crop_window toolbar "$out/toolbar.png"
xdotool key alt+F4
wait "$sample"
echo "corvix: tour pictures in $out:" $(cd "$out" && ls tour-*.png menu.png toolbar.png)
