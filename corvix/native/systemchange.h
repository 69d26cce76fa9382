#pragma once
// What the system broadcasts to top-level windows when settings, fonts,
// colours, themes or the display change: anything drawn and kept from before
// may be stale. Child windows never get these broadcasts, so the library's
// top-level windows count them for everyone.

#include <windows.h>

namespace corvix {

// True for WM_SETTINGCHANGE, WM_FONTCHANGE, WM_DISPLAYCHANGE,
// WM_SYSCOLORCHANGE and WM_THEMECHANGED.
bool IsSystemChange(UINT nMsg);

// Counts one change; any thread may.
void NoteSystemChange();

// How many changes were counted so far: compare with the count seen when
// something was kept. A plain atomic read, free of locks.
unsigned SystemChanges();

}  // namespace corvix
