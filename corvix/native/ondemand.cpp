#include "corvix/native/ondemand.h"

namespace corvix::ondemand {

namespace {

// From the system folder only: a library of that name beside the program
// must not be taken for it.
FARPROC SystemFunction(const char* library, const char* name) {
    const HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, name) : nullptr;
}

// The system's function of that name, typed as the one declared in its
// header; null when it cannot be had.
template <typename Function>
Function* Find(const char* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

constexpr char kDialogs[] = "comdlg32.dll";
constexpr char kShell[] = "shell32.dll";
constexpr char kControls[] = "comctl32.dll";

}  // namespace

BOOL ChooseColorA(LPCHOOSECOLORA cc) {
    static const auto function = Find<decltype(::ChooseColorA)>(kDialogs, "ChooseColorA");
    return function ? function(cc) : FALSE;
}

BOOL ChooseFontA(LPCHOOSEFONTA cf) {
    static const auto function = Find<decltype(::ChooseFontA)>(kDialogs, "ChooseFontA");
    return function ? function(cf) : FALSE;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    static const auto function = Find<decltype(::InitCommonControlsEx)>(kControls, "InitCommonControlsEx");
    return function ? function(classes) : FALSE;
}

int ShellAboutA(HWND hWnd, LPCSTR app, LPCSTR otherStuff, HICON icon) {
    static const auto function = Find<decltype(::ShellAboutA)>(kShell, "ShellAboutA");
    return function ? function(hWnd, app, otherStuff, icon) : FALSE;
}

HICON ExtractIconA(HINSTANCE instance, LPCSTR file, UINT index) {
    static const auto function = Find<decltype(::ExtractIconA)>(kShell, "ExtractIconA");
    return function ? function(instance, file, index) : nullptr;
}

void DragAcceptFiles(HWND hWnd, BOOL accept) {
    static const auto function = Find<decltype(::DragAcceptFiles)>(kShell, "DragAcceptFiles");
    if (function) function(hWnd, accept);
}

UINT DragQueryFileA(HDROP drop, UINT index, LPSTR file, UINT size) {
    static const auto function = Find<decltype(::DragQueryFileA)>(kShell, "DragQueryFileA");
    return function ? function(drop, index, file, size) : 0;
}

BOOL DragQueryPoint(HDROP drop, POINT* point) {
    static const auto function = Find<decltype(::DragQueryPoint)>(kShell, "DragQueryPoint");
    return function ? function(drop, point) : FALSE;
}

void DragFinish(HDROP drop) {
    static const auto function = Find<decltype(::DragFinish)>(kShell, "DragFinish");
    if (function) function(drop);
}

}  // namespace corvix::ondemand
