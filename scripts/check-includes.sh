#!/usr/bin/env bash
# Every include of the library and the programs points down the layers; no
# header includes its way back to itself; and no file pair (a header and its
# source) reaches itself again, but within the classes, whose families (a
# window and its controls, a menu and its items) hold each other by design.
# Prints each offence; exits 1 when there is one.
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
}

status=0
offence() { echo "$1"; status=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
while IFS= read -r file; do
    read -r from_layer from_folder <<<"$(layer_of "$(dirname "$file")")"
    [ -n "${from_layer:-}" ] || { offence "a folder in no layer: $file"; continue; }
    while IFS= read -r included; do
        [[ $included == corvix/* || $included == demo/* ]] ||
            { offence "an include not named from the tree's root: $file includes $included"; continue; }
        read -r to_layer to_folder <<<"$(layer_of "$(dirname "$included")")"
        if [ -z "${to_layer:-}" ]; then
            offence "an include from no layer: $file includes $included"
        elif [ "$from_folder" != "$to_folder" ] && [ "$to_layer" -le "$from_layer" ]; then
            offence "upward or sideways include: $file includes $included"
        fi
        [[ $file == *.h ]] && echo "$file $included" >>"$work/headers"
        [[ $file == corvix/classes/* && $included == corvix/classes/* ]] ||
            echo "${file%.*} ${included%.*}" >>"$work/pairs"
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find corvix demo -name '*.h' -o -name '*.cpp')

# tsort names the members of a circle; a pair that includes itself is no circle.
circles() {
    touch "$work/$1"
    awk '$1 != $2' "$work/$1" | tsort 2>&1 >/dev/null | grep -v 'input contains a loop' | sed 's/^tsort: /  /'
}
for kind in headers pairs; do
    found=$(circles $kind)
    [ -z "$found" ] || offence "a circle among the $kind:"$'\n'"$found"
done
exit $status
