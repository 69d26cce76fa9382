// Reads resource 1 of type RT_MANIFEST back from each program named and says
// what it lacks: "manifestcheck [--comctl6] program.exe...". Exits 1 when any
// program lacks something.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The systems from Vista to 11, by the identifiers they look for.
constexpr const char* kSystems[] = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
constexpr const char* kUtf8 =
    "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>";
constexpr const char* kCommonControls = "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"";

// The manifest's text; empty when the file has none.
std::string ManifestOf(const char* cPath) {
    const HMODULE file = LoadLibraryExA(cPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return "";
    std::string text;
    if (const HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(file, found)));
        if (bytes) text.assign(bytes, SizeofResource(file, found));
    }
    FreeLibrary(file);
    return text;
}

std::vector<std::string> Lacks(const std::string& cManifest, bool lComCtl6) {
    if (cManifest.empty()) return {"the manifest"};
    std::vector<std::string> lacks;
    for (const char* system : kSystems)
        if (cManifest.find(system) == std::string::npos) lacks.push_back(std::string("supportedOS ") + system);
    if (cManifest.find(kUtf8) == std::string::npos) lacks.push_back("the UTF-8 code page");
    if (cManifest.find("dpiAware") != std::string::npos) lacks.push_back("the absence of DPI awareness");
    if ((cManifest.find(kCommonControls) != std::string::npos) != lComCtl6)
        lacks.push_back(lComCtl6 ? "the common controls 6" : "the absence of the common controls 6");
    return lacks;
}

}  // namespace

int main(int argc, char** argv) {
    const bool comCtl6 = argc > 1 && std::strcmp(argv[1], "--comctl6") == 0;
    int status = 0;
    for (int i = comCtl6 ? 2 : 1; i < argc; ++i) {
        const std::vector<std::string> lacks = Lacks(ManifestOf(argv[i]), comCtl6);
        for (const std::string& what : lacks) std::printf("%s: lacks %s\n", argv[i], what.c_str());
        if (lacks.empty()) std::printf("%s: manifest complete\n", argv[i]);
        status = lacks.empty() ? status : 1;
    }
    return argc > (comCtl6 ? 2 : 1) ? status : 2;
}
