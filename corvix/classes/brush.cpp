#include "corvix/classes/brush.h"

#include <algorithm>

#include "corvix/classes/properties.h"
#include "corvix/function/filename.h"
#include "corvix/function/valblank.h"
#include "corvix/native/bitmaps.h"
#include "corvix/native/colour.h"
#include "corvix/native/gdiobjects.h"

namespace corvix {

namespace {

struct NamedNumber {
    const char* name;
    int number;
};

constexpr NamedNumber kPatterns[] = {{"BORLAND", 1}, {"BRICKS", 2}, {"TILED", 3}, {"TABS", 4}};
constexpr NamedNumber kHatches[] = {{"HORIZONTAL", HS_HORIZONTAL}, {"VERTICAL", HS_VERTICAL},
                                    {"FDIAGONAL", HS_FDIAGONAL},   {"BDIAGONAL", HS_BDIAGONAL},
                                    {"CROSS", HS_CROSS},           {"DIAGCROSS", HS_DIAGCROSS}};

struct StockColour {
    COLORREF colour;
    int object;
};
constexpr StockColour kStockColours[] = {{NRGB(255, 255, 255), WHITE_BRUSH}, {NRGB(0, 0, 0), BLACK_BRUSH},
                                         {NRGB(192, 192, 192), LTGRAY_BRUSH}, {NRGB(128, 128, 128), GRAY_BRUSH},
                                         {NRGB(64, 64, 64), DKGRAY_BRUSH}};

template <size_t N>
std::optional<int> Lookup(const NamedNumber (&table)[N], const std::string& name) {
    for (const NamedNumber& entry : table)
        if (name == entry.name) return entry.number;
    return std::nullopt;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const std::vector<std::string> TBrush::aProperties = {"cStyle", "cBmpFile", "cBmpRes", "nRGBColor", "lSystem"};

std::vector<std::shared_ptr<TBrush>>& TBrush::aBrushes() {
    static std::vector<std::shared_ptr<TBrush>> cache;
    return cache;
}

std::shared_ptr<TBrush> TBrush::New(const NewArgs& a) {
    auto& cache = aBrushes();
    const auto same = std::find_if(cache.begin(), cache.end(), [&](const auto& b) {
        return b->cStyle == a.cStyle && b->nRGBColor == a.nRGBColor && b->cBmpFile == a.cBmpFile &&
               b->cBmpRes == a.cBmpRes;
    });
    // Built-in patterns are made afresh every time; the earlier one stays its holder's.
    if (same != cache.end() && !(*same)->IsBuiltInPattern()) {
        *(*same)->nCount += 1;
        return *same;
    }
    auto brush = std::make_shared<TBrush>();
    brush->cStyle = a.cStyle;
    brush->nRGBColor = a.nRGBColor;
    brush->cBmpFile = a.cBmpFile;
    brush->cBmpRes = a.cBmpRes;
    brush->Make();
    brush->nCount = 1;
    cache.push_back(brush);
    return brush;
}

bool TBrush::IsBuiltInPattern() const { return hBitmap && !cBmpFile && !cBmpRes; }

void TBrush::Make() {
    if (!cStyle && nRGBColor) {
        for (const StockColour& s : kStockColours) {
            if (s.colour != *nRGBColor) continue;
            hBrush = static_cast<HBRUSH>(GETSTOCKOBJECT(s.object));
            lSystem = true;
            return;
        }
        hBrush = CREATESOLIDBRUSH(*nRGBColor);
    } else if (cStyle) {
        MakeFromStyle();
    } else if (cBmpFile) {
        if (FileExists(*cBmpFile)) MakeFromBitmap(READBITMAP(nullptr, *cBmpFile));
    } else if (cBmpRes) {
        MakeFromBitmap(LOADBITMAP(GETRESOURCES(), *cBmpRes));
    }
}

void TBrush::MakeFromStyle() {
    if (*cStyle == "NULL") {
        hBrush = static_cast<HBRUSH>(GETSTOCKOBJECT(NULL_BRUSH));
        lSystem = true;
    } else if (const auto pattern = Lookup(kPatterns, *cStyle)) {
        MakeFromBitmap(CXBRUSHES(*pattern));
    } else if (const auto hatch = Lookup(kHatches, *cStyle)) {
        hBrush = CREATEHATCHBRUSH(*hatch, nRGBColor.value_or(0));
    } else if (cBmpFile && FileExists(*cBmpFile)) {
        MakeFromBitmap(READBITMAP(nullptr, *cBmpFile));
    }
}

void TBrush::MakeFromBitmap(HBITMAP bitmap) {
    hBitmap = bitmap;
    if (hBitmap) hBrush = CREATEPATTERNBRUSH(hBitmap);
}

void TBrush::End() {
    nCount = nCount.value_or(1) - 1;
    if (*nCount >= 1) return;
    const auto self = weak_from_this().lock();  // the cache may hold the last reference
    // This brush's own entry: brushes that could not be made all have handle 0.
    std::erase(aBrushes(), self);
    if (hBrush && !lSystem && !DELETEOBJECT(hBrush))
        LOGFILE("resources.txt", {"DeleteObject( ::hBrush ) failed from TBrush:End()", Value::Handle(hBrush)});
    if (hBitmap) DELETEOBJECT(hBitmap);
    hBrush = nullptr;
    hBitmap = nullptr;
}

Value TBrush::GetProperty(const std::string& n) const {
    auto text = [](const std::optional<std::string>& s) { return s ? Value(*s) : Value(); };
    if (n == "cStyle") return text(cStyle);
    if (n == "cBmpFile") return text(cBmpFile);
    if (n == "cBmpRes") return text(cBmpRes);
    if (n == "nRGBColor") return nRGBColor ? Value(static_cast<int64_t>(*nRGBColor)) : Value();
    if (n == "lSystem") return lSystem;
    return Value();
}

void TBrush::SetProperty(const std::string& n, const Value& v) {
    auto text = [&v] { return v.IsNil() ? std::nullopt : std::optional<std::string>(v.AsString()); };
    if (n == "cStyle") cStyle = text();
    if (n == "cBmpFile") cBmpFile = text();
    if (n == "cBmpRes") cBmpRes = text();
    if (n == "nRGBColor")
        nRGBColor = v.IsNil() ? std::nullopt : std::optional<COLORREF>(static_cast<COLORREF>(v.AsInteger()));
    if (n == "lSystem") lSystem = v.AsLogical();
}

std::string TBrush::Save() const { return PropertyRecord(ClassName(), PropertiesToSave(*this)); }

void TBrush::Load(const std::string& cRecord) {
    for (const Property& p : ReadPropertyRecord(cRecord)) SetProperty(p.cName, p.xValue);
}

std::string TBrush::SaveToText(int nIndent) const {
    return PropertyText(ClassName(), "oBrush", PropertiesToSave(*this), nIndent);
}

std::string TBrush::cGenPRG(const std::string& cName) const {
    std::string text = "DEFINE BRUSH " + cName;
    if (cStyle) text += " STYLE '" + *cStyle + "'";
    if (nRGBColor) text += " COLOR " + std::to_string(*nRGBColor);
    if (cBmpFile)
        text += " FILE '" + *cBmpFile + "'";
    else if (cBmpRes)
        text += " RESOURCE '" + *cBmpRes + "'";
    return text;
}

}  // namespace corvix
