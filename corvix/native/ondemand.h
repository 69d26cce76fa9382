#pragma once
// The few functions the library takes from the common dialogs, the shell
// and the common controls, with the system's own signatures. Their
// libraries are loaded on first use: linked directly, the three of them,
// with the libraries they load in turn, cost every program a fifth of its
// start-up. A library that cannot be loaded makes its functions answer
// failure.

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace corvix::ondemand {

BOOL ChooseColorA(LPCHOOSECOLORA cc);
BOOL ChooseFontA(LPCHOOSEFONTA cf);
// Registers the window classes of all the common controls, once: a dialog
// template or a tooltip may name them.
void RegisterCommonControls();
int ShellAboutA(HWND hWnd, LPCSTR app, LPCSTR otherStuff, HICON icon);
HICON ExtractIconA(HINSTANCE instance, LPCSTR file, UINT index);
void DragAcceptFiles(HWND hWnd, BOOL accept);
UINT DragQueryFileA(HDROP drop, UINT index, LPSTR file, UINT size);
BOOL DragQueryPoint(HDROP drop, POINT* point);
void DragFinish(HDROP drop);

}  // namespace corvix::ondemand
