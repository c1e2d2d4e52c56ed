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

// A press becomes a drag once the pointer has moved more than this many
// pixels from it, across or down.
constexpr int kDragDistance = 5;

// Whether the button that was pressed as the left one is still physically
// down (the right one when the system swaps the buttons).
bool LeftButtonPhysicallyDown();

// How a press of the left button ended.
enum class TPressEnd { Click, Drag, Cancel };

// Follows a press of the left button that is still held: Drag once the
// pointer moves more than kDragDistance from the press point (screen
// coordinates), Click when the button is released inside it, Cancel on
// Escape, another button or a lost capture.
TPressEnd FollowPress(HWND window, POINT pressPoint);
