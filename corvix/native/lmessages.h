#pragma once
// The library's private messages, by which parents reflect notifications to
// their controls' own windows.

#include <windows.h>

namespace corvix {

constexpr UINT LM_CLICK = 0x800;
constexpr UINT LM_LINEUP = 0x801;
constexpr UINT LM_LINEDOWN = 0x802;
constexpr UINT LM_PAGEUP = 0x803;
constexpr UINT LM_PAGEDOWN = 0x804;
constexpr UINT LM_CHANGE = 0x805;
constexpr UINT LM_COLOR = 0x806;
constexpr UINT LM_DRAWITEM = 0x808;
constexpr UINT LM_VALIDATE = 0x809;
constexpr UINT LM_THUMBPOS = 0x80A;
constexpr UINT LM_HELPF1 = 0x80D;
constexpr UINT LM_THUMBTRACK = 0x80E;
constexpr UINT LM_DROPOVER = 0x80F;
constexpr UINT LM_CHANGEFOCUS = 0x810;
constexpr UINT LM_ASYNCSELECT = 0x811;
constexpr UINT LM_CLOSEUP = 0x812;
constexpr UINT LM_TASKBAR = 0x813;

}  // namespace corvix
