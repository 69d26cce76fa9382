#!/usr/bin/env bash
# make bench: builds and runs every benchmark under Wine, for each
# architecture this machine runs; each prints its ratios.
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh"
"$CORVIX_ROOT/scripts/build.sh" "$(corvix_archs)"

run_benchmarks() {
    local bench status=0
    echo "corvix: benchmarks of the $1 build"
    for bench in "$CORVIX_BIN"/*_bench.exe; do
        echo "== $(basename "$bench" .exe) ($1)"
        "$WINE" "$bench" </dev/null | tr -d '\r' || status=1
    done
    return $status
}

corvix_each_arch run_benchmarks
