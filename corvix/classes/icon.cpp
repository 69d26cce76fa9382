#include "corvix/classes/icon.h"

#include "corvix/native/wrappers.h"

namespace corvix {

namespace {

bool FileExists(const std::string& cName) {
    const DWORD attributes = GetFileAttributesA(cName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Our own copy of the resource icon, not the module's shared one, so it may be destroyed.
HICON ResourceIcon(const std::string& cName) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), cName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace

std::shared_ptr<TIcon> TIcon::New(const NewArgs& a, std::source_location where) {
    auto icon = std::make_shared<TIcon>();
    icon->oDefined = CallLevel::At(where);
    icon->nTop = a.nRow * 14;
    icon->nLeft = a.nCol * 8;
    icon->nBottom = icon->nTop + 32;
    icon->nRight = icon->nLeft + 32;
    icon->nStyle = WS_CHILD | WS_VISIBLE | (a.lBorder ? WS_BORDER : 0);
    icon->nId = GetNewId();
    icon->bLClicked = a.bClick;
    icon->lUpdate = a.lUpdate;
    icon->bWhen = a.bWhen;
    icon->cIcoFile = a.cIcoFile;
    icon->cResName = a.cResName;
    icon->LoadIcons();
    if (!a.oWnd) return icon;  // a holder only
    icon->oWnd = a.oWnd;
    icon->SetColor(a.nClrFore ? a.nClrFore : a.oWnd->nClrText, a.nClrBack ? a.nClrBack : a.oWnd->nClrPane);
    icon->Register(CS_VREDRAW | CS_HREDRAW);
    icon->CreateOrDefine(icon->ClassName());
    return icon;
}

std::shared_ptr<TIcon> TIcon::FromName(const std::string& cName) {
    return FileExists(cName) ? New(NewArgs{.cIcoFile = cName}) : New(NewArgs{.cResName = cName});
}

std::shared_ptr<TIcon> TIcon::ReDefine(const ReDefineArgs& a) {
    auto icon = std::make_shared<TIcon>();
    icon->cResName = a.cResName;
    icon->cIcoFile = a.cIcoFile;
    icon->bLClicked = a.bClick;
    icon->lUpdate = a.lUpdate;
    icon->bWhen = a.bWhen;
    icon->Redefine(a.nId, a.oWnd ? a.oWnd : GETWNDDEFAULT());
    return icon;
}

void TIcon::LoadIcons() {
    if (!cIcoFile.empty()) Replace(EXTRACTICON(cIcoFile));
    if (!cResName.empty()) Replace(ResourceIcon(cResName));
}

bool TIcon::Replace(HICON hNew) {
    if (!hNew) return false;
    DropIcon();
    hIcon = hNew;
    return true;
}

void TIcon::DropIcon() {
    if (hIcon) DestroyIcon(hIcon);
    hIcon = nullptr;
}

void TIcon::Initiate(HWND hDlg) {
    TControl::Initiate(hDlg);
    LoadIcons();
}

Answer TIcon::Display() {
    BeginPaint();
    Paint();
    EndPaint();
    return Answer::Number(0);
}

Answer TIcon::Paint() {
    if (hIcon) DRAWICON(hDC, 0, 0, hIcon);
    return Answer::Number(0);
}

Answer TIcon::HandleEvent(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCHITTEST) return Answer::Number(DefWindowProcA(hWnd, nMsg, wParam, lParam));
    return TControl::HandleEvent(nMsg, wParam, lParam);
}

void TIcon::SetName(const std::string& cNewResName) {
    if (cNewResName.empty() || !Replace(ResourceIcon(cNewResName))) return;
    cResName = cNewResName;
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

void TIcon::SetFile(const std::string& cNewIcoFile) {
    if (cNewIcoFile.empty() || !FileExists(cNewIcoFile) || !Replace(EXTRACTICON(cNewIcoFile))) return;
    cIcoFile = cNewIcoFile;
    if (hWnd) InvalidateRect(hWnd, nullptr, TRUE);
}

Answer TIcon::Destroy() {
    DropIcon();
    return TControl::Destroy();
}

bool TIcon::End() {
    if (hWnd) return TControl::End();
    Destroy();
    return true;
}

}  // namespace corvix
