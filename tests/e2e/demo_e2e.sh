#!/usr/bin/env bash
# End to end: runs skindemo.exe on the test display and drives it with real
# X input, reading its windows from outside with demospy.exe and its pixels
# from screenshots.
# Usage: demo_e2e.sh ARCH path/to/skindemo.exe path/to/demospy.exe
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
corvix_wine_env "$1"
demo=$(realpath "$2") spy_exe=$(realpath "$3")
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; [ -n "${CORVIX_E2E_KEEP:-}" ] && cp "$work"/*.png "$CORVIX_E2E_KEEP"/; rm -rf "$work"' EXIT
. "$CORVIX_ROOT/scripts/xdrive.sh"

MAIN=$DEMO_TITLE
NORMAL='#3C7FB1' FOCUSED='#DDCF9B'

fail() { echo "e2e: $*" >&2; exit 1; }

# A button in the normal look: its corner and the fill's rows as the painter's model has them.
check_normal() {
    local shot=$1 caption=$2 l t r b y colour
    read -r l t r b < <(rect_of Button "$caption")
    [ "$(pixel "$shot" "$l" "$t")" = "$NORMAL" ] || fail "\"$caption\" is not in the normal look"
    while read -r y colour; do
        [ "$(pixel "$shot" $((l + 5)) $((t + y)))" = "$colour" ] || fail "\"$caption\" row $y is not $colour"
    done < <(spy ramp $((r - l)) $((b - t)))
}

mkdir "$work/run"
cd "$work/run"
"$WINE" "$demo" </dev/null >/dev/null 2>&1 &
pid=$!
windows_of "$MAIN" || fail "the main window never showed"
settle start || fail "the demo window never settled"
windows_of "$MAIN"

# The throw-away button is gone; the four stand at their rows, 81 x 25.
grep -q '^Button|ok|' "$work/windows.txt" && fail "the throw-away button's window still exists"
read -r ox oy < <(client_origin)
row=2
for caption in "Info" "Yes / No" "Colors" "Dialog"; do
    read -r l t r b < <(rect_of Button "$caption")
    [ "$l $t $r $b" = "$((ox + 30)) $((oy + row * 18)) $((ox + 111)) $((oy + row * 18 + 25))" ] ||
        fail "\"$caption\" stands at $l $t $r $b"
    row=$((row + 3))
done

# Info has the focus; the others are in the normal look.
read -r l t r b < <(rect_of Button "Info")
[ "$(pixel start "$l" "$t")" = "$FOCUSED" ] || fail "Info does not show the focused look"
for caption in "Yes / No" "Colors" "Dialog"; do check_normal start "$caption"; done

# The message bar: the stored band stretched over it, "Office 2007 skins" on it.
read -r l t r b < <(rect_of TMSGBAR "")
[ "$(pixel start $((l + 200)) $((t + 1)))" = "#FFFFFF" ] || fail "the bar's top row is not the band's white"
[ "$(pixel start $((l + 200)) $((b - 2)))" = "#BFDAFF" ] || fail "the bar's bottom row is not the band's last colour"
convert "$work/start.png" -crop 120x$((b - t - 2))+$((l + 5))+$((t + 1)) +repage "$work/bartext.png"
[ "$(convert "$work/bartext.png" -fill white +opaque '#000000' -fill black -opaque '#000000' -negate \
     -format '%[fx:int(mean*w*h)]' info:)" -gt 20 ] || fail "no prompt on the bar"

# Info, by mouse: the two-part text and a skinned OK, closed by a click on it.
windows_of "$MAIN"
click_button "Info"
windows_of "Information" || fail "Info opened no box"
grep -q '|Office 2007 buttons skin    SIN NECESIDAD DE CAMBIAR CODIGO FUENTE NI DE MODIFICAR LOS FICHEROS RC DE RECURSOS!|' "$work/windows.txt" || fail "the information box's text is wrong"
settle info
read -r l t r b < <(rect_of Button "OK")
[ "$(pixel info "$l" "$t")" = "$FOCUSED" ] || fail "the box's OK button is not skinned"
click_at $(((l + r) / 2)) $(((t + b) / 2))
gone "Information" || fail "OK did not close the box"

# Yes / No: skinned Yes and No; closed by a click on No, then by the keys Y and N.
windows_of "$MAIN"
click_button "Yes / No"
windows_of "Select an option" || fail "Yes / No opened no box"
settle question
read -r l t r b < <(rect_of Button "&Yes")
[ "$(pixel question "$l" "$t")" = "$FOCUSED" ] || fail "Yes is not skinned"
read -r l t r b < <(rect_of Button "&No")
[ "$(pixel question "$l" "$t")" = "$NORMAL" ] || fail "No is not skinned"
click_at $(((l + r) / 2)) $(((t + b) / 2))
gone "Select an option" || fail "No did not close the box"
for key in y n; do
    windows_of "$MAIN"
    click_button "Yes / No"
    windows_of "Select an option" || fail "Yes / No opened no box"
    xdotool key "$key"
    gone "Select an option" || fail "the key $key did not close the box"
done

# Colors: the full dialog, black chosen, its push buttons skinned; Escape closes it.
windows_of "$MAIN"
click_button "Colors"
windows_of "Color" || fail "Colors opened no colour dialog"
read -r l t r b < <(window_rect)
[ $((r - l)) -gt 400 ] || fail "the colour dialog is not fully open"
for id in 706 707 708; do
    awk -F'|' -v id="$id" '$7 == id { exit !($2 == "0") }' "$work/windows.txt" || fail "the colour is not black"
done
settle colours
read -r l t r b < <(rect_of Button "OK")
[ "$(pixel colours "$l" "$t")" = "$FOCUSED" ] || [ "$(pixel colours "$l" "$t")" = "$NORMAL" ] ||
    fail "the colour dialog's OK is not skinned"
xdotool key Escape
gone "Color" || fail "Escape did not close the colour dialog"

# Dialog: three skinned buttons that do nothing; the main window takes no input meanwhile.
windows_of "$MAIN"
click_button "Dialog"
windows_of "Office 20007 buttons" || fail "Dialog opened no dialog"
settle dialog
for caption in One Two Three; do
    read -r l t r b < <(rect_of Button "$caption")
    case "$(pixel dialog "$l" "$t")" in "$NORMAL" | "$FOCUSED") ;; *) fail "\"$caption\" is not skinned" ;; esac
done
click_button "Two"
windows_of "Office 20007 buttons" || fail "a click on Two closed the dialog"
windows_of "$MAIN"
awk -F'|' 'NR == 1 { exit !($4 == 0) }' "$work/windows.txt" || fail "the main window takes input under the dialog"
click_button "Info"
sleep 1
spy windows "Information" >/dev/null && fail "the main window took a click under the dialog"
windows_of "Office 20007 buttons"
xdotool key Escape
gone "Office 20007 buttons" || fail "Escape did not close the dialog"

# Space on the focused button clicks it; Tab moves the focused look on.
windows_of "$MAIN"
read -r l t r b < <(rect_of Button "Dialog")
settle back
[ "$(pixel back "$l" "$t")" = "$FOCUSED" ] || fail "the focus did not come back to Dialog"
xdotool key Tab
settle tabbed
read -r l t r b < <(rect_of Button "Info")
[ "$(pixel tabbed "$l" "$t")" = "$FOCUSED" ] || fail "Tab did not bring the focused look to Info"
xdotool key space
windows_of "Information" || fail "Space on Info opened no box"
xdotool key Return
gone "Information" || fail "Return did not close the box"

# Closing the main window ends the program with code 0, and nothing went to Error.log.
windows_of "$MAIN"
xdotool key alt+F4
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the demo did not end on Alt+F4"
wait "$pid" || fail "the demo ended with code $?"
[ -e "$work/run/Error.log" ] && fail "the run wrote Error.log"
echo "e2e: the demo's windows, looks, boxes, dialog and keys as they should be; it ended cleanly"
