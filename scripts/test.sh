#!/usr/bin/env bash
# make test: set up, build both targets, and run every test under Wine on a
# private Xvfb, for each architecture this machine runs (scripts/env.sh).
# Ends with each architecture's CTest summary and a total; exits non-zero
# when any test of either failed.
set -euo pipefail
. "$(dirname "$0")/env.sh"
"$CORVIX_ROOT/scripts/setup.sh"
"$CORVIX_ROOT/scripts/build.sh"
cd "$CORVIX_ROOT"
results=$(mktemp)
trap 'rm -f "$results"' EXIT

run_suite() {
    local arch=$1 status=0
    echo "corvix: tests of the $arch build"
    ctest --preset "$arch" "${CTEST_ARGS[@]}" | tee "$results.$arch" || status=$?
    { printf '%s: ' "$arch"; grep -E 'tests passed, [0-9]+ tests? failed out of' "$results.$arch" | tail -n1 | grep . || echo "no summary"; } >>"$results"
    rm -f "$results.$arch"
    return $status
}

CTEST_ARGS=("$@")
status=0
corvix_each_arch run_suite || status=$?
echo
echo "corvix: test summary by architecture"
cat "$results"
failed=0 all=0
while read -r line; do
    if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1])) all=$((all + BASH_REMATCH[2]))
    else
        [ "$status" -ne 0 ] || status=1  # an architecture without a summary ran no test
    fi
done <"$results"
echo "total: $((all - failed)) passed, $failed failed"
exit $status
