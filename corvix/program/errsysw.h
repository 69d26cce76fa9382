#pragma once
// The error handler every program starts with: it settles a few errors
// silently, and reports every other one in "Error.log" and in the error
// dialog, where the user retries, takes the default or quits.

#include "corvix/function/cxerror.h"

namespace corvix {

// Installs ERRORDIALOG as the error handler, and makes a callback that
// throws or crashes inside the library's callbacks an error of its own.
void ERRORSYS();

// The program's run: installs the handler, then runs main under a guard.
// Exit code 0, or 1 when an error escaped main (whatever the handler answered).
int RunMain(void (*main)());

// The handler: 0 for a division by zero; false, with the network-error flag
// set, for a file another program holds; otherwise true for Retry and false
// for Default. Quit, closing the dialog, Retry with no event loop running,
// and an error raised by the handler's own work end the program with exit code 1.
Value ERRORDIALOG(const ErrorRecord& oError);

}  // namespace corvix
