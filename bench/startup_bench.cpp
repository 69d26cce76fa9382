// Start-up cost of the demo against a bare program that shows the same
// window with the same four buttons: from process start to the main window
// shown, painted and waiting for input, runs taken in turn, medians of each.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/benchclock.h"

namespace {

constexpr int kRuns = 11;

std::string Beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

// Milliseconds until the window with that title is visible and the program idles; -1 on failure.
double StartUp(const std::string& program, const char* title) {
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    const double start = corvix_bench::NowMicroseconds();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    HWND window = nullptr;
    for (int i = 0; i < 20000 && !(window && IsWindowVisible(window)); ++i) {
        Sleep(1);
        window = FindWindowA(nullptr, title);
    }
    WaitForInputIdle(process.hProcess, 10000);  // the first paint is done before the program waits for input
    const double elapsed = (corvix_bench::NowMicroseconds() - start) / 1000;
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window ? elapsed : -1;
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

}  // namespace

int main() {
    const std::string demo = Beside("skindemo.exe"), bare = Beside("barewindow.exe");
    std::vector<double> demoRuns, bareRuns;
    StartUp(bare, "Bare window");  // the first start of all pays for loading the system's libraries
    for (int i = 0; i < kRuns; ++i) {
        demoRuns.push_back(StartUp(demo, "Office 2007 buttons skin demo - a Corvix sample"));
        bareRuns.push_back(StartUp(bare, "Bare window"));
    }
    if (std::min(*std::min_element(demoRuns.begin(), demoRuns.end()),
                 *std::min_element(bareRuns.begin(), bareRuns.end())) < 0) {
        std::printf("startup: a program did not start\n");
        return 1;
    }
    const double d = Median(demoRuns), b = Median(bareRuns);
    std::printf("architecture: %s\n", sizeof(void*) == 8 ? "x86_64" : "i686");
    std::printf("startup: demo %.1f ms, bare window %.1f ms (medians of %d), ratio %.2f\n", d, b, kRuns, d / b);
    return 0;
}
