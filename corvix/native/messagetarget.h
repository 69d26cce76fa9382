#pragma once
// What the native layer knows of a window object: that it answers messages.
// The class library's objects implement it; the native side never sees them.

#include <windows.h>

#include "corvix/runtime/answer.h"
#include "corvix/runtime/value.h"

namespace corvix {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual Answer HandleEvent(UINT nMsg, WPARAM nWParam, LPARAM nLParam) = 0;
};

// The reused result pair of one dispatch: the object's answer and its
// previous window procedure, read after the answer.
class DispatchResult : public Object {
public:
    Answer answer;
    WNDPROC nOldProc = nullptr;
};

}  // namespace corvix
