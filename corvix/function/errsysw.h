#pragma once
// The error handler the program starts with.

namespace corvix {

// Installs the library's handler. Until the error dialog exists, that handler
// writes the error's one-line text to "Error.log" and answers "default".
void ERRORSYS();

}  // namespace corvix
