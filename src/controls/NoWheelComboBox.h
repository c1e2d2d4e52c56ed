#pragma once
// A drop-down list that ignores the mouse wheel, so that turning the wheel
// over it never changes the chosen entry.
#include <windows.h>

HWND CreateNoWheelComboBox(HWND parent, int id, int width, HFONT font);
// Gives a combo box made elsewhere (a dialog template's) the same manner.
void IgnoreMouseWheel(HWND combo);
