#!/usr/bin/env bash
# make bench: builds and runs every benchmark under Wine; each prints its ratios.
set -euo pipefail
. "$(dirname "$0")/env.sh"
corvix_prepare_runnable
corvix_start_session
echo "corvix: benchmarks of the $CORVIX_ARCH build"
for bench in "$CORVIX_BIN"/*_bench.exe; do
    echo "== $(basename "$bench" .exe)"
    "$WINE" "$bench" </dev/null | tr -d '\r'
done
