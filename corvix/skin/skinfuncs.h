#pragma once
// The skin's functions offered by name; the hook finds its handlers there.

namespace corvix::skin {

// Registers BTNPAINT and the skin's other functions. Runs at start-up,
// before any skinned button exists.
void RegisterSkinFunctions();

}  // namespace corvix::skin
