#!/usr/bin/env bash
# Every include of the library and the programs points down the layers, and the
# native layer has no circle. Prints each offence; exits 1 when there is one.
# Usage: check-includes.sh [SOURCE_ROOT]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

# Top to bottom; folders on one line are peers and never include each other.
layers=(
    "demo"
    "corvix/program corvix/skin"
    "corvix/classes"
    "corvix/function corvix/native"
    "corvix/runtime"
)

layer_of() {
    local i folder
    for i in "${!layers[@]}"; do
        for folder in ${layers[$i]}; do
            [[ $1 == "$folder" || $1 == "$folder"/* ]] && { echo "$i $folder"; return; }
        done
    done
    echo "- -"
}

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
while IFS= read -r file; do
    read -r from_layer from_folder <<<"$(layer_of "$(dirname "$file")")"
    while IFS= read -r included; do
        read -r to_layer to_folder <<<"$(layer_of "$(dirname "$included")")"
        [ "$to_layer" = - ] && continue
        if [ "$from_folder" != "$to_folder" ] && [ "$to_layer" -le "$from_layer" ]; then
            echo "upward or sideways include: $file includes $included"
            status=1
        fi
        # A header and its source are one unit.
        [[ $file == corvix/native/* && $included == corvix/native/* ]] &&
            echo "${file%.*} ${included%.*}" >>"$edges"
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find corvix demo -name '*.h' -o -name '*.cpp')

# tsort names the units of a circle; a unit that includes itself is no circle.
awk '$1 != $2' "$edges" | tsort >/dev/null 2>"$edges.loops"
if [ -s "$edges.loops" ]; then
    echo "circle in the native layer:"; grep -v 'input contains a loop' "$edges.loops" | sed 's/^tsort: /  /'
    status=1
fi
rm -f "$edges.loops"
exit $status
