#pragma once
// The small icons of the rename dialog's rows: image 0 is blank (skip
// rows); every other image is a shell icon, added once however many rows
// share it.
#include "gui/Handles.h"

#include <string>
#include <unordered_map>

class TRowIcons {
public:
    TRowIcons();
    HIMAGELIST Images() const { return List.Get(); }
    // The image of an object of the folder. Files are asked by extension,
    // which is fast; kinds whose icon is the file's own (programs, icons,
    // shortcuts) by their path.
    int ImageOf(const std::wstring& path, bool isFolder);

private:
    int AddSystemImage(int systemIndex, HIMAGELIST systemList);
    TImageListHandle List;
    std::unordered_map<int, int> BySystemIndex;
    std::unordered_map<std::wstring, int> ByExtension;
};
