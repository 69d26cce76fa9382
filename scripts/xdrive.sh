# Sourced by the end-to-end test and the tour: screenshots of the X display,
# the skin's pixels in them, and the demo's windows as demospy.exe reads
# them from outside. Needs $work, a scratch folder, and $spy_exe.

CORVIX_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DEMO_TITLE="Office 2007 buttons skin demo - a Corvix sample"

# Saves the whole display as $work/NAME.png once it has stopped changing.
settle() { "$CORVIX_SCRIPTS/screenshot.sh" "$work/$1.png" 1280x1024+0+0 20; }

# The colour (#RRGGBB) of one pixel of a screenshot.
pixel() { convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: | sed 's/^/#/' | cut -c1-7; }

spy() { "$WINE" "$spy_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Reads a top-level window and its children into $work/windows.txt, waiting until it is there.
windows_of() {
    local i
    for i in $(seq 1 50); do
        spy windows "$1" >"$work/windows.txt" && return 0
        sleep 0.2
    done
    return 1
}

# Waits until the top-level window with that title has gone.
gone() {
    local i
    for i in $(seq 1 50); do
        spy windows "$1" >/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# Screen rectangles (left top right bottom) from $work/windows.txt: of the
# child with that class and text, and of the top-level window itself.
rect_of() { awk -F'|' -v c="$1" -v t="$2" '$1 == c && $2 == t { print $3; exit }' "$work/windows.txt"; }
window_rect() { awk -F'|' 'NR == 1 { print $3 }' "$work/windows.txt"; }
client_origin() { awk -F'|' '$1 == "client" { print $2; exit }' "$work/windows.txt"; }

click_at() { xdotool mousemove "$1" "$2" click 1; }
# A click in the middle of the button with that caption.
click_button() {
    local l t r b
    read -r l t r b < <(rect_of Button "$1")
    click_at $(((l + r) / 2)) $(((t + b) / 2))
}

# Crops a screenshot to the top-level window last read.
crop_window() {
    local l t r b
    read -r l t r b < <(window_rect)
    convert "$work/$1.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2"
}
