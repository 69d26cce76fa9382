#pragma once
// Pictures of skinned buttons are drawn once and copied into the paint
// buffer after that. Key says what a picture depends on besides the client
// size, and compares with ==.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "corvix/skin/paintbuffer.h"

namespace corvix::skin {

template <typename Key>
class PictureCache {
public:
    explicit PictureCache(size_t capacity) : capacity_(capacity) {}

    // Copies key's kept picture under the buffer's client area; false when none is kept.
    bool CopyInto(PaintBuffer& buffer, const Key& key) {
        Picture* picture = Find(key, buffer);
        if (!picture) return false;
        picture->lastUse = ++uses_;
        GdiFlush();  // the pixels are shared with GDI
        CopyRows(picture->pixels.data(), buffer.Width(), buffer.Pixels(), buffer.Stride(), buffer.Width(),
                 buffer.Height());
        return true;
    }

    // Forgets every picture: what they were drawn under has changed.
    void Clear() { pictures_.clear(); }
    size_t Count() const { return pictures_.size(); }

    // Keeps what the buffer's client area holds now as key's picture, unless it is large.
    void Keep(const PaintBuffer& buffer, const Key& key) {
        if (buffer.Width() * buffer.Height() > kLargestKeptPixels) return;
        Picture& picture = Slot();
        picture.key = key;
        picture.width = buffer.Width();
        picture.height = buffer.Height();
        picture.pixels.resize(static_cast<size_t>(buffer.Width()) * static_cast<size_t>(buffer.Height()));
        picture.lastUse = ++uses_;
        GdiFlush();
        CopyRows(buffer.Pixels(), buffer.Stride(), picture.pixels.data(), buffer.Width(), buffer.Width(),
                 buffer.Height());
    }

private:
    struct Picture {
        Key key;
        int width = 0, height = 0;
        std::vector<uint32_t> pixels;
        uint64_t lastUse = 0;
    };
    static constexpr int kLargestKeptPixels = 16384;  // 64 KiB a picture at most

    static void CopyRows(const uint32_t* from, int fromStride, uint32_t* to, int toStride, int width, int height) {
        for (int row = 0; row < height; ++row) std::copy_n(from + row * fromStride, width, to + row * toStride);
    }

    Picture* Find(const Key& key, const PaintBuffer& buffer) {
        for (Picture& picture : pictures_) {
            if (picture.width == buffer.Width() && picture.height == buffer.Height() && picture.key == key)
                return &picture;
        }
        return nullptr;
    }

    // A full cache reuses the least recently used picture's storage, so that
    // keeping one allocates nothing once the program's buttons have been seen.
    Picture& Slot() {
        if (pictures_.size() < capacity_) return pictures_.emplace_back();
        return *std::min_element(pictures_.begin(), pictures_.end(),
                                 [](const Picture& a, const Picture& b) { return a.lastUse < b.lastUse; });
    }

    size_t capacity_;
    std::vector<Picture> pictures_;
    uint64_t uses_ = 0;
};

}  // namespace corvix::skin
