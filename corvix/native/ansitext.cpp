#include "corvix/native/ansitext.h"

#include <iterator>
#include <string>

namespace corvix {

namespace {

bool InUtf8() { return GetACP() == CP_UTF8; }

// The text in wide characters. A UTF-8 text never needs more wide units than
// it has bytes, so every caption converts on the stack: painting allocates nothing.
class WideText {
public:
    explicit WideText(std::string_view cText) {
        const int bytes = static_cast<int>(cText.size());
        if (cText.size() <= std::size(inline_)) {
            size_ = MultiByteToWideChar(CP_UTF8, 0, cText.data(), bytes, inline_, static_cast<int>(std::size(inline_)));
            data_ = inline_;
            return;
        }
        long_.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, cText.data(), bytes, nullptr, 0)));
        size_ = MultiByteToWideChar(CP_UTF8, 0, cText.data(), bytes, long_.data(), static_cast<int>(long_.size()));
        data_ = long_.data();
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    const wchar_t* Data() const { return data_; }
    int Size() const { return size_; }

private:
    wchar_t inline_[512];
    std::wstring long_;
    const wchar_t* data_ = nullptr;
    int size_ = 0;
};

}  // namespace

SIZE TextExtent(HDC hDC, std::string_view cText) {
    SIZE size{};
    if (!InUtf8()) {
        GetTextExtentPoint32A(hDC, cText.data(), static_cast<int>(cText.size()), &size);
    } else {
        const WideText wide(cText);
        GetTextExtentPoint32W(hDC, wide.Data(), wide.Size(), &size);
    }
    return size;
}

BOOL TextOutAnsi(HDC hDC, int nX, int nY, std::string_view cText) {
    if (!InUtf8()) return TextOutA(hDC, nX, nY, cText.data(), static_cast<int>(cText.size()));
    const WideText wide(cText);
    return TextOutW(hDC, nX, nY, wide.Data(), wide.Size());
}

int DrawTextAnsi(HDC hDC, std::string_view cText, RECT& aRect, UINT nFormat) {
    if (!InUtf8()) return DrawTextA(hDC, cText.data(), static_cast<int>(cText.size()), &aRect, nFormat);
    const WideText wide(cText);
    return DrawTextW(hDC, wide.Data(), wide.Size(), &aRect, nFormat);
}

}  // namespace corvix
