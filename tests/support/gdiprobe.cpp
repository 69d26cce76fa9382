#include "tests/support/gdiprobe.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace corvix_test {

namespace {

constexpr int kTableEntries = 0x10000;
constexpr int kEntrySize = 24;   // object pointer (8), owner (4), unique (2), type (1), flags...
constexpr int kTypeOffset = 14;

#ifdef _WIN64
constexpr size_t kTableOffset = 0xF8;
#else
constexpr size_t kTableOffset = 0x94;
#endif

const uint8_t* HandleTable() {
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                  nullptr) != 0)
        return nullptr;
    const uint8_t* table = nullptr;
    std::memcpy(&table, reinterpret_cast<const uint8_t*>(info.PebBaseAddress) + kTableOffset,
                sizeof table);
    return table;
}

}  // namespace

int CountLiveGdiObjects() {
    const uint8_t* table = HandleTable();
    if (!table) return -1;
    int live = 0;
    for (int i = 0; i < kTableEntries; ++i) {
        const uint8_t* entry = table + static_cast<size_t>(i) * kEntrySize;
        uint64_t object = 0;
        std::memcpy(&object, entry, sizeof object);
        if (object != 0 && entry[kTypeOffset] != 0) ++live;
    }
    return live;
}

}  // namespace corvix_test
