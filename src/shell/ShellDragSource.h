#pragma once
// Dragging shell objects out of a control: the shell's data object for the
// items, the effects their attributes allow, and a drop source that cancels
// on Escape or with both buttons down and drops when both are up.
#include "shell/ShIDList.h"

#include <windows.h>

// Runs the drag of the items (all of one parent folder) until it ends; the
// effect the target performed, DROPEFFECT_NONE when the items allow no
// effect or nothing was dropped.
DWORD DragShellItems(HWND window, TSHIDList& items);
