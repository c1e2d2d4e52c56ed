/* A plug-in built for the other architecture: the host must skip it quietly. */
#include <windows.h>
__declspec(dllexport) int WINAPI GetPluginInfo(int no, LPSTR buf, int len) { lstrcpynA(buf, "00IN", len); return 4; }
