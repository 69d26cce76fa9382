#pragma once
// What the native layer knows of a window object: that it answers messages.
// The class library's objects implement it; the native side never sees them.

#include <windows.h>

#include <memory>

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

    // The one pair of the process, made once; the dispatch function fills it
    // and answers with it, and the window procedure reads it straight away.
    static const std::shared_ptr<Object>& Shared();
    static DispatchResult& Get();
};

}  // namespace corvix
