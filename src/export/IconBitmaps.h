#pragma once
// The small icons of an exported page as bitmap files beside it.
#include <windows.h>

#include <string>
#include <vector>

struct TFileFailure {
    std::wstring Path;  // empty: nothing failed
    DWORD Error = 0;
};

// Makes `folder` (an existing one is used as it is) and writes each icon of
// the system's small image list as "<index>.bmp" in it, drawn on the image
// list's background colour (the window colour where it has none), each file
// whole or not at all. Stops at the first file that cannot be written.
TFileFailure WriteIconBitmaps(const std::wstring& folder, const std::vector<int>& icons);
