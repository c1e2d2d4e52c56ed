#pragma once
// The program entry: initialises the platform, creates the main window and
// runs the message loop until it closes.
int RunProgram(int showCommand);
