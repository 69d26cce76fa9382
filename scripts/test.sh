#!/usr/bin/env bash
# make test: set up, build, and run every test under Wine on a private Xvfb.
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh"
corvix_pick_arch
# Both targets are built, so the 32-bit one keeps compiling where only 64-bit Wine runs.
"$CORVIX_ROOT/scripts/build.sh"
corvix_wine_env "$CORVIX_ARCH"
corvix_start_session
cd "$CORVIX_ROOT"
ctest --preset "$CORVIX_ARCH" "$@"
