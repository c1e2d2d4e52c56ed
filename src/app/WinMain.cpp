#include "app/Program.h"
#include "viewer/DllSearch.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCommand)
{
    // Before anything loads a DLL at run time: never from the program's
    // own folder, wherever the user unpacked it.
    RestrictDllSearchToSystem();
    return RunProgram(showCommand);
}
