#pragma once
// Where the program is, as far as the library knows: each entry point that
// runs application code records the place in the application it comes
// from, so an error report can name real call levels. A fixed stack: no
// allocation per message.

#include <source_location>
#include <span>
#include <string>
#include <vector>

namespace corvix {

struct CallLevel {
    const char* file = "";
    const char* procedure = "";  // as the compiler names the function
    unsigned line = 0;

    static CallLevel At(const std::source_location& where) {
        return {where.file_name(), where.function_name(), where.line()};
    }
    // The procedure without its return type and parameters.
    std::string Procedure() const;
    // "file => procedure(line)", the file without its folders.
    std::string Text() const;
};

// One level for as long as it lives; every message makes one, so it costs
// no more than a store. Made by RunAtLevel alone, which keeps the levels for
// a failure.
class CallScope {
public:
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    explicit CallScope(const CallLevel& level);
    // Keeps the levels as they stand, for the report of the exception now
    // leaving this scope; the innermost scope it leaves keeps them first.
    void KeepForFailure() const;

    template <typename F>
    friend decltype(auto) RunAtLevel(const CallLevel& level, F&& body);
};

// Runs body as one more level. An exception leaving it keeps the levels as
// they stood where it was thrown, for the report that follows once it is
// caught. Caught here and thrown on, so the way without an exception costs
// nothing.
template <typename F>
decltype(auto) RunAtLevel(const CallLevel& level, F&& body) {
    const CallScope scope(level);
    try {
        return body();
    } catch (...) {
        scope.KeepForFailure();
        throw;
    }
}

// The levels recorded now, innermost first; levels past the stack's depth,
// and levels that know nothing, are left out.
std::vector<CallLevel> ActiveCallLevels();
// The levels where the exception being handled was thrown, if one unwound
// any; else the levels recorded now.
std::vector<CallLevel> FailureCallLevels();
// The exception has been dealt with: its levels are forgotten.
void ForgetFailureCallLevels();

// The return addresses where the failure now being reported arose,
// innermost first: the raiser's own first. Empty when none are kept.
constexpr size_t kFailureFrames = 72;
std::span<void* const> FailureFrames();
// The return addresses of the calling function's callers, innermost first,
// skipping `skip` of them, read from the program's own unwind tables (the
// system's frame-pointer walk loses its way in optimised 32-bit code).
using FrameBuffer = void* [kFailureFrames];
std::span<void* const> CaptureFrames(FrameBuffer& buffer, int skip = 0);

// Keeps frames (at most kFailureFrames) for the report made while it lives,
// unless the report under way keeps some already.
class KeptFailureFrames {
public:
    explicit KeptFailureFrames(std::span<void* const> frames);
    ~KeptFailureFrames();
    KeptFailureFrames(const KeptFailureFrames&) = delete;
    KeptFailureFrames& operator=(const KeptFailureFrames&) = delete;

private:
    bool kept_;
};

}  // namespace corvix
