#pragma once
// The program's help: a help file, opened at a topic or as a pop-up.

#include <windows.h>

#include <string>

namespace corvix {

// The help file the calls below open; empty (the start) shows no help.
void SETHELPFILE(std::string cFile);
const std::string& GETHELPFILE();
// Opens the help file at the topic found by its keyword; false without a help file.
bool HELPTOPIC(const std::string& cTopic);
// The pop-up help of a context number, for hWnd; false without a help file.
bool HELPPOPUP(int nContextId, HWND hWnd);

}  // namespace corvix
