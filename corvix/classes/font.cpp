#include "corvix/classes/font.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "corvix/classes/properties.h"
#include "corvix/function/filename.h"
#include "corvix/function/valblank.h"
#include "corvix/native/colour.h"
#include "corvix/native/fontdialog.h"

namespace corvix {

namespace {

constexpr int kBoldWeight = 700;

struct StockFont {
    const char* name;
    int object;
};
constexpr StockFont kStockFonts[] = {
    {"OEM_FIXED_FONT", OEM_FIXED_FONT}, {"ANSI_FIXED_FONT", ANSI_FIXED_FONT},
    {"ANSI_VAR_FONT", ANSI_VAR_FONT},   {"SYSTEM_FONT", SYSTEM_FONT},
    {"DEVICE_DEFAULT_FONT", DEVICE_DEFAULT_FONT}, {"SYSTEM_FIXED_FONT", SYSTEM_FIXED_FONT},
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::optional<int> StockFontFor(const std::string& face) {
    const std::string upper = Upper(face);
    for (const StockFont& f : kStockFonts)
        if (upper == f.name) return f.object;
    return std::nullopt;
}

std::string Num(double n) { return CVALTOCHAR(Value(n)); }
std::string Flag(bool b) { return b ? ".t." : ".f."; }

void FillFromChoice(TFont& f, const FontDescription& chosen) {
    f.cFaceName = chosen.cFaceName;
    f.nInpHeight = chosen.nHeight;
    f.nInpWidth = chosen.nWidth;
    f.nEscapement = chosen.nEscapement;
    f.nOrientation = chosen.nOrientation;
    f.nWeight = chosen.nWeight;
    f.lItalic = chosen.lItalic;
    f.lUnderline = chosen.lUnderline;
    f.lStrikeOut = chosen.lStrikeOut;
    f.nCharSet = chosen.nCharSet;
    f.nOutPrecision = chosen.nOutPrecision;
    f.nClipPrecision = chosen.nClipPrecision;
    f.nQuality = chosen.nQuality;
    f.nPitchFamily = chosen.nPitchFamily;
    f.lBold = chosen.nWeight != 400;
}

void FillFromArgs(TFont& f, const TFont::NewArgs& a, std::string face, double height) {
    f.cFaceName = std::move(face);
    f.nInpHeight = height;
    f.nInpWidth = a.nWidth.value_or(0);
    f.nEscapement = a.nEscapement;
    f.nOrientation = a.nOrientation;
    f.nWeight = a.lBold ? NOR(a.nWeight, kBoldWeight) : a.nWeight;
    f.lItalic = a.lItalic;
    f.lUnderline = a.lUnderline;
    f.lStrikeOut = a.lStrikeOut;
    f.nCharSet = a.nCharSet;
    f.nOutPrecision = a.nOutPrecision;
    f.nClipPrecision = a.nClipPrecision;
    f.nQuality = a.nQuality;
    f.nPitchFamily = a.nPitchFamily;
    f.lBold = a.lBold;
}

// The dialog's choice, when the user asked for it and picked a face.
std::optional<FontDescription> ChosenByUser(bool lFromUser) {
    if (!lFromUser) return std::nullopt;
    COLORREF colour = 0;
    std::optional<FontDescription> chosen = CHOOSEFONT({.pColor = &colour});
    if (!chosen || chosen->cFaceName.empty()) return std::nullopt;
    return chosen;
}

}  // namespace

const std::vector<std::string> TFont::aProperties = {"cFaceName",  "lBold",        "lItalic", "lUnderline",
                                                     "lStrikeOut", "nOrientation", "nWeight", "nCharSet"};

std::vector<std::shared_ptr<TFont>>& TFont::Cache() {
    static std::vector<std::shared_ptr<TFont>> cache;
    return cache;
}

std::shared_ptr<TFont> TFont::New(const NewArgs& a) {
    auto font = std::make_shared<TFont>();
    font->nCount = 0;
    std::string face = a.cFaceName.value_or("SYSTEM_FONT");
    double height = a.nHeight.value_or(14);
    if (Upper(face) == "SYSTAHOMA") {
        if (height < 0 && -height < 12) height = -12;
        face = "TAHOMA";
    }
    if (const auto chosen = ChosenByUser(a.lFromUser))
        FillFromChoice(*font, *chosen);
    else
        FillFromArgs(*font, a, std::move(face), height);
    if (a.oDevice) font->nInpHeight *= a.oDevice->nLogPixelY / 72.0;

    auto& cache = Cache();
    const auto same = std::find_if(cache.begin(), cache.end(),
                                   [&](const auto& cached) { return cached->SameAttributes(*font); });
    if (same != cache.end()) {
        *(*same)->nCount += 1;
        (*same)->lNew = false;
        return *same;
    }
    if (const auto stock = StockFontFor(font->cFaceName)) {
        font->hFont = static_cast<HFONT>(GETSTOCKOBJECT(*stock));
        const FontInfo info = GETFONTINFO(font->hFont);
        font->nInpHeight = info.nHeight;
        font->nInpWidth = info.nWidth;
        font->lBold = info.lBold;
        font->lDestroy = false;
    } else {
        font->hFont = CREATEFONT(font->Description());
        font->lDestroy = true;
        cache.push_back(font);
    }
    *font->nCount += 1;
    font->lNew = true;
    return font;
}

void TFont::End() {
    if (!nCount) return;
    *nCount -= 1;
    if (*nCount >= 1 || !lDestroy) return;
    const auto self = weak_from_this().lock();  // the cache may hold the last reference
    auto& cache = Cache();
    if (!hFont) {
        // Creation failed: nothing to delete, only the cache entry to drop.
        std::erase(cache, self);
        nCount = 0;
        return;
    }
    if (!DELETEOBJECT(hFont)) {
        LOGFILE("resources.txt", {"DeleteObject( ::hFont ) failed from TFont:End()", Value::Handle(hFont),
                                  *nCount, lDestroy});
        return;
    }
    const auto entry = std::find_if(cache.begin(), cache.end(), [this](const auto& f) { return f->hFont == hFont; });
    if (entry != cache.end()) cache.erase(entry);
    hFont = nullptr;
    nCount = 0;
}

void TFont::Activate(HDC hDC) { hFontOld = SelectObject(hDC, hFont); }

void TFont::DeActivate(HDC hDC) { SelectObject(hDC, hFontOld); }

double TFont::nSize() const {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const double size = -nInpHeight * 72 / pixelsPerInch;
    const double fraction = size - std::floor(size);
    if (fraction == 0.25) return size - 0.25;
    if (fraction != 0) return size + 0.25;
    return size;
}

double TFont::nHeight() const { return std::fabs(nInpHeight); }

double TFont::nWidth() const { return nInpWidth == 0 ? nHeight() * 0.44 : nInpWidth; }

std::shared_ptr<TFont> TFont::Modify(const ModifyArgs& m) const {
    NewArgs a;
    a.cFaceName = cFaceName;
    a.nWidth = nWidth();
    a.nHeight = m.nHeight.value_or(nHeight());
    a.lBold = m.lBold.value_or(lBold);
    a.nEscapement = m.nEscapement.value_or(nEscapement);
    a.nOrientation = nOrientation;
    a.nWeight = nWeight;
    a.lItalic = m.lItalic.value_or(lItalic);
    a.lUnderline = m.lUnderline.value_or(lUnderline);
    a.lStrikeOut = m.lStrikeOut.value_or(lStrikeOut);
    a.nCharSet = nCharSet;
    a.nOutPrecision = nOutPrecision;
    a.nClipPrecision = nClipPrecision;
    a.nQuality = nQuality;
    a.nPitchFamily = nPitchFamily;
    return New(a);
}

std::shared_ptr<TFont> TFont::Bold(bool lOnOff) const { return Modify({.lBold = lOnOff}); }
std::shared_ptr<TFont> TFont::Italic(bool lOnOff) const { return Modify({.lItalic = lOnOff}); }
std::shared_ptr<TFont> TFont::Underline(bool lOnOff) const { return Modify({.lUnderline = lOnOff}); }
std::shared_ptr<TFont> TFont::StrikeOut(bool lOnOff) const { return Modify({.lStrikeOut = lOnOff}); }

std::shared_ptr<TFont> TFont::Escapement(std::optional<int> nAngle) const {
    return Modify({.nEscapement = nAngle.value_or(nEscapement) % 3600});
}

std::shared_ptr<TFont> TFont::Rotate(int nAngle) {
    int angle = nRotation.value_or(nEscapement) + nAngle;
    while (angle < 0) angle += 3600;
    nRotation = angle;
    return Escapement(angle);
}

std::shared_ptr<TFont> TFont::Choose(COLORREF* pColor) {
    const auto chosen = CHOOSEFONT({.aFont = Description(), .pColor = pColor});
    if (!chosen || chosen->cFaceName.empty()) return weak_from_this().lock();
    End();
    NewArgs a;
    a.cFaceName = chosen->cFaceName;
    a.nHeight = chosen->nHeight;
    a.lBold = chosen->nWeight != 400;
    a.nEscapement = chosen->nEscapement;
    a.nOrientation = chosen->nOrientation;
    a.nWeight = chosen->nWeight;
    a.lItalic = chosen->lItalic;
    a.lUnderline = chosen->lUnderline;
    a.lStrikeOut = chosen->lStrikeOut;
    a.nCharSet = chosen->nCharSet;
    a.nOutPrecision = chosen->nOutPrecision;
    a.nClipPrecision = chosen->nClipPrecision;
    a.nQuality = chosen->nQuality;
    a.nPitchFamily = chosen->nPitchFamily;
    return New(a);
}

bool TFont::SameAttributes(const TFont& o) const {
    return nInpHeight == o.nInpHeight && nInpWidth == o.nInpWidth && nEscapement == o.nEscapement &&
           nOrientation == o.nOrientation && nWeight == o.nWeight && lItalic == o.lItalic &&
           lUnderline == o.lUnderline && lBold == o.lBold && lStrikeOut == o.lStrikeOut &&
           nCharSet == o.nCharSet && nOutPrecision == o.nOutPrecision && nClipPrecision == o.nClipPrecision &&
           nQuality == o.nQuality && nPitchFamily == o.nPitchFamily && cFaceName == o.cFaceName;
}

bool TFont::operator==(const TFont& other) const { return SameAttributes(other); }

FontDescription TFont::Description() const {
    return {static_cast<int>(nInpHeight), static_cast<int>(nInpWidth), nEscapement, nOrientation, nWeight,
            lItalic, lUnderline, lStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchFamily,
            cFaceName};
}

Value TFont::GetProperty(const std::string& n) const {
    if (n == "cFaceName") return cFaceName;
    if (n == "lBold") return lBold;
    if (n == "lItalic") return lItalic;
    if (n == "lUnderline") return lUnderline;
    if (n == "lStrikeOut") return lStrikeOut;
    if (n == "nOrientation") return nOrientation;
    if (n == "nWeight") return nWeight;
    if (n == "nCharSet") return nCharSet;
    return Value();
}

void TFont::SetProperty(const std::string& n, const Value& v) {
    if (n == "cFaceName") cFaceName = v.AsString();
    if (n == "lBold") lBold = v.AsLogical();
    if (n == "lItalic") lItalic = v.AsLogical();
    if (n == "lUnderline") lUnderline = v.AsLogical();
    if (n == "lStrikeOut") lStrikeOut = v.AsLogical();
    if (n == "nOrientation") nOrientation = static_cast<int>(v.AsInteger());
    if (n == "nWeight") nWeight = static_cast<int>(v.AsInteger());
    if (n == "nCharSet") nCharSet = static_cast<int>(v.AsInteger());
}

std::string TFont::Save() const { return PropertyRecord(ClassName(), PropertiesToSave(*this)); }

void TFont::Load(const std::string& cRecord) {
    for (const Property& p : ReadPropertyRecord(cRecord)) SetProperty(p.cName, p.xValue);
}

std::string TFont::SaveToText(int nIndent) const {
    return PropertyText(ClassName(), "oFont", PropertiesToSave(*this), nIndent);
}

std::string TFont::cGenPrg(const std::string& cName) const {
    const bool shortForm = !nOrientation && !lStrikeOut && !nCharSet && !nOutPrecision && !nClipPrecision && !nQuality;
    if (!shortForm) {
        return cName + " := TFont():New( '" + cFaceName + "', " + Num(nWidth()) + ", " + Num(nHeight()) +
               ", .f., " + Flag(lBold) + ", " + Num(nEscapement) + ", " + Num(nOrientation) + ", " +
               Num(nWeight) + ", " + Flag(lItalic) + ", " + Flag(lUnderline) + ", " + Flag(lStrikeOut) + ", " +
               Num(nCharSet) + "," + Num(nOutPrecision) + ", " + Num(nClipPrecision) + ", " + Num(nQuality) +
               ",, " + Num(nPitchFamily) + " )";
    }
    std::string text = "DEFINE FONT " + cName + " NAME '" + cFaceName + "' " + Num(nInpWidth) + "," + Num(nInpHeight);
    if (lBold) text += " BOLD";
    if (lItalic) text += " ITALIC";
    if (lUnderline) text += " UNDERLINE";
    if (nPitchFamily) text += " PITCHFAMILY " + Num(nPitchFamily);
    if (nWeight != 0 && !(lBold && nWeight == kBoldWeight)) text += " WEIGHT " + Num(nWeight);
    if (nEscapement) text += " ESCAPEMENT " + Num(nEscapement);
    return text;
}

}  // namespace corvix
