// The start-up benchmark's yardstick: the demo's main window with the same
// four buttons, made with the system's calls alone.

#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
    HWND main = CreateWindowA("BareWindow", "Bare window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 16, 32, 545, 289,
                              nullptr, nullptr, instance, nullptr);
    const HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    const char* captions[] = {"Info", "Yes / No", "Colors", "Dialog"};
    for (int i = 0; i < 4; ++i) {
        HWND button = CreateWindowA("BUTTON", captions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP, 30, 36 + 54 * i, 81,
                                    25, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(101 + i)), instance,
                                    nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(font);
    return 0;
}
