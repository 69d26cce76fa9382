// The built-in cursors, drawn as rows of text: "#" black, "-" white,
// blank (or past a row's end) transparent.

#include "corvix/native/cursors.h"

#include <algorithm>
#include <iterator>

namespace corvix {

namespace {

constexpr int kSide = 32;

// A pointing hand; the finger's tip is the hot spot.
constexpr const char* kHand[] = {
    "      ##",
    "     #--#",
    "     #--#",
    "     #--#",
    "     #--###",
    "     #--#--###",
    "     #--#--#--##",
    "  ## #--#--#--#-#",
    " #--##--------#-#",
    " #---#----------#",
    "  #--#----------#",
    "   #------------#",
    "   #-----------#",
    "    #----------#",
    "    #---------#",
    "     #--------#",
    "     #--------#",
    "     ##########",
};

// A no-entry sign.
constexpr const char* kStop[] = {
    "     ######",
    "   ##########",
    "  ############",
    " ##############",
    " ##############",
    "################",
    "#--------------#",
    "#--------------#",
    "################",
    " ##############",
    " ##############",
    "  ############",
    "   ##########",
    "     ######",
};

// An arrow carrying a page.
constexpr const char* kDrag[] = {
    "      #",
    "      ##",
    "      #-#",
    "      #--#",
    "      #---#",
    "      #----#",
    "      #-----#",
    "      #------#",
    "      #-------#",
    "      #----#####",
    "      #-##-#",
    "      ##  #-#",
    "      #   #-#",
    "           #-#",
    "           ##",
    "",
    "   ###########",
    "   #---------#",
    "   #-#######-#",
    "   #---------#",
    "   ###########",
};

// A cross-hair whose centre is the hot spot.
constexpr const char* kCatch[] = {
    "",
    "",
    "",
    "",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "",
    "",
    "    ##########     ##########",
    "",
    "",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
    "                #",
};

template <size_t N>
HCURSOR Make(const char* const (&rows)[N], int xHot, int yHot) {
    BYTE andPlane[kSide * kSide / 8], xorPlane[kSide * kSide / 8];
    std::fill(std::begin(andPlane), std::end(andPlane), 0xFF);
    std::fill(std::begin(xorPlane), std::end(xorPlane), 0x00);
    for (size_t y = 0; y < N; ++y) {
        for (size_t x = 0; rows[y][x] && x < kSide; ++x) {
            const size_t at = y * kSide / 8 + x / 8;
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (rows[y][x] == ' ') continue;
            andPlane[at] &= static_cast<BYTE>(~bit);
            if (rows[y][x] == '-') xorPlane[at] |= bit;
        }
    }
    return CreateCursor(GetModuleHandleA(nullptr), xHot, yHot, kSide, kSide, andPlane, xorPlane);
}

}  // namespace

HCURSOR GETCURSORHAND() {
    static const HCURSOR hand = [] {
        const HCURSOR system = LoadCursorA(nullptr, IDC_HAND);
        return system ? system : Make(kHand, 6, 0);
    }();
    return hand;
}

HCURSOR GETCURSORSTOP() {
    static const HCURSOR stop = Make(kStop, 6, 0);
    return stop;
}

HCURSOR GETCURSORDRAG() {
    static const HCURSOR drag = Make(kDrag, 6, 0);
    return drag;
}

HCURSOR GETCURSORCATCH() {
    static const HCURSOR cross = Make(kCatch, 16, 16);
    return cross;
}

void CURSORHAND() { SetCursor(GETCURSORHAND()); }

}  // namespace corvix
