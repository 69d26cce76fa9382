#include "corvix/native/ondemand.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace corvix::ondemand {

namespace {

// By its full path in the system folder: a library of that name beside the
// program must not be taken for it. A library that will not load says so.
HMODULE SystemLibrary(const char* library) {
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    if (folder == 0 || folder + 1 + std::strlen(library) >= MAX_PATH) return nullptr;
    std::strcat(std::strcat(path, "\\"), library);
    const HMODULE module = LoadLibraryA(path);
    if (!module) {
        const std::string line = std::string("corvix: ") + path + " cannot be loaded; its functions answer failure\n";
        OutputDebugStringA(line.c_str());
        std::fputs(line.c_str(), stderr);
    }
    return module;
}

FARPROC SystemFunction(const char* library, const char* name) {
    const HMODULE module = SystemLibrary(library);
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

void RegisterCommonControls() {
    static const bool registered = [] {
        const auto function = Find<decltype(::InitCommonControlsEx)>(kControls, "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                               ICC_COOL_CLASSES | ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS |
                                               ICC_NATIVEFNTCTL_CLASS};
        return function && function(&classes);
    }();
    (void)registered;
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
