#!/usr/bin/env bash
# Saves a region of the X display once it has stopped changing (painted).
# Usage: screenshot.sh OUT.png WxH+X+Y [timeout-seconds]
set -euo pipefail
out=$1 region=$2 timeout=${3:-20}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
capture() { import -silent -window root -crop "$region" +repage "$1" 2>/dev/null; }
blank() { [ "$(convert "$1" -format '%k' info:)" -le 1 ]; }

capture "$tmp/last.png"
for _ in $(seq 1 $((timeout * 2))); do
    sleep 0.5
    capture "$tmp/now.png"
    if ! blank "$tmp/now.png" && cmp -s "$tmp/now.png" "$tmp/last.png"; then
        cp "$tmp/now.png" "$out"
        exit 0
    fi
    mv "$tmp/now.png" "$tmp/last.png"
done
echo "corvix: the display did not settle within ${timeout}s" >&2
exit 1
