#pragma once
// The native window procedure: every library window carries the index of
// its object's slot in its user data, and each message goes to that object
// through the dispatch function registered as "_CXH".

#include <windows.h>

#include <string>

#include "corvix/native/messagetarget.h"
#include "corvix/runtime/args.h"

namespace corvix {

// Dispatches with the window's slot index: read from the window, and kept
// per window handle until the window unlinks or is destroyed. The library
// owns the user data of the windows it links.
LRESULT CALLBACK ObjectWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Calls "_CXH" (looked up again whenever the registry changed) and turns its answer into the result: a
// non-NIL answer is returned; NIL, or a failure the error handler was told
// of, hands the message to the object's previous procedure, or to the
// default one when there is none.
LRESULT DispatchToObject(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex);

// The dispatch behind the library's "_CXH", without its Values: the filled
// result pair, or null for NIL.
using SlotDispatch = const DispatchResult* (*)(UINT nMsg, WPARAM wParam, LPARAM lParam, LONG_PTR nIndex);
// The previous procedure of the object in a slot, or null when no object
// there owns hWnd (the slot may have been given to another meanwhile).
using SlotPreviousProc = WNDPROC (*)(LONG_PTR nIndex, HWND hWnd);
// While "_CXH" bears `registered`, the window procedure calls `direct` in its
// stead. A dispatch that fails hands the message to `previous` of the slot.
void SetSlotDispatch(Value (*registered)(Args), SlotDispatch direct, SlotPreviousProc previous);

// Stores nIndex in the window, installs ObjectWndProc, returns the previous procedure.
WNDPROC XCHANGEPROC(HWND hWnd, LONG_PTR nIndex);
// Installs nProc, returns the procedure it replaced.
WNDPROC RESTPROC(HWND hWnd, WNDPROC nProc);
// Nothing to free: procedures are plain functions here.
void XFREEPROC(WNDPROC nProc);

// A class whose procedure is the default one (objects subclass their windows
// when they link). hInstance 0 is this program, hBrush 0 is COLOR_WINDOW + 1,
// nWndProc null is DefWindowProc.
bool REGISTERCLASS(const std::string& cClassName, UINT nStyle = 0, int nClsExtra = 0,
                   int nWndExtra = 0, HINSTANCE hInstance = nullptr, HCURSOR hCursor = nullptr,
                   HBRUSH hBrush = nullptr, const std::string& cMenuName = "",
                   WNDPROC nWndProc = nullptr, HICON hIcon = nullptr);

// A window of this program's instance with extended style 0; 0 on failure.
HWND CREATEWINDOW(const std::string& cClassName, const std::string& cCaption, DWORD nStyle,
                  int nLeft, int nTop, int nWidth, int nHeight, HWND hWndParent = nullptr,
                  HMENU nMenuOrId = nullptr, LPVOID nParam = nullptr);

}  // namespace corvix

// Exported from the executable as "__WndProc" and "__DbgWndProc" (C++
// reserves names with "__", so the export table gives that spelling): they
// route messages to the object in slot 1, message number and wParam cut to 16 bits.
extern "C" LRESULT CALLBACK CorvixWndProc(HWND, UINT, WPARAM, LPARAM);
// Passes the message to __WndProc through CallWindowProc.
extern "C" LRESULT CALLBACK CorvixDbgWndProc(HWND, UINT, WPARAM, LPARAM);
