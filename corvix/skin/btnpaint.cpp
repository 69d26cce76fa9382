#include "corvix/skin/btnpaint.h"

#include <algorithm>
#include <string>

#include "corvix/native/colour.h"
#include "corvix/native/gradient.h"
#include "corvix/native/systemchange.h"
#include "corvix/native/wndbox.h"
#include "corvix/native/wndpos.h"
#include "corvix/native/wrappers.h"
#include "corvix/skin/dbuffer.h"
#include "corvix/skin/fontkey.h"
#include "corvix/skin/paintbuffer.h"
#include "corvix/skin/picturecache.h"
#include "corvix/skin/skinproc.h"

namespace corvix::skin {

namespace {

constexpr GradientStep kNormalFill[] = {
    {0.5, NRGB(235, 246, 252), NRGB(223, 243, 251)},
    {0.5, NRGB(203, 232, 248), NRGB(118, 214, 245)},
};
constexpr COLORREF kNormalOuterFrame = NRGB(60, 127, 177);
constexpr COLORREF kNormalMiddleFrame = NRGB(48, 212, 255);
constexpr COLORREF kNormalInnerFrame = NRGB(152, 231, 253);

constexpr GradientStep kFocusedOuterFill[] = {{1, NRGB(221, 207, 155), NRGB(211, 207, 188)}};
constexpr GradientStep kFocusedSecondFill[] = {{1, NRGB(255, 255, 255), NRGB(255, 243, 93)}};
constexpr GradientStep kFocusedInnerFill[] = {
    {0.5, NRGB(255, 253, 219), NRGB(255, 231, 144)},
    {0.5, NRGB(255, 215, 76), NRGB(255, 231, 153)},
};

constexpr GradientStep kPressedShadowFill[] = {
    {2.0 / 3.0, NRGB(139, 118, 84), NRGB(153, 134, 104)},
    {1.0 / 3.0, NRGB(153, 134, 104), NRGB(196, 185, 168)},
};
constexpr GradientStep kPressedInnerFill[] = {
    {0.5, NRGB(249, 188, 107), NRGB(253, 163, 97)},
    {0.5, NRGB(251, 142, 61), NRGB(254, 191, 102)},
};
constexpr COLORREF kPressedFrame = NRGB(253, 173, 17);
constexpr GradientStep kPressedTopShadow[] = {{1, NRGB(177, 144, 93), NRGB(249, 188, 107)}};

constexpr COLORREF kDisabledShadowText = 8421504;  // (128, 128, 128)
constexpr COLORREF kDisabledFaceText = 16777215;   // white
constexpr UINT kCaptionFlags = corvix::NOR(DT_SINGLELINE, DT_VCENTER, DT_CENTER);

void PaintNormal(HDC dc, int w, int h) {
    GRADIENTFILL(dc, 0, 0, h, w + 1, kNormalFill);
    WNDBOX2007(dc, 0, 0, h - 1, w - 1, kNormalOuterFrame);
    WNDBOX2007(dc, 1, 1, h - 2, w - 2, kNormalMiddleFrame);
    WNDBOX2007(dc, 2, 2, h - 3, w - 3, kNormalInnerFrame);
}

// The one-pixel rims the inner fills leave uncovered are the two outer frames.
void PaintFocused(HDC dc, int w, int h) {
    GRADIENTFILL(dc, 0, 0, h, w, kFocusedOuterFill);
    GRADIENTFILL(dc, 1, 1, h - 2, w - 1, kFocusedSecondFill);
    GRADIENTFILL(dc, 2, 2, h - 3, w - 2, kFocusedInnerFill);
}

// The shadow fill stays visible in row 0 and column 0 only: a dark top-left edge.
void PaintPressed(HDC dc, int w, int h) {
    GRADIENTFILL(dc, 0, 0, h, w + 1, kPressedShadowFill);
    GRADIENTFILL(dc, 1, 1, h, w, kPressedInnerFill);
    WNDBOX2007(dc, 1, 1, h - 1, w - 2, kPressedFrame);
    GRADIENTFILL(dc, 1, 1, 5, w, kPressedTopShadow);
}

corvix::RectArray Shifted(corvix::RectArray r, int by) {
    return {r.nTop + by, r.nLeft + by, r.nBottom + by, r.nRight + by};
}

// What a face depends on; a face serves every caption.
struct FaceKey {
    ButtonLook look;
    int w, h;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

// What a whole picture depends on.
struct PictureKey {
    FaceKey face;
    std::string text;
    FontKey font;
    bool enabled;
    friend bool operator==(const PictureKey&, const PictureKey&) = default;
};

// The key of the picture the skin's thread paints; its text's storage serves
// paint after paint.
PictureKey paintedKey;

// What the skin's thread keeps drawn, and the count of system changes it
// was drawn under: new settings, fonts, colours or display depth draw anew.
struct KeptPictures {
    PictureCache<PictureKey> pictures{16};
    PictureCache<FaceKey> faces{32};
    unsigned changesSeen = 0;
};

KeptPictures keptPictures;

KeptPictures& Kept() {
    const unsigned changes = corvix::SystemChanges();
    if (changes != keptPictures.changesSeen) {
        keptPictures.pictures.Clear();
        keptPictures.faces.Clear();
        keptPictures.changesSeen = changes;
    }
    return keptPictures;
}

// A repaint of the same button is one copy; a button not seen before needs
// only its caption drawn over a kept face.
void PaintPicture(PaintBuffer& buffer, HDC dc, const PictureKey& key, const ButtonCaption& caption,
                  const corvix::RectArray& captionArea) {
    KeptPictures& kept = Kept();
    if (kept.pictures.CopyInto(buffer, key)) return;
    if (!kept.faces.CopyInto(buffer, key.face)) {
        PaintButtonFace(dc, key.face.w, key.face.h, key.face.look);
        kept.faces.Keep(buffer, key.face);
    }
    PaintButtonCaption(dc, caption, captionArea);
    kept.pictures.Keep(buffer, key);
}

}  // namespace

void PaintButtonFace(HDC dc, int w, int h, ButtonLook look) {
    switch (look) {
        case ButtonLook::Pressed: PaintPressed(dc, w, h); break;
        case ButtonLook::Focused: PaintFocused(dc, w, h); break;
        case ButtonLook::Normal: PaintNormal(dc, w, h); break;
    }
}

ButtonCaption::ButtonCaption(HWND hWnd)
    : font(reinterpret_cast<HFONT>(corvix::SENDMESSAGE(corvix::GETPARENT(hWnd), WM_GETFONT))),
      enabled(corvix::ISWINDOWENABLED(hWnd)) {
    const int length = IsWindow(hWnd) ? GetWindowTextLengthA(hWnd) : 0;
    if (length <= 0) return;
    char* into = short_;
    if (static_cast<size_t>(length) >= sizeof short_) {
        long_.resize(static_cast<size_t>(length) + 1);
        into = long_.data();
    }
    // A procedure of the program's may answer any count: the text is what was read.
    const int read = GetWindowTextA(hWnd, into, length + 1);
    text = {into, static_cast<size_t>(std::clamp(read, 0, length))};
}

void PaintButtonCaption(HDC dc, const ButtonCaption& caption, const corvix::RectArray& area) {
    corvix::SETBKMODE(dc, TRANSPARENT);
    HGDIOBJ previousFont = corvix::SELECTOBJECT(dc, caption.font);
    if (caption.enabled) {
        corvix::DRAWTEXT(dc, caption.text, area, kCaptionFlags);
    } else {
        corvix::SETTEXTCOLOR(dc, kDisabledShadowText);
        corvix::DRAWTEXT(dc, caption.text, Shifted(area, 1), kCaptionFlags);
        corvix::SETTEXTCOLOR(dc, kDisabledFaceText);
        corvix::DRAWTEXT(dc, caption.text, area, kCaptionFlags);
    }
    if (previousFont) corvix::SELECTOBJECT(dc, previousFont);
}

size_t KeptPictureCount() { return keptPictures.pictures.Count(); }

void BTNPAINT(HWND hWnd, HDC hDC, bool lPressed) {
    if (!hWnd || !IsWindow(hWnd)) return;  // no window, nothing to paint: its size would be the screen's
    const int w = corvix::WNDWIDTH(hWnd);
    const int h = corvix::WNDHEIGHT(hWnd);
    const corvix::RectArray captionArea = corvix::GETCLIENTRECT(hWnd);
    const ButtonLook look =
        lPressed ? ButtonLook::Pressed : HasButtonFocus(hWnd) ? ButtonLook::Focused : ButtonLook::Normal;
    const ButtonCaption caption = ReadButtonCaption(hWnd);

    // Every look fills the whole window, so the shared buffer needs no copy of
    // the target first. It and the kept pictures serve the skin's thread only.
    PaintBuffer& shared = PaintBuffer::Shared();
    if (OnSkinThread() && shared.PaintThrough(hWnd, hDC, [&](HDC dc) {
            PictureKey& key = paintedKey;
            key.face = {look, w, h};
            key.text.assign(caption.text);
            key.font = FontKey(caption.font);
            key.enabled = caption.enabled;
            PaintPicture(shared, dc, key, caption, captionArea);
        }))
        return;
    corvix::DisplayBuffer buffer = DBUFFERSTART(hWnd, hDC);
    PaintButtonFace(buffer.hMemDC, w, h, look);
    PaintButtonCaption(buffer.hMemDC, caption, captionArea);
    DBUFFEREND(buffer.hMemDC, buffer);
}

}  // namespace corvix::skin
