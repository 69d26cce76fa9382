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

void FaceCache::Keep(ButtonLook look, int w, int h, const PaintBuffer& buffer) {
    Face face{look, w, h, buffer.Width(), buffer.Height(),
              std::vector<uint32_t>(static_cast<size_t>(buffer.Width()) * static_cast<size_t>(buffer.Height()))};
    CopyRows(buffer.Pixels(), buffer.Stride(), face.pixels.data(), buffer.Width(), buffer.Width(), buffer.Height());
    if (faces_.size() < kCapacity) {
        faces_.push_back(std::move(face));
        return;
    }
    faces_[nextToReplace_] = std::move(face);
    nextToReplace_ = (nextToReplace_ + 1) % kCapacity;
}

void FaceCache::Paint(PaintBuffer& buffer, HDC dc, int w, int h, ButtonLook look) {
    GdiFlush();  // the pixels are shared with GDI
    if (const Face* face = Find(look, w, h, buffer)) {
        CopyRows(face->pixels.data(), face->clientWidth, buffer.Pixels(), buffer.Stride(), face->clientWidth,
                 face->clientHeight);
        return;
    }
    PaintButtonFace(dc, w, h, look);
    GdiFlush();
    Keep(look, w, h, buffer);
}

}  // namespace skindemo
