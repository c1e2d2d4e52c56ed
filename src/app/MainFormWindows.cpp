// The folder windows as the commands see them: their lists, closing the
// active one and the window menu's arrangements.
#include "app/FolderWindow.h"
#include "app/MainForm.h"

std::vector<TSHListView*> TMainForm::FolderLists() const
{
    std::vector<TSHListView*> lists;
    for (TSubForm08010* window : FolderWindows()) lists.push_back(&window->SHListView());
    return lists;
}

bool TMainForm::HasMdiChild() const
{
    // Owned children are the icon titles of minimised windows.
    for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!GetWindow(child, GW_OWNER)) return true;
    return false;
}

void TMainForm::CloseActiveFolderWindow()
{
    if (HWND child = HWND(SendMessageW(ClientWnd, WM_MDIGETACTIVE, 0, 0))) SendMessageW(child, WM_CLOSE, 0, 0);
}

void TMainForm::ArrangeFolderWindows(TWindowArrangement arrangement)
{
    switch (arrangement) {
    case TWindowArrangement::Cascade: SendMessageW(ClientWnd, WM_MDICASCADE, 0, 0); return;
    case TWindowArrangement::TileHorizontally: SendMessageW(ClientWnd, WM_MDITILE, MDITILE_HORIZONTAL, 0); return;
    case TWindowArrangement::TileVertically: SendMessageW(ClientWnd, WM_MDITILE, MDITILE_VERTICAL, 0); return;
    case TWindowArrangement::ArrangeIcons: SendMessageW(ClientWnd, WM_MDIICONARRANGE, 0, 0); return;
    case TWindowArrangement::MinimizeAll:
        for (HWND child = GetWindow(ClientWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (!GetWindow(child, GW_OWNER)) ShowWindow(child, SW_MINIMIZE);
        return;
    }
}
