#include "tests/support/dlgtemplate.h"

#include <cstring>

namespace corvix_test {

DialogTemplate::DialogTemplate(const wchar_t* title) {
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    header.x = 10;
    header.y = 10;
    header.cx = 100;
    header.cy = 50;
    words_.resize(sizeof header / sizeof(WORD));
    std::memcpy(words_.data(), &header, sizeof header);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    for (const wchar_t* c = title; *c; ++c) words_.push_back(static_cast<WORD>(*c));
    words_.push_back(0);
}

}  // namespace corvix_test
