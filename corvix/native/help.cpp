#include "corvix/native/help.h"

namespace corvix {

namespace {

std::string& HelpFile() {
    static std::string file;
    return file;
}

}  // namespace

void SETHELPFILE(std::string cFile) { HelpFile() = std::move(cFile); }
const std::string& GETHELPFILE() { return HelpFile(); }

bool HELPTOPIC(const std::string& cTopic) {
    if (HelpFile().empty()) return false;
    return WinHelpA(GetActiveWindow(), HelpFile().c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(cTopic.c_str()));
}

bool HELPPOPUP(int nContextId, HWND hWnd) {
    if (HelpFile().empty()) return false;
    return WinHelpA(hWnd, HelpFile().c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(nContextId));
}

}  // namespace corvix
