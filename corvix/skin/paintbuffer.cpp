#include "corvix/skin/paintbuffer.h"

#include <algorithm>

#include "corvix/native/systemchange.h"

namespace corvix::skin {

PaintBuffer& PaintBuffer::Shared() {
    static PaintBuffer buffer;
    return buffer;
}

PaintBuffer::~PaintBuffer() { Release(); }

void PaintBuffer::Release() {
    if (!memDC_) return;
    SelectObject(memDC_, originalBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(memDC_);
    memDC_ = nullptr;
    bitmap_ = nullptr;
    pixels_ = nullptr;
    capacityWidth_ = capacityHeight_ = 0;
}

// Grows the bitmap, never shrinks it: buttons of a program come in few sizes.
// The buffer is the screen's whatever target made it grow.
bool PaintBuffer::Fit(int width, int height) {
    if (memDC_ && width <= capacityWidth_ && height <= capacityHeight_) return true;
    const int newWidth = std::max(width, capacityWidth_), newHeight = std::max(height, capacityHeight_);
    Release();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), newWidth, -newHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memDC = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!memDC) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    memDC_ = memDC;
    bitmap_ = bitmap;
    pixels_ = static_cast<uint32_t*>(bits);
    originalBitmap_ = SelectObject(memDC_, bitmap_);
    capacityWidth_ = newWidth;
    capacityHeight_ = newHeight;
    return true;
}

namespace {

constexpr int kSmallestCovered = 8;

bool TrueColour(HDC hDC) { return GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES) >= 24; }

}  // namespace

// Asking a window DC for its depth is dear under some drivers; every window
// DC has the screen's, read again only after the system announced a change.
bool PaintBuffer::TrueColourTarget(HDC hDC) {
    if (!WindowFromDC(hDC)) return TrueColour(hDC);
    const unsigned changes = corvix::SystemChanges();
    if (depthReadAt_ != changes) {
        HDC screenDC = GetDC(nullptr);
        screenTrueColour_ = TrueColour(screenDC);
        ReleaseDC(nullptr, screenDC);
        depthReadAt_ = changes;
    }
    return screenTrueColour_;
}

HDC PaintBuffer::Begin(HWND hWnd, HDC hDC) {
    if (inUse_ || !hDC || !IsWindow(hWnd) || !TrueColourTarget(hDC)) return nullptr;
    RECT client{};
    GetClientRect(hWnd, &client);
    // The smallest buttons are not covered whole by every look: they keep buffering a copy of the target.
    if (client.right < kSmallestCovered || client.bottom < kSmallestCovered || !Fit(client.right, client.bottom))
        return nullptr;
    width_ = client.right;
    height_ = client.bottom;
    // Each paint starts from the state of a new DC, whatever the last one left.
    savedState_ = SaveDC(memDC_);
    inUse_ = true;
    return memDC_;
}

void PaintBuffer::End(HDC hDC) {
    BitBlt(hDC, 0, 0, width_, height_, memDC_, 0, 0, SRCCOPY);
    RestoreDC(memDC_, savedState_);
    inUse_ = false;
}

}  // namespace corvix::skin
