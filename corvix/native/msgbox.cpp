#include "corvix/native/msgbox.h"

#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <cstdio>

#include "corvix/native/callbackguard.h"
#include "corvix/native/ondemand.h"
#include "corvix/runtime/characters.h"
#include "corvix/runtime/datetime.h"

namespace corvix {

namespace {

std::string SixDecimals(double n) {
    const int length = std::snprintf(nullptr, 0, "%.6f", n);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.6f", n);
    text.pop_back();
    return text;
}

// The system converts a box's ANSI texts through counted strings of at most
// 32766 characters and 65534 bytes and shows garbage for longer ones; no box
// shows more, and a cut never splits a character.
std::string BoxText(const Value& xValue) {
    constexpr size_t kLongest = 32766, kMostBytes = 65534;
    const std::string text = MSGTEXT(xValue);
    return std::string(CutToBytes(FirstCharacters(text, kLongest), kMostBytes));
}

// The box's own modal loop runs until it closes; both texts live that long.
int ShowBox(const Value& xMessage, const std::optional<Value>& xTitle, const char* cDefaultTitle, UINT nStyle) {
    const std::string message = BoxText(xMessage);
    const std::string title = xTitle ? BoxText(*xTitle) : cDefaultTitle;
    return CallSystem([&] { return MessageBoxA(GetActiveWindow(), message.c_str(), title.c_str(), nStyle); });
}

// The dialog does all its own processing.
UINT_PTR CALLBACK PassiveHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

// White down to (15, 15, 15), 16 a step.
std::array<COLORREF, 16> GreyRamp() {
    std::array<COLORREF, 16> colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        const auto level = static_cast<BYTE>(255 - 16 * i);
        colours[i] = RGB(level, level, level);
    }
    return colours;
}

}  // namespace

std::string MSGTEXT(const Value& xValue) {
    switch (xValue.GetType()) {
        case Value::Type::String: return xValue.AsString();
        case Value::Type::Nil: return "nil";
        case Value::Type::Integer: return std::to_string(xValue.AsInteger());
        case Value::Type::Double: return SixDecimals(xValue.AsDouble());
        case Value::Type::Date: return DateToText(xValue.AsDate());
        case Value::Type::Logical: return xValue.AsLogical() ? ".T." : ".F.";
        case Value::Type::Array: return "Array";
        case Value::Type::Object: return "Object";
        case Value::Type::Callback: break;
    }
    return "ValtoChar not suported type yet";
}

void MSGINFO(const Value& xMessage, const std::optional<Value>& xTitle) {
    ShowBox(xMessage, xTitle, "Information", MB_ICONINFORMATION);
}

void MSGALERT(const Value& xMessage, const std::optional<Value>& xTitle) {
    ShowBox(xMessage, xTitle, "Alert", MB_ICONEXCLAMATION);
}

void MSGSTOP(const Value& xMessage, const std::optional<Value>& xTitle) {
    ShowBox(xMessage, xTitle, "Stop", MB_ICONSTOP);
}

bool MSGYESNO(const Value& xMessage, const std::optional<Value>& xTitle) {
    return ShowBox(xMessage, xTitle, "Select an option", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void MSGABOUT(const Value& xMessage, const std::optional<Value>& xTitle) {
    const std::string application = BoxText(xMessage);
    const std::string further = xTitle ? BoxText(*xTitle) : "About";
    CallSystem([&] { return ondemand::ShellAboutA(GetActiveWindow(), application.c_str(), further.c_str(), nullptr); });
}

void MSGBEEP() { MessageBeep(0); }

COLORREF CHOOSECOLOR(const Value& nInitColor, const Value& nFlags) {
    const COLORREF initial = nInitColor.IsNumber() ? static_cast<COLORREF>(nInitColor.AsInteger()) : 0;
    std::array<COLORREF, 16> custom = GreyRamp();
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = initial;
    cc.lpCustColors = custom.data();
    cc.Flags = (nFlags.IsNumber() ? static_cast<DWORD>(nFlags.AsInteger()) : CC_RGBINIT | CC_FULLOPEN) | CC_ENABLEHOOK;
    cc.lpfnHook = &PassiveHook;
    return CallSystem([&] { return ondemand::ChooseColorA(&cc); }) ? cc.rgbResult : initial;
}

}  // namespace corvix
