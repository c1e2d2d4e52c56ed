#include "dialogs/IconList.h"

#include "fileops/IconFiles.h"

#include <commctrl.h>
#include <shellapi.h>

void TIconList::Attach(HWND listView) { List = listView; }

int TIconList::Fill(const std::wstring& file, PCIDList item)
{
    SendMessageW(List, LVM_DELETEALLITEMS, 0, 0);
    Images.Reset(ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 8, 8));
    SendMessageW(List, LVM_SETIMAGELIST, LVSIL_NORMAL, LPARAM(Images.Get()));
    int count = file.empty() ? 0 : IconCountOf(file);
    OwnIcons = count > 0;
    if (OwnIcons) {
        for (int i = 0; i < count; ++i) {
            TIconHandle icon(ExtractIconOf(file, i));
            if (icon) ImageList_AddIcon(Images.Get(), icon.Get());
        }
    } else {
        // The shell's icon, by path or by the object's list.
        SHFILEINFOW info{};
        if (!file.empty()) SHGetFileInfoW(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON);
        else if (item)
            SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ICON | SHGFI_LARGEICON);
        TIconHandle icon(info.hIcon);
        if (icon) ImageList_AddIcon(Images.Get(), icon.Get());
    }
    int shown = ImageList_GetImageCount(Images.Get());
    for (int i = 0; i < shown; ++i) {
        LVITEMW row{};
        row.mask = LVIF_IMAGE | LVIF_TEXT;
        row.iItem = i;
        row.iImage = i;
        row.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(List, LVM_INSERTITEMW, 0, LPARAM(&row));
    }
    return shown;
}

int TIconList::Count() const { return int(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0)); }

int TIconList::Selected() const { return int(SendMessageW(List, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

void TIconList::Select(int index)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&state));
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&state));
    SendMessageW(List, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
}

HICON TIconList::Icon(int index) const { return ImageList_GetIcon(Images.Get(), index, ILD_NORMAL); }
