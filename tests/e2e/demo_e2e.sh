#!/usr/bin/env bash
# End to end: runs skindemo.exe on the test display and drives it with real
# X input. A click on "Info" opens the information box, whose OK button is
# painted by the skin; Return closes it; Alt+F4 ends the program with code 0.
# Usage: demo_e2e.sh ARCH path/to/skindemo.exe
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
corvix_wine_env "$1"
demo=$2
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; [ -n "${CORVIX_E2E_KEEP:-}" ] && cp "$work"/*.png "$CORVIX_E2E_KEEP"/; rm -rf "$work"' EXIT

. "$CORVIX_ROOT/scripts/xdrive.sh"
fail() { echo "e2e: $*" >&2; exit 1; }

"$WINE" "$demo" </dev/null >/dev/null 2>&1 &
pid=$!
settle start || fail "the demo window never settled"

read -r x y < <(first_skinned_button start) || true
[ -n "${x:-}" ] || fail "no skinned button on the screen"
xdotool mousemove $((x + 40)) $((y + 12)) click 1
settle box || fail "nothing settled after the click"
[ "$(count_colour box '#DDCF9B')" -gt 0 ] || fail "the information box shows no skinned, focused OK button"
[ "$(count_colour box '#DDCF9B')" -ne "$(count_colour start '#DDCF9B')" ] || fail "the click opened no box"

xdotool key Return
settle closed || fail "nothing settled after Return"
cmp -s "$work/box.png" "$work/closed.png" && fail "Return did not close the box"

xdotool key alt+F4
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the demo did not end on Alt+F4"
wait "$pid" || fail "the demo ended with code $?"
echo "e2e: demo clicked, box skinned and closed, program ended cleanly"
