#pragma once
// The error handler the program starts with.

namespace corvix {

// Installs the library's handler. Until the error dialog exists, that handler
// writes the error's one-line text to "Error.log", then answers "default"
// when the error allows it and ends the program with exit code 1 otherwise.
void ERRORSYS();

}  // namespace corvix
