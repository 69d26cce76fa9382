#pragma once
// Faces of skinned buttons depend on their look and size alone: each is
// drawn once and copied into the paint buffer after that.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "demo/skin/btnpaint.h"
#include "demo/skin/paintbuffer.h"

namespace skindemo {

class FaceCache {
public:
    // Puts the face of a w x h button in this look under the buffer's client
    // area: copied when kept, else drawn by PaintButtonFace (and kept unless large).
    void Paint(PaintBuffer& buffer, HDC dc, int w, int h, ButtonLook look);

private:
    struct Face {
        ButtonLook look;
        int w, h, clientWidth, clientHeight;
        std::vector<uint32_t> pixels;
        uint64_t lastUse;
    };
    static constexpr size_t kCapacity = 32;            // faces kept; the least recently used gives way
    static constexpr int kLargestKeptPixels = 16384;  // 64 KiB a face at most

    Face* Find(ButtonLook look, int w, int h, const PaintBuffer& buffer);
    void Keep(ButtonLook look, int w, int h, const PaintBuffer& buffer);

    std::vector<Face> faces_;
    uint64_t uses_ = 0;
};

}  // namespace skindemo
