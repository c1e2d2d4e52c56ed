// The shell context menu of the list and what follows the entry chosen in
// it, told by the entry's verb.
#include "browser/ShellListView.h"
#include "browser/ShellPopupMenu.h"
#include "shell/ShellHelpers.h"

#include <windowsx.h>

bool TSHListView::ContextMenu(LPARAM lParam)
{
    if (!List) return false;
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    bool forRows;
    if (lParam == -1) {
        // From the keyboard: the selection's menu at its focused row, or the
        // background's at the list's corner when nothing is selected.
        forRows = SelectedCount() > 0;
        int row = FocusedIndex();
        if (row < 0 || !IsSelected(row)) row = NextSelected(-1);
        RECT r{LVIR_ICON, 0, 0, 0};
        POINT client{8, 8};
        if (forRows && row >= 0 && SendMessageW(List, LVM_GETITEMRECT, row, LPARAM(&r)))
            client = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        screen = client;
        ClientToScreen(List, &screen);
    } else {
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(List, &hit.pt);
        forRows = SendMessageW(List, LVM_HITTEST, 0, LPARAM(&hit)) >= 0 && (hit.flags & LVHT_ONITEM);
        // A click on the background leaves the selection.
        if (!forRows) SelectAll(false);
    }
    // The shell's menu is about rows only: the folder being looked into is
    // never offered for deletion from its own background.
    if (forRows) PopupShellMenu(screen);
    else if (OnBackgroundMenu) OnBackgroundMenu(*this, screen);
    MouseState = 0;
    return true;
}

void TSHListView::PopupShellMenu(POINT screen)
{
    TSHIDList& items = Files->GetSelectedIDList();
    if (!ShellPopupMenu || items.Count() == 0) return;
    StopWatching();
    std::wstring firstPath;
    if (TSHFileItem* first = Files->Rows(NextSelected(-1))) firstPath = first->GetPath();
    bool wasFile = !firstPath.empty() && RegularFileExists(firstPath);
    ShellPopupMenu->PopupComponent = Wnd;
    TSHPopupResult result = ShellPopupMenu->Popup(items, screen, ShellOwnerWindow());
    if (result.ShellChosen) AfterShellVerb(result.Verb, result.Ran, firstPath, wasFile);
    MouseState = 0;
    StartWatching();
}

bool TSHListView::RunShellVerb(const std::wstring& verb)
{
    TSHIDList& items = Files->GetSelectedIDList();
    if (!ShellPopupMenu || items.Count() == 0) return false;
    StopWatching();
    std::wstring firstPath;
    if (TSHFileItem* first = Files->Rows(NextSelected(-1))) firstPath = first->GetPath();
    bool wasFile = !firstPath.empty() && RegularFileExists(firstPath);
    bool ran = ShellPopupMenu->InvokeVerb(items, verb, ShellOwnerWindow());
    AfterShellVerb(verb, ran, firstPath, wasFile);
    StartWatching();
    return ran;
}

void TSHListView::AfterShellVerb(const std::wstring& verb, bool ran, const std::wstring& firstPath, bool wasFile)
{
    MouseState = 0;
    if (verb == L"rename") {
        int count = SelectedCount();
        if (count > 0 && (!OnShListRename || OnShListRename(*this, count)))
            ListView_EditLabel(List, NextSelected(-1));
    } else if (!ran) {
        return;
    } else if (verb == L"link") {
        if (!GetFolderPath().empty()) Refresh();
    } else if (verb == L"delete") {
        bool gone = firstPath.empty() || (wasFile ? !RegularFileExists(firstPath) : !DirectoryExists(firstPath));
        if (gone) Files->RemoveSelected();
        if (Tree) Tree->RefreshAll();
    } else if (verb == L"cut") {
        MarkSelectionCut();
    }
}

void TSHListView::MarkSelectionCut()
{
    CutPaths.clear();
    for (int i = NextSelected(-1); i >= 0; i = NextSelected(i))
        if (TSHFileItem* row = Files->Rows(i)) CutPaths.insert(row->GetPath());
    CutClipboard = GetClipboardSequenceNumber();
    Invalidate();
}

void TSHListView::ClipboardChanged()
{
    // Anything put on the clipboard after the cut ends it.
    if (CutPaths.empty() || GetClipboardSequenceNumber() == CutClipboard) return;
    CutPaths.clear();
    Invalidate();
}

bool TSHListView::IsMarkedCut(int row) const
{
    if (CutPaths.empty()) return false;
    TSHFileItem* item = Files->Rows(row);
    return item && CutPaths.count(item->GetPath()) > 0;
}
