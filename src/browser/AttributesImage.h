#pragma once
// Which images of an image list the list draws for file attributes; -1 for
// none.
#include <windows.h>
#include <commctrl.h>

struct TAttributesImage {
    HIMAGELIST ImageList = nullptr;  // not owned
    int Archive = -1, ReadOnly = -1, Hidden = -1, System = -1, Directory = -1, Normal = -1, Temporary = -1,
        Compressed = -1, Offline = -1;

    void Assign(const TAttributesImage& other) { *this = other; }
};
