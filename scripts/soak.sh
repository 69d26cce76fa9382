#!/usr/bin/env bash
# make soak: the leak check in full, under Wine, for each architecture this
# machine runs; each run's last line reads
# "soak: N phases, gdi +X, private bytes +Y KiB".
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh"
"$CORVIX_ROOT/scripts/build.sh" "$(corvix_archs)"

run_soak() {
    echo "corvix: soak of the $1 build"
    "$WINE" "$CORVIX_BIN/soak.exe" </dev/null | tr -d '\r'
}

corvix_each_arch run_soak
