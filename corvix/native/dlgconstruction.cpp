#include "corvix/native/dlgconstruction.h"

namespace corvix {

namespace {

constexpr int kDepthLimit = 50;

struct Construction {
    HWND hDlg = nullptr;  // null while pending: no message seen yet
    MessageTarget* target = nullptr;
};

// Innermost last.
Construction constructions[kDepthLimit];
int depth = 0;

}  // namespace

DialogConstruction::DialogConstruction(MessageTarget* target) : started_(depth < kDepthLimit) {
    if (started_) constructions[depth++] = {nullptr, target};
}

DialogConstruction::~DialogConstruction() {
    if (started_) constructions[--depth] = {};
}

MessageTarget* ConstructionTargetFor(HWND hDlg) {
    if (depth == 0) return nullptr;
    for (int i = depth - 1; i >= 0; --i)
        if (constructions[i].hDlg == hDlg) return constructions[i].target;
    Construction& innermost = constructions[depth - 1];
    if (innermost.hDlg) return nullptr;
    innermost.hDlg = hDlg;
    return innermost.target;
}

void DialogLinked(HWND hDlg) {
    for (int i = 0; i < depth; ++i)
        if (constructions[i].hDlg == hDlg) constructions[i].target = nullptr;
}

}  // namespace corvix
