#!/usr/bin/env bash
# make soak: the leak check in full, under Wine; its last line reads
# "soak: N phases, gdi +X, private bytes +Y KiB".
set -euo pipefail
. "$(dirname "$0")/env.sh"
corvix_prepare_runnable
corvix_start_session
echo "corvix: soak of the $CORVIX_ARCH build"
"$WINE" "$CORVIX_BIN/soak.exe" </dev/null | tr -d '\r'
