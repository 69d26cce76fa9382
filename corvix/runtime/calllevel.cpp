#include "corvix/runtime/calllevel.h"

#include <unwind.h>

#include <algorithm>
#include <string_view>

namespace corvix {

namespace {

constexpr int kDepth = 128;
CallLevel levels[kDepth];
int depth = 0;  // may exceed kDepth; only the first kDepth are kept
CallLevel failure[kDepth];
int failureDepth = -1;  // -1: no exception has unwound a level
void* failureFrames[kFailureFrames];
size_t failureFrameCount = 0;
bool failureFramesKept = false;

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// "void ns::Class::Method(int)" -> "ns::Class::Method"; a lambda keeps the
// name of the function it stands in.
std::string_view ProcedureName(std::string_view signature) {
    const size_t open = signature.find('(');
    std::string_view head = signature.substr(0, open);
    const size_t space = head.find_last_of(' ');
    return space == std::string_view::npos ? head : head.substr(space + 1);
}

std::vector<CallLevel> Known(const CallLevel* stack, int count) {
    std::vector<CallLevel> known;
    for (int i = std::min(count, kDepth) - 1; i >= 0; --i)
        if (*stack[i].procedure) known.push_back(stack[i]);  // a level with nothing known is left out
    return known;
}

struct Capture {
    void** frames;
    size_t count = 0;
    int skip;
};

_Unwind_Reason_Code CaptureFrame(_Unwind_Context* context, void* argument) {
    Capture& capture = *static_cast<Capture*>(argument);
    if (capture.skip-- > 0) return _URC_NO_REASON;
    capture.frames[capture.count++] = reinterpret_cast<void*>(_Unwind_GetIP(context));
    return capture.count < kFailureFrames ? _URC_NO_REASON : _URC_NORMAL_STOP;
}

}  // namespace

std::string CallLevel::Procedure() const { return std::string(ProcedureName(procedure)); }

std::string CallLevel::Text() const {
    return std::string(BaseName(file)) + " => " + Procedure() + "(" + std::to_string(line) + ")";
}

CallScope::CallScope(const CallLevel& level) {
    if (depth < kDepth) levels[depth] = level;
    ++depth;
}

CallScope::~CallScope() { --depth; }

void CallScope::KeepForFailure() const {
    if (failureDepth >= 0) return;
    failureDepth = depth;
    std::copy(levels, levels + std::min(depth, kDepth), failure);
}


std::vector<CallLevel> ActiveCallLevels() { return Known(levels, depth); }

std::vector<CallLevel> FailureCallLevels() {
    return failureDepth < 0 ? ActiveCallLevels() : Known(failure, failureDepth);
}

void ForgetFailureCallLevels() { failureDepth = -1; }

__attribute__((noinline)) std::span<void* const> CaptureFrames(FrameBuffer& buffer, int skip) {
    Capture capture{buffer, 0, skip + 2};  // this function and its caller
    _Unwind_Backtrace(&CaptureFrame, &capture);
    return {buffer, capture.count};
}

std::span<void* const> FailureFrames() { return {failureFrames, failureFrameCount}; }

KeptFailureFrames::KeptFailureFrames(std::span<void* const> frames) : kept_(!failureFramesKept) {
    if (!kept_) return;
    failureFrameCount = std::min(frames.size(), kFailureFrames);
    std::copy_n(frames.begin(), failureFrameCount, failureFrames);
    failureFramesKept = true;
}

KeptFailureFrames::~KeptFailureFrames() {
    if (!kept_) return;
    failureFrameCount = 0;
    failureFramesKept = false;
}

}  // namespace corvix
