#!/usr/bin/env bash
# CTest's emulator: runs one Windows executable under Wine.
# Usage: wine-run.sh ARCH program.exe [args...]   (ARCH: i686 or x86_64)
# Wine ends lines with CR LF; the CRs are stripped so CTest and GoogleTest read names cleanly.
set -uo pipefail
. "$(dirname "$0")/env.sh"
corvix_wine_env "$1"
shift
if [ -z "${DISPLAY:-}" ] || [ ! -S "/tmp/.X11-unix/X${DISPLAY#:}" ]; then
    echo "corvix: no X display (DISPLAY='${DISPLAY:-}'); run the tests through 'make test'" >&2
    exit 1
fi
started=$(date +%s%N)
"$WINE" "$@" </dev/null | tr -d '\r'
statuses=("${PIPESTATUS[@]}")
# A program that never started leaves nothing to read: say what Wine answered.
if [ "${statuses[0]}" -ne 0 ]; then
    echo "corvix: wine exited with status ${statuses[0]} after $(( ($(date +%s%N) - started) / 1000000 )) ms" >&2
fi
exit $(( statuses[0] ? statuses[0] : statuses[1] ))
