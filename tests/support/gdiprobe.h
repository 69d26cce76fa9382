#pragma once
// Counts the process's live GDI objects by reading the GDI handle table
// whose address the PEB holds (GetGuiResources is a stub under Wine).

namespace corvix_test {

// Live entries in the handle table; -1 when the table cannot be found.
int CountLiveGdiObjects();

}  // namespace corvix_test
