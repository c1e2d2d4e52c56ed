// The shell context menu of the list and what follows the entry chosen in
// it, told by the entry's verb.
#include "browser/ShellListView.h"
#include "browser/ShellPopupMenu.h"
#include "shell/ShellHelpers.h"

#include <windowsx.h>

namespace {

// The folder shown, as the one item of a set named from its parent.
bool FolderItself(PCIDList folder, TSHIDList2& items)
{
    if (!folder || GetIDListLevel(folder) < 1) return false;
    PIDList parent = GetParentIDList(folder);
    items.SetParent(parent ? parent : CopyIDList(SpecialFolderIDList(CSIDL_DESKTOP)));
    items.AddOwned(GetLastItem(folder));
    return items.Count() == 1 && items.Items(0);
}

}  // namespace

bool TSHListView::ContextMenu(LPARAM lParam)
{
    if (!ShellPopupMenu || !List) return false;
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {
        // From the keyboard: at the focused row, or at the list's corner.
        RECT r{LVIR_ICON, 0, 0, 0};
        int focused = FocusedIndex();
        POINT client{8, 8};
        if (SelectedCount() > 0 && focused >= 0 && SendMessageW(List, LVM_GETITEMRECT, focused, LPARAM(&r)))
            client = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        screen = client;
        ClientToScreen(List, &screen);
    } else {
        // A click on the background leaves the selection for the folder.
        LVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(List, &hit.pt);
        if (SendMessageW(List, LVM_HITTEST, 0, LPARAM(&hit)) < 0 || !(hit.flags & LVHT_ONITEM)) SelectAll(false);
    }
    PopupShellMenu(screen);
    return true;
}

void TSHListView::PopupShellMenu(POINT screen)
{
    if (!ShellPopupMenu) return;
    StopWatching();
    TSHIDList2 folder;
    const TSHIDList* items = &Files->GetSelectedIDList();
    std::wstring firstPath;
    if (items->Count() > 0) {
        if (TSHFileItem* first = Files->Rows(NextSelected(-1))) firstPath = first->GetPath();
    } else {
        PCIDList shown = Files->GetLevel() == 0 ? SpecialFolderIDList(CSIDL_DESKTOPDIRECTORY) : GetFolderIDList();
        items = FolderItself(shown, folder) ? &folder : nullptr;
    }
    bool wasFile = !firstPath.empty() && RegularFileExists(firstPath);
    if (items) {
        ShellPopupMenu->PopupComponent = Wnd;
        TSHPopupResult result = ShellPopupMenu->Popup(*items, screen, ShellOwnerWindow());
        if (result.ShellChosen && items != &folder) AfterShellVerb(result.Verb, result.Ran, firstPath, wasFile);
        else if (result.ShellChosen && result.Ran) Refresh();
    }
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
