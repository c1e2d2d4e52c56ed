/* A DLL whose version resource lacks some strings (PartialVersion.rc). */
#include <windows.h>
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) { return TRUE; }
