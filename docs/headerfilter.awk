# How Doxygen reads a header: its plain "//" comments document what follows
# them (or, after a declaration, that declaration), and the comment a header
# opens with documents its first class that has no comment of its own.
FNR == 1 { head = ""; opening = 0; placed = 0; commented = 0 }
/^#pragma once/ { print; opening = 1; next }
opening && /^\/\// { head = head "///" substr($0, 3) "\n"; print ""; next }
{ opening = 0 }
!placed && !commented && head != "" && /^(class|struct) [A-Za-z_][A-Za-z_0-9]*( |$)/ && !/;[ \t]*$/ {
    printf "%s", head
    placed = 1
}
{
    if ($0 !~ /^[ \t]*\/\/\//) sub(/^[ \t]*\/\//, "&/")
    if ($0 ~ /;[ \t]+\/\/ / && $0 !~ /^[ \t]*\/\//) sub(/;[ \t]+\/\/ /, "; ///< ")
    print
    commented = $0 ~ /^[ \t]*\/\//
}
