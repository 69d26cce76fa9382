#pragma once
// Every function of the skin offered by name, its install BUTTONS2007 too.

namespace corvix::skin {

// Registers the skin's handlers (see handlerfuncs.h) and BUTTONS2007. Runs
// at start-up, before any skinned button exists.
void RegisterSkinFunctions();

}  // namespace corvix::skin
