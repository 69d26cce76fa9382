#include "corvix/native/dlgtemplate.h"

namespace corvix {

namespace {

void PutWord(std::string& out, unsigned n) {
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
}

void PutDword(std::string& out, DWORD n) {
    PutWord(out, n & 0xFFFF);
    PutWord(out, n >> 16);
}

// 0-terminated UTF-16 from text in the given code page. A process in UTF-8
// has all its text in UTF-8, which takes no conversion flags.
void PutText(std::string& out, const std::string& text, UINT nCodePage, DWORD nFlags = 0) {
    if (GetACP() == CP_UTF8) nCodePage = CP_UTF8, nFlags = 0;
    const int size = static_cast<int>(text.size());
    const int units = text.empty() ? 0 : MultiByteToWideChar(nCodePage, nFlags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    if (units) MultiByteToWideChar(nCodePage, nFlags, text.data(), size, wide.data(), units);
    for (wchar_t unit : wide) PutWord(out, unit);
    PutWord(out, 0);
}

void PadToFour(std::string& out) { out.resize((out.size() + 3) / 4 * 4, '\0'); }

// Reads a template front to back; once a read would pass the end, every
// later one fails too.
class TemplateReader {
public:
    explicit TemplateReader(const std::string& bytes) : bytes_(bytes) {}
    bool Whole() const { return whole_; }
    void Skip(size_t n) {
        whole_ = whole_ && bytes_.size() - at_ >= n;
        if (whole_) at_ += n;
    }
    unsigned Word() {
        Skip(2);
        if (!whole_) return 0;
        return static_cast<unsigned char>(bytes_[at_ - 2]) | static_cast<unsigned char>(bytes_[at_ - 1]) << 8;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    void Text() {
        while (Word() != 0) {
        }
    }
    // A menu, class or caption: none, 0xFFFF and an ordinal, or a text.
    void TextOrOrdinal() {
        const unsigned first = Word();
        if (first == 0xFFFF)
            Word();
        else if (first != 0)
            Text();
    }
    void AlignToFour() { Skip((4 - at_ % 4) % 4); }

private:
    const std::string& bytes_;
    size_t at_ = 0;
    bool whole_ = true;
};

bool IsExtended(const std::string& t) {
    return t.size() >= 4 && t[0] == 1 && t[1] == 0 && static_cast<unsigned char>(t[2]) == 0xFF &&
           static_cast<unsigned char>(t[3]) == 0xFF;
}

}  // namespace

LONG GETDLGBASEUNITS() { return GetDialogBaseUnits(); }

std::string CCTRL2CHR(int nTop, int nLeft, int nBottom, int nRight, int nId, DWORD nStyle,
                      const std::string& cClass, const std::string& cCaption) {
    std::string item;
    PutDword(item, nStyle);
    PutDword(item, 0);
    PutWord(item, static_cast<unsigned>(nLeft));
    PutWord(item, static_cast<unsigned>(nTop));
    PutWord(item, static_cast<unsigned>(nRight - nLeft + 1));
    PutWord(item, static_cast<unsigned>(nBottom - nTop + 1));
    PutWord(item, static_cast<unsigned>(nId));
    PutText(item, cClass, CP_OEMCP);
    PutText(item, cCaption, CP_ACP);
    PutWord(item, 0);  // no creation data
    PadToFour(item);
    return item;
}

std::string CDLG2CHR(int nItems, int nTop, int nLeft, int nBottom, int nRight, const std::string& cTitle,
                     DWORD nStyle, const std::optional<DialogFont>& aFont) {
    DWORD style = nStyle, extendedStyle = 0;
    if (nStyle == 2) {
        style = WS_POPUP | 2;
        extendedStyle = WS_EX_TRANSPARENT;
    } else if (nStyle == WS_VISIBLE) {
        style = 0xC0000000;  // the value stored templates have always carried for this style
    }
    std::string header;
    PutDword(header, style);
    PutDword(header, extendedStyle);
    PutWord(header, static_cast<unsigned>(nItems));
    PutWord(header, static_cast<unsigned>(nLeft));
    PutWord(header, static_cast<unsigned>(nTop));
    PutWord(header, static_cast<unsigned>(nRight - nLeft + 1));
    PutWord(header, static_cast<unsigned>(nBottom - nTop + 1));
    PutWord(header, 0);  // no menu
    PutWord(header, 0);  // the system's dialog class
    PutText(header, cTitle, CP_OEMCP, MB_PRECOMPOSED);
    if (aFont) {
        PutWord(header, static_cast<unsigned>(aFont->nPointSize));
        PutText(header, aFont->cFaceName, CP_OEMCP, MB_PRECOMPOSED);
    }
    PadToFour(header);
    return header;
}

bool IsWholeTemplate(const std::string& cTemplate) {
    const bool extended = IsExtended(cTemplate);
    TemplateReader r(cTemplate);
    DWORD style = 0;
    if (extended) {
        r.Skip(12);  // version, signature, help identifier, extended style
        style = r.Dword();
    } else {
        style = r.Dword();
        r.Skip(4);  // extended style
    }
    const unsigned items = r.Word();
    r.Skip(8);  // x, y, cx, cy
    r.TextOrOrdinal();  // menu
    r.TextOrOrdinal();  // class
    r.Text();           // title
    if (style & DS_SETFONT) {
        r.Skip(extended ? 6 : 2);  // point size; weight, italic and character set
        r.Text();
    }
    for (unsigned i = 0; i < items && r.Whole(); ++i) {
        r.AlignToFour();
        r.Skip(extended ? 24 : 18);
        r.TextOrOrdinal();  // class
        r.TextOrOrdinal();  // caption
        r.Skip(r.Word());   // creation data
    }
    return r.Whole();
}

}  // namespace corvix
