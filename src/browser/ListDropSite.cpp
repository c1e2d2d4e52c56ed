#include "browser/ListDropSite.h"

#include "browser/ShellListView.h"

#include <commctrl.h>

namespace {

constexpr ULONG kFileSystemFolder = SFGAO_FILESYSTEM | SFGAO_FOLDER;

// A folder on disk we can copy into ourselves: not an archive or other
// stream the shell shows as a folder.
bool IsFileSystemFolder(ULONG attributes)
{
    return (attributes & kFileSystemFolder) == kFileSystemFolder && !(attributes & SFGAO_STREAM);
}

}  // namespace

TListDropSite::TListDropSite(TSHListView& list)
    : List(list), Control(list.ListHandle()), Registration(*this, Control) {}

HWND TListDropSite::DropWindow() const { return Control; }

void TListDropSite::Highlight(int row)
{
    if (row == HighlightedRow) return;
    if (HighlightedRow >= 0) ListView_SetItemState(Control, HighlightedRow, 0, LVIS_DROPHILITED);
    HighlightedRow = row;
    if (row >= 0) ListView_SetItemState(Control, row, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

void TListDropSite::ClearDropHighlight() { Highlight(-1); }

TDropPlace TListDropSite::DropPlaceAt(POINT client, bool folderShellTarget)
{
    TDropPlace place;
    LVHITTESTINFO hit{};
    hit.pt = client;
    int index = ListView_HitTest(Control, &hit);
    TSHFileItem* row = index >= 0 ? List.FileList().Rows(index) : nullptr;
    if (row) {
        ULONG attributes = row->Attributes(kFileSystemFolder | SFGAO_STREAM | SFGAO_DROPTARGET);
        if (IsFileSystemFolder(attributes)) place.FolderPath = row->GetPath();
        if ((place.FolderPath.empty() || folderShellTarget) && (attributes & SFGAO_DROPTARGET)) {
            // A program, an archive, a shortcut: the shell knows what a drop does.
            IShellFolder* folder = List.FileList().GetFolderShellFolder();
            PCIDList item = row->RelativeList();
            if (folder && item)
                folder->GetUIObjectOf(GetAncestor(Control, GA_ROOT), 1, &item, IID_IDropTarget, nullptr,
                                      place.ShellTarget.PutVoid());
        }
        if (!place.FolderPath.empty() || place.ShellTarget) {
            Highlight(index);
            return place;
        }
    }
    Highlight(-1);
    TSHFileList& files = List.FileList();
    if (IsFileSystemFolder(files.FolderAttributes(kFileSystemFolder | SFGAO_STREAM)) && !files.GetFolderPath().empty())
        place.FolderPath = files.GetFolderPath();
    if (place.FolderPath.empty() || folderShellTarget) *place.ShellTarget.Put() = files.GetFolderDropTarget();
    return place;
}
