#include "corvix/program/errorreport.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <exception>
#include <cstdio>
#include <iterator>

#include "corvix/classes/window.h"
#include "corvix/function/valblank.h"
#include "corvix/native/callbackguard.h"
#include "corvix/native/wrappers.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/calllevel.h"
#include "corvix/runtime/datetime.h"
#include "corvix/runtime/picturemask.h"

namespace corvix {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kFreeResources = 90;  // what the old resource meters answer today
constexpr size_t kCallLevels = 72;  // levels 2 to 73 above the handler

std::string Padded(int64_t n, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%*lld", width, static_cast<long long>(n));
    return text;
}

// "9,999,999", widened to as many digit places as the size has.
std::string SizePicture(uint64_t nBytes) {
    const size_t places = std::max<size_t>(std::to_string(nBytes).size(), 7);
    std::string picture;
    for (size_t i = 0; i < places; ++i) {
        if (i > 0 && (places - i) % 3 == 0) picture += ',';
        picture += '9';
    }
    return picture;
}

char TypeLetter(const Value& x) {
    switch (x.GetType()) {
        case Value::Type::String: return 'C';
        case Value::Type::Integer:
        case Value::Type::Double: return 'N';
        case Value::Type::Logical: return 'L';
        case Value::Type::Date: return 'D';
        case Value::Type::Array: return 'A';
        case Value::Type::Object: return 'O';
        case Value::Type::Callback: return 'B';
        default: return 'U';
    }
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

uint64_t FileSize(const std::string& cPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(cPath.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string ProcessorRegistryValue(const char* name, DWORD type) {
    char text[256] = {};
    DWORD size = sizeof text;
    DWORD number = 0;
    void* target = type == RRF_RT_REG_SZ ? static_cast<void*>(text) : &number;
    if (type == RRF_RT_REG_DWORD) size = sizeof number;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", name, type, nullptr,
                     target, &size) != ERROR_SUCCESS)
        return "";
    return type == RRF_RT_REG_SZ ? std::string(text) : std::to_string(number);
}

std::string WindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + ", Build " +
           std::to_string(version.dwBuildNumber) + " " + version.szCSDVersion;
}

struct Titles {
    std::vector<std::string> all;
    std::exception_ptr failure;  // thrown on once the system's enumeration is over
};

BOOL CALLBACK CollectTitle(HWND hWnd, LPARAM titles) {
    Titles& collected = *reinterpret_cast<Titles*>(titles);
    try {
        collected.all.push_back(GETWINDOWTEXT(hWnd));  // whole: a cut buffer may split a character
        return TRUE;
    } catch (...) {
        collected.failure = std::current_exception();
        return FALSE;
    }
}

// Top-level titles in z-order, each kept unless a title kept before begins with it.
std::vector<std::string> RunningApplications() {
    Titles collected;
    EnumWindows(&CollectTitle, reinterpret_cast<LPARAM>(&collected));
    if (collected.failure) std::rethrow_exception(collected.failure);
    std::vector<std::string> kept;
    for (const auto& title : collected.all) {
        bool covered = false;
        for (const auto& earlier : kept) covered = covered || earlier.starts_with(title);
        if (!covered) kept.push_back(title);
    }
    return kept;
}

// Lines of text, each ended with CR LF.
class Lines {
public:
    Lines& operator<<(const std::string& line) {
        text_ += line;
        text_ += kCrLf;
        return *this;
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

void Application(Lines& out, const ErrorRecord& e) {
    const std::string path = ProgramPath();
    out << "Application" << "===========";
    out << "   Path and name: " + path + (sizeof(void*) == 8 ? " (64 bits)" : " (32 bits)");
    out << "   Size: " + SizeText(FileSize(path));
    out << "   Time from start: " + TIMEFROMSTART();
    out << "   Error occurred at: " + DateToText(Today()) + ", " + TimeOfDay();
    out << "   Error description: " + ERRORMESSAGE(e);
    if (!e.Args) return;
    out << "   Args:";
    for (size_t i = 0; i < e.Args->size(); ++i) {
        const Value& arg = (*e.Args)[i];
        out << "     [" + Padded(static_cast<int64_t>(i + 1), 4) + "] = " + TypeLetter(arg) + "   " + CVALTOCHAR(arg);
    }
}

void System(Lines& out) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    const std::string resources = std::to_string(kFreeResources) + " %";
    out << "" << "System" << "======";
    out << "   CPU type: " + GETCPU() + " " + ProcessorRegistryValue("~MHz", RRF_RT_REG_DWORD) + " Mhz";
    out << "   Hardware memory: " + std::to_string(memory.ullTotalPhys / (1024 * 1024) + 1) + " megs" << "";
    out << "   Free System resources: " + resources << "        GDI    resources: " + resources
        << "        User   resources: " + resources << "";
    out << std::string("   Compiler version: GNU C++ ") + __VERSION__;
    out << "   Windows version: " + WindowsVersion() << "";
    const auto running = RunningApplications();
    out << "   Windows total applications running: " + std::to_string(running.size());
    for (size_t i = 0; i < running.size(); ++i) out << "    " + Padded(static_cast<int64_t>(i + 1), 3) + " " + running[i];
}

void Variables(Lines& out) {
    out << "" << "Variables in use" << "================" << "   Procedure     Type   Value"
        << "   ==========================";
    for (const CallLevel& level : FailureCallLevels()) out << "   " + level.Procedure();
}

void ClassesInUse(Lines& out) {
    out << "" << "Classes in use:" << "===============";
    int number = 0;
    for (const auto& name : TWindow::aRegistered()) out << "   " + Padded(++number, 3) + " " + name;
}

void MemoryAnalysis(Lines& out) {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    out << "" << "Memory Analysis" << "===============" << "      0 Static variables" << "";
    out << "   Dynamic memory consume:";
    out << "      Actual  Value: " + Padded(static_cast<int64_t>(memory.WorkingSetSize), 10) + " bytes";
    out << "      Highest Value: " + Padded(static_cast<int64_t>(memory.PeakWorkingSetSize), 10) + " bytes";
}

}  // namespace

std::string SizeText(uint64_t nBytes) {
    return PictureText(Value(static_cast<int64_t>(nBytes)), SizePicture(nBytes)) + " bytes";
}

std::string CGETINFO(const Value& xValue) {
    switch (xValue.GetType()) {
        case Value::Type::String: return "\"" + xValue.AsString() + "\"";
        case Value::Type::Array: return "Len: " + Padded(static_cast<int64_t>(xValue.AsArray().size()), 4);
        case Value::Type::Object: {
            const auto object = xValue.AsObject();
            return "Class: " + (object ? object->ClassName() : std::string("NIL"));
        }
        default: return CVALTOCHAR(xValue);
    }
}

std::string GETCPU() { return ProcessorRegistryValue("ProcessorNameString", RRF_RT_REG_SZ); }

std::vector<std::string> CallLines() {
    std::vector<std::string> lines;
    for (const CallLevel& level : FailureCallLevels()) {
        if (lines.size() == kCallLevels) return lines;
        lines.push_back("   Called from: " + level.Text());
    }
    // Then the program's own return addresses where the failure arose, for a debugger to resolve.
    FrameBuffer captured;
    std::span<void* const> frames = FailureFrames();
    if (frames.empty()) frames = CaptureFrames(captured);
    const auto base = reinterpret_cast<const char*>(GetModuleHandleA(nullptr));
    const std::string path = ProgramPath();
    const std::string program = path.substr(path.find_last_of("\\/") + 1);
    for (void* frame : frames) {
        if (lines.size() == kCallLevels) break;
        if (!InThisProgram(frame)) continue;
        char offset[32];
        std::snprintf(offset, sizeof offset, "+0x%llX",
                      static_cast<unsigned long long>(static_cast<const char*>(frame) - base));
        lines.push_back("   Called from: " + program + offset);
    }
    return lines;
}

std::string ErrorReport(const ErrorRecord& oError, const std::vector<std::string>& aCalls) {
    Lines out;
    Application(out, oError);
    out << "" << "Stack Calls" << "===========";
    for (const auto& call : aCalls) out << call;
    System(out);
    Variables(out);
    out << "" << "Linked RDDs" << "===========";
    out << "" << "DataBases in use" << "================";
    ClassesInUse(out);
    MemoryAnalysis(out);
    return out.Take();
}

}  // namespace corvix
