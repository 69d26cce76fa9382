#pragma once
// One off-screen buffer for every skinned paint of the process, so that a
// paint makes no DC or bitmap of its own.

#include <windows.h>

#include <cstdint>

namespace skindemo {

class PaintBuffer {
public:
    // The buffer of the process: made on first use, freed at exit.
    static PaintBuffer& Shared();

    // A memory DC of at least hWnd's client size in a fresh DC state, or
    // nullptr when hDC is no true-colour target (the caller buffers itself
    // then). Its content is undefined: the caller paints all of it.
    HDC Begin(HWND hWnd, HDC hDC);
    // Copies the client area onto hDC and puts the buffer's DC state back.
    void End(HDC hDC);

    // The pixels under the DC of Begin, top row first, Stride() pixels a row;
    // flush GDI before reading or writing them.
    uint32_t* Pixels() const { return pixels_; }
    int Stride() const { return capacityWidth_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

private:
    PaintBuffer() = default;
    ~PaintBuffer();
    bool Fit(HDC like, int width, int height);
    void Release();

    HDC memDC_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    uint32_t* pixels_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    int capacityWidth_ = 0, capacityHeight_ = 0;
    int width_ = 0, height_ = 0;
    int savedState_ = 0;
};

}  // namespace skindemo
