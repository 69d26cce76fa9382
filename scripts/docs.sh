#!/usr/bin/env bash
# make docs: the API reference of the public headers, built by Doxygen from
# their comments into build/docs/html; any warning fails it.
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh" --no-prefix
cd "$CORVIX_ROOT"
rm -rf build/docs
doxygen docs/Doxyfile
echo "corvix: the API reference is build/docs/html/index.html"
