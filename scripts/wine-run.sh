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
"$WINE" "$@" </dev/null | tr -d '\r'
