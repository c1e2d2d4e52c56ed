#include "support/DisplayInfo.h"

#include <windows.h>

TDisplayInfo::TDisplayInfo()
{
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        FModes.push_back({mode.dmBitsPerPel, mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayFrequency});
}
