#pragma once
// The demo's dialog: three skinned buttons in a centred modal dialog. Also
// opened by the soak program, which must run the demo's own objects.

void DIALOG();
