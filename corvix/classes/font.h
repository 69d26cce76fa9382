#pragma once
// TFont: a GDI font shared between all its users. A request with the same
// attributes as a living font returns that font with one more reference; the
// GDI font is deleted with the last reference. Stock fonts are never deleted.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/native/gdiobjects.h"
#include "corvix/runtime/value.h"

namespace corvix {

// What a font needs to know of an output device.
struct FontDevice {
    int nLogPixelY = 72;  // vertical pixels per inch
};

class TFont : public Object, public std::enable_shared_from_this<TFont> {
public:
    // The 17 arguments of New, in their order; all optional.
    struct NewArgs {
        std::optional<std::string> cFaceName;  // "SYSTEM_FONT"
        std::optional<double> nWidth;          // 0
        std::optional<double> nHeight;         // 14
        bool lFromUser = false;
        bool lBold = false;
        int nEscapement = 0;
        int nOrientation = 0;
        int nWeight = 0;
        bool lItalic = false;
        bool lUnderline = false;
        bool lStrikeOut = false;
        int nCharSet = 0;
        int nOutPrecision = 0;
        int nClipPrecision = 0;
        int nQuality = 0;
        std::shared_ptr<const FontDevice> oDevice;
        int nPitchFamily = 0;
    };

    std::string cFaceName;
    HFONT hFont = nullptr;
    HGDIOBJ hFontOld = nullptr;
    bool lBold = false;
    bool lItalic = false;
    bool lUnderline = false;
    bool lStrikeOut = false;
    double nInpHeight = 0;  // as passed to font creation; fractions are cut there
    double nInpWidth = 0;
    int nEscapement = 0;
    int nOrientation = 0;
    int nWeight = 0;
    int nCharSet = 0;
    int nOutPrecision = 0;
    int nClipPrecision = 0;
    int nQuality = 0;
    int nPitchFamily = 0;
    std::optional<int> nCount;
    bool lDestroy = true;
    bool lNew = false;

    static const std::vector<std::string> aProperties;

    // A new font, or a living one with the same attributes and one more reference.
    static std::shared_ptr<TFont> New(const NewArgs& args);
    static std::shared_ptr<TFont> New() { return New(NewArgs{}); }
    // The living fonts made by font creation, oldest first.
    static std::vector<std::shared_ptr<TFont>>& Cache();

    // Drops one reference; the last deletes the GDI font (a failure is logged
    // to "resources.txt" and the font kept).
    void End();
    void Release() { End(); }

    void Activate(HDC hDC);
    void DeActivate(HDC hDC);

    // Point size at the screen's resolution, in quarter points.
    double nSize() const;
    double nHeight() const;
    void nHeight(double nNewHeight) { nInpHeight = nNewHeight; }
    // A width of 0 reports 0.44 of the height.
    double nWidth() const;
    void nWidth(double nNewWidth) { nInpWidth = nNewWidth; }

    // Variants of this font; this one is not changed.
    std::shared_ptr<TFont> Bold(bool lOnOff = true) const;
    std::shared_ptr<TFont> Italic(bool lOnOff = true) const;
    std::shared_ptr<TFont> Underline(bool lOnOff = true) const;
    std::shared_ptr<TFont> StrikeOut(bool lOnOff = true) const;
    std::shared_ptr<TFont> Escapement(std::optional<int> nAngle = std::nullopt) const;
    std::shared_ptr<TFont> Rotate(int nAngle = 900);
    // What Modify changes; an empty field keeps the font's own.
    struct ModifyArgs {
        std::optional<double> nHeight;
        std::optional<bool> lBold, lItalic, lUnderline, lStrikeOut;
        std::optional<int> nEscapement;
    };
    std::shared_ptr<TFont> Modify(const ModifyArgs& args) const;
    std::shared_ptr<TFont> Modify() const { return Modify(ModifyArgs{}); }

    // The font dialog preset with this font: a new font on OK (this one is
    // ended), this one on cancel. The chosen colour goes to *pColor.
    std::shared_ptr<TFont> Choose(COLORREF* pColor = nullptr);

    // Same attributes (the GDI handle and the count aside).
    bool operator==(const TFont& other) const;

    // The property record: type "O", lengths, class name and the properties
    // that differ from a default font.
    std::string Save() const;
    // Reads a record from its count field on.
    void Load(const std::string& cRecord);
    std::string SaveToText(int nIndent = 0) const;
    std::string cGenPrg(const std::string& cName = "oFont") const;

    std::string ClassName() const override { return "TFONT"; }
    Value GetProperty(const std::string& cName) const;
    void SetProperty(const std::string& cName, const Value& xValue);

private:
    FontDescription Description() const;
    bool SameAttributes(const TFont& other) const;
    std::optional<int> nRotation;  // the running angle of Rotate
};

}  // namespace corvix
