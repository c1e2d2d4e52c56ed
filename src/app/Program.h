#pragma once
// The program entry: initialises the platform, creates the main window and
// runs the message loop until it closes.
#include <string>

int RunProgram(int showCommand);

// The full path of the running executable.
std::wstring ExecutablePath();
