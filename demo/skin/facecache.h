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
    // area: copied when known, else drawn by PaintButtonFace and kept.
    void Paint(PaintBuffer& buffer, HDC dc, int w, int h, ButtonLook look);

private:
    struct Face {
        ButtonLook look;
        int w, h, clientWidth, clientHeight;
        std::vector<uint32_t> pixels;
    };
    static constexpr size_t kCapacity = 16;  // faces kept; the oldest gives way

    Face* Find(ButtonLook look, int w, int h, const PaintBuffer& buffer);
    void Keep(ButtonLook look, int w, int h, const PaintBuffer& buffer);

    std::vector<Face> faces_;
    size_t nextToReplace_ = 0;
};

}  // namespace skindemo
