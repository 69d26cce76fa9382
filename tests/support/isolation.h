#pragma once
// Every test starts from the library's start state, so a whole test binary
// can run in one process as well as one test per process.

namespace corvix_test {

// Destroys this thread's windows and clears the library's tables, caches,
// handlers, the skin's hook and the event loop's state.
void ResetLibraryState();

// Registers a listener that calls ResetLibraryState after every test.
void IsolateEachTest();

}  // namespace corvix_test
