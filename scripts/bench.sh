#!/usr/bin/env bash
# make bench: builds and runs every benchmark under Wine; each prints its ratios.
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh"
corvix_pick_arch
"$CORVIX_ROOT/scripts/build.sh" "$CORVIX_ARCH"
corvix_wine_env "$CORVIX_ARCH"
trap corvix_stop_session EXIT
corvix_start_xvfb
corvix_start_wineserver
for bench in "$CORVIX_BIN"/*_bench.exe; do
    echo "== $(basename "$bench" .exe)"
    "$WINE" "$bench" </dev/null | tr -d '\r'
done
