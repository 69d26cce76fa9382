#pragma once
// The Office 2007 push-button painter.

#include <windows.h>

#include <string>
#include <string_view>

#include "corvix/native/geometry.h"

namespace corvix::skin {

// Paints button hWnd into hDC: the pressed look when lPressed, else the
// focused look when the button has the keyboard focus, else the normal look;
// then its caption. Everything goes through one off-screen buffer.
void BTNPAINT(HWND hWnd, HDC hDC, bool lPressed = false);

// How many whole pictures the skin's thread kept by its last paint; the
// first paint after a change of the system's settings, fonts, colours or
// display forgets all those before.
size_t KeptPictureCount();

// The painter's two layers, also measured on their own.
enum class ButtonLook { Normal, Focused, Pressed };
void PaintButtonFace(HDC dc, int w, int h, ButtonLook look);

// What a caption is drawn from, read before any drawing starts: what the
// parent answers may paint another button meanwhile. A caption of up to 255
// bytes is kept in place, so that a paint allocates nothing.
class ButtonCaption {
public:
    explicit ButtonCaption(HWND hWnd);
    ButtonCaption(const ButtonCaption&) = delete;
    ButtonCaption& operator=(const ButtonCaption&) = delete;

    std::string_view text;
    HFONT font;  // the parent's; none leaves the DC's own
    bool enabled;

private:
    char short_[256];
    std::string long_;
};
inline ButtonCaption ReadButtonCaption(HWND hWnd) { return ButtonCaption(hWnd); }
// The caption centred in area; greyed when disabled.
void PaintButtonCaption(HDC dc, const ButtonCaption& caption, const corvix::RectArray& area);

}  // namespace corvix::skin
