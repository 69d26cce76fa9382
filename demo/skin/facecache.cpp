#include "demo/skin/facecache.h"

#include <algorithm>

namespace skindemo {

namespace {

void CopyRows(const uint32_t* from, int fromStride, uint32_t* to, int toStride, int width, int height) {
    for (int row = 0; row < height; ++row) std::copy_n(from + row * fromStride, width, to + row * toStride);
}

}  // namespace

FaceCache::Face* FaceCache::Find(ButtonLook look, int w, int h, const PaintBuffer& buffer) {
    for (Face& face : faces_) {
        if (face.look == look && face.w == w && face.h == h && face.clientWidth == buffer.Width() &&
            face.clientHeight == buffer.Height())
            return &face;
    }
    return nullptr;
}

// A full cache reuses the least recently used face's pixels, so that keeping
// a face allocates nothing once the program's sizes have all been seen.
void FaceCache::Keep(ButtonLook look, int w, int h, const PaintBuffer& buffer) {
    Face* face = nullptr;
    if (faces_.size() < kCapacity) {
        face = &faces_.emplace_back();
    } else {
        face = &*std::min_element(faces_.begin(), faces_.end(),
                                  [](const Face& a, const Face& b) { return a.lastUse < b.lastUse; });
    }
    face->look = look;
    face->w = w;
    face->h = h;
    face->clientWidth = buffer.Width();
    face->clientHeight = buffer.Height();
    face->pixels.resize(static_cast<size_t>(buffer.Width()) * static_cast<size_t>(buffer.Height()));
    face->lastUse = ++uses_;
    CopyRows(buffer.Pixels(), buffer.Stride(), face->pixels.data(), buffer.Width(), buffer.Width(), buffer.Height());
}

void FaceCache::Paint(PaintBuffer& buffer, HDC dc, int w, int h, ButtonLook look) {
    GdiFlush();  // the pixels are shared with GDI
    if (Face* face = Find(look, w, h, buffer)) {
        face->lastUse = ++uses_;
        CopyRows(face->pixels.data(), face->clientWidth, buffer.Pixels(), buffer.Stride(), face->clientWidth,
                 face->clientHeight);
        return;
    }
    PaintButtonFace(dc, w, h, look);
    if (buffer.Width() * buffer.Height() > kLargestKeptPixels) return;
    GdiFlush();
    Keep(look, w, h, buffer);
}

}  // namespace skindemo
