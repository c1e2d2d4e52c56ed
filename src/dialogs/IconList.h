#pragma once
// A list view showing every icon of one file at 32 x 32 pixels; a file that
// holds none shows the shell's icon for it.
#include "gui/Handles.h"
#include "shell/IDList.h"

#include <string>

class TIconList {
public:
    void Attach(HWND listView);
    // Fills the list from `file`; `item` is the object's list, for the
    // shell's icon of an object without a path. Gives the number of icons.
    int Fill(const std::wstring& file, PCIDList item = nullptr);

    int Count() const;
    // Whether the icons are the file's own (else the one shell icon).
    bool FromFile() const { return OwnIcons; }
    int Selected() const;
    void Select(int index);
    // Icon `index` as the list shows it (the caller's).
    HICON Icon(int index) const;

private:
    HWND List = nullptr;
    TImageListHandle Images;
    bool OwnIcons = false;
};
