#pragma once
// The library's built-in cursors: 32 x 32 monochrome pictures kept in the
// program, each made on first use and shared for the life of the process,
// so they are never destroyed.

#include <windows.h>

namespace corvix {

// The system's hand when it has one, else ours; hot spot 6, 0.
HCURSOR GETCURSORHAND();
// "No entry" and drag-and-drop; hot spot 6, 0.
HCURSOR GETCURSORSTOP();
HCURSOR GETCURSORDRAG();
// The cross-hair of design mode; hot spot 16, 16.
HCURSOR GETCURSORCATCH();
// Shows the hand now.
void CURSORHAND();

}  // namespace corvix
