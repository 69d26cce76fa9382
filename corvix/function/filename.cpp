#include "corvix/function/filename.h"

#include <windows.h>

#include <cstdio>

#include "corvix/function/valblank.h"
#include "corvix/runtime/calllevel.h"
#include "corvix/runtime/datetime.h"

namespace corvix {

namespace {

// "module.exe+0x1a2b" for a return address.
std::string FrameText(void* address) {
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module)) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, MAX_PATH);
        const char* base = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == '/') base = p + 1;
        std::snprintf(name, sizeof name, "%s", base);
    }
    char text[MAX_PATH + 32];
    std::snprintf(text, sizeof text, "%s+0x%llx", name,
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address) -
                                                  reinterpret_cast<uintptr_t>(module)));
    return text;
}

}  // namespace

std::string LogLine(const SYSTEMTIME& now, const Array& aValues) {
    std::string line = DateToText(DateOf(now)) + " " + TimeOfDay(now) + ": ";
    for (const Value& v : aValues) line += CVALTOCHAR(v) + '\t';
    return line + "\r\n";
}

void LOGFILE(const std::string& cFileName, const Array& aValues) {
    SYSTEMTIME now;
    GetLocalTime(&now);  // one reading: a line written at midnight cannot mix two days
    const std::string line = LogLine(now, aValues);
    // Checked here too: an administrator's open would otherwise succeed.
    const DWORD attributes = GetFileAttributesA(cFileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    HANDLE file = CreateFileA(cFileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

void LOGSTACK() {
    LOGFILE("stack.txt", {Value()});
    LOGFILE("stack.txt", {"LogStack() called"});
    LOGFILE("stack.txt", {"================="});
    // The levels the library knows by name (their parameters it does not keep), then the raw frames.
    for (const CallLevel& level : ActiveCallLevels()) LOGFILE("stack.txt", {level.Procedure()});
    FrameBuffer buffer;
    for (void* frame : CaptureFrames(buffer)) LOGFILE("stack.txt", {FrameText(frame)});
}

}  // namespace corvix
