// The program entry of every Corvix application: the error handler is in
// place before the application's MAIN runs, and whatever escapes MAIN is
// reported like any other error.

#include <windows.h>

#include "corvix/program/errsysw.h"

void MAIN();  // the application's main function

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return corvix::RunMain(&MAIN); }
