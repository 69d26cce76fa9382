# Sourced by the end-to-end test and the tour: screenshots of the X display
# and finding the skin's pixels in them. Needs $work, a scratch folder.

CORVIX_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Saves the whole display as $work/NAME.png once it has stopped changing.
settle() { "$CORVIX_SCRIPTS/screenshot.sh" "$work/$1.png" 1280x1024+0+0 20; }

# Number of pixels of one colour (#rrggbb) in a screenshot.
count_colour() {
    convert "$work/$1.png" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h)]' info:
}

# The first pixel (x y) of a colour, scanning rows from the top.
first_pixel() {
    convert "$work/$1.png" txt:- | awk -v c="$2" 'tolower($0) ~ tolower(c) { split($1, p, "[,:]"); print p[1], p[2]; exit }'
}

# The top-left corner of the first skinned button in the normal look.
first_skinned_button() { first_pixel "$1" '#3C7FB1'; }
