#pragma once
// The help topics of the dialogs' help buttons, opened by context number
// through the handler the program installs (it knows the help file).
#include <windows.h>

#include <functional>

void SetHelpHandler(std::function<void(HWND owner, int context)> handler);
// Does nothing while no handler is installed.
void ShowHelpTopic(HWND owner, int context);
