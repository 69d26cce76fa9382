#!/usr/bin/env bash
# Configures and builds one preset (default: both); warnings are errors under CI.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$CORVIX_ROOT"
werror=OFF
[ -n "${CI:-}" ] && werror=ON
for preset in "${@:-i686 x86_64}"; do
    for p in $preset; do
        cmake --preset "$p" -DCORVIX_WERROR=$werror >/dev/null
        cmake --build --preset "$p"
    done
done
