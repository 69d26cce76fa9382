#pragma once
// TBrush: a GDI brush shared between all its users through the brush cache.
// Stock brushes serve the colours they match and are never deleted; the
// built-in pattern brushes are made afresh on every request, each ended by
// its own holder.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "corvix/runtime/value.h"

namespace corvix {

class TBrush : public Object, public std::enable_shared_from_this<TBrush> {
public:
    // The arguments of New, in their order; all optional.
    struct NewArgs {
        std::optional<std::string> cStyle;  // "NULL", a pattern or a hatch name
        std::optional<COLORREF> nRGBColor;
        std::optional<std::string> cBmpFile;
        std::optional<std::string> cBmpRes;
    };

    HBRUSH hBrush = nullptr;
    HBITMAP hBitmap = nullptr;  // behind a pattern brush; owned by the brush
    std::optional<int> nCount;
    std::optional<std::string> cStyle;
    std::optional<COLORREF> nRGBColor;
    std::optional<std::string> cBmpFile;
    std::optional<std::string> cBmpRes;
    bool lSystem = false;

    static const std::vector<std::string> aProperties;

    static std::shared_ptr<TBrush> New(const NewArgs& args);
    static std::shared_ptr<TBrush> New() { return New(NewArgs{}); }
    // The brush cache, oldest first; brushes that could not be made are in it too.
    static std::vector<std::shared_ptr<TBrush>>& aBrushes();

    // Drops one reference; the last deletes the brush (never a stock one) and its bitmap.
    void End();
    void Release() { End(); }

    std::string cGenPRG(const std::string& cName = "oBrush") const;
    std::string Save() const;
    void Load(const std::string& cRecord);
    std::string SaveToText(int nIndent = 0) const;

    std::string ClassName() const override { return "TBRUSH"; }
    Value GetProperty(const std::string& cName) const;
    void SetProperty(const std::string& cName, const Value& xValue);

private:
    void Make();
    void MakeFromStyle();
    void MakeFromBitmap(HBITMAP bitmap);
    bool IsBuiltInPattern() const;
};

}  // namespace corvix
