#pragma once
// One off-screen buffer for every skinned paint of the skin's thread, so that a
// paint of an ordinary button on the screen makes no DC or bitmap of its own.

#include <windows.h>

#include <cstdint>
#include <optional>

namespace corvix::skin {

class PaintBuffer {
public:
    // The buffer of the skin's thread (no other may use it): made on first use, freed at exit.
    static PaintBuffer& Shared();

    // Paints through the buffer: paint(dc) draws into a memory DC of at
    // least hWnd's client size, in a fresh DC state and with undefined
    // content (it must cover all of it), which is then copied onto hDC on
    // every path. False, painting nothing, when hDC is no true-colour target,
    // the client area is smaller than 8 x 8 or a paint begun earlier has not
    // ended: the caller buffers itself then.
    template <typename Painter>
    bool PaintThrough(HWND hWnd, HDC hDC, Painter&& paint) {
        const HDC dc = Begin(hWnd, hDC);
        if (!dc) return false;
        const Ending ending{*this, hDC};
        paint(dc);
        return true;
    }

    // The pixels under paint's DC, top row first, Stride() pixels a row;
    // flush GDI before reading or writing them.
    uint32_t* Pixels() const { return pixels_; }
    int Stride() const { return capacityWidth_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

private:
    struct Ending {
        PaintBuffer& buffer;
        HDC target;
        ~Ending() { buffer.End(target); }
    };
    PaintBuffer() = default;
    HDC Begin(HWND hWnd, HDC hDC);  // nullptr when PaintThrough cannot
    void End(HDC hDC);
    ~PaintBuffer();
    bool Fit(int width, int height);
    bool TrueColourTarget(HDC hDC);
    void Release();

    HDC memDC_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    uint32_t* pixels_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    int capacityWidth_ = 0, capacityHeight_ = 0;
    int width_ = 0, height_ = 0;
    int savedState_ = 0;
    bool inUse_ = false;  // a paint that paints another button meanwhile must not share it
    bool screenTrueColour_ = false;
    std::optional<unsigned> depthReadAt_;  // the count of system changes when the depth was read
};

}  // namespace corvix::skin
