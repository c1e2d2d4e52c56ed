// Moving through the folders: history, up, expand and collapse, previous
// and next folder, the folder lock, the address bar, the display filters
// and their switch, and the platform's search windows.
#include "app/FolderWindow.h"
#include "app/MainFrame.h"
#include "app/StatusPanels.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "core/settings/InitData.h"
#include "core/shell/AddressText.h"
#include "dialogs/FilterDialog.h"
#include "gui/MessageBox.h"
#include "gui/Platform.h"
#include "shell/ShellHelpers.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

HTREEITEM SelectedNode(HWND tree) { return TreeView_GetSelection(tree); }

void Up(TSHTreeView& tree)
{
    HWND wnd = tree.TreeHandle();
    HTREEITEM node = SelectedNode(wnd);
    if (!node) return;
    if (TreeView_GetItemState(wnd, node, TVIS_EXPANDED) & TVIS_EXPANDED) TreeView_Expand(wnd, node, TVE_COLLAPSE);
    else if (HTREEITEM parent = TreeView_GetParent(wnd, node)) TreeView_SelectItem(wnd, parent);
}

bool HasParentNode(TSHTreeView& tree)
{
    HTREEITEM node = SelectedNode(tree.TreeHandle());
    return node && TreeView_GetParent(tree.TreeHandle(), node);
}

// Expands or collapses a node and everything below it.
void ExpandBelow(HWND tree, HTREEITEM node, UINT action)
{
    TreeView_Expand(tree, node, action);
    for (HTREEITEM child = TreeView_GetChild(tree, node); child; child = TreeView_GetNextSibling(tree, child))
        ExpandBelow(tree, child, action);
}

void ExpandAll(TSHTreeView& tree, UINT action)
{
    HWND wnd = tree.TreeHandle();
    HTREEITEM node = SelectedNode(wnd);
    if (!node) return;
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    ExpandBelow(wnd, node, action);
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wnd, nullptr, TRUE);
}

// The node before or after the selected one, depth first over the nodes
// that exist, visible or not.
HTREEITEM NeighbourNode(HWND tree, bool next)
{
    HTREEITEM node = SelectedNode(tree);
    if (!node) return nullptr;
    if (next) {
        if (HTREEITEM child = TreeView_GetChild(tree, node)) return child;
        for (HTREEITEM up = node; up; up = TreeView_GetParent(tree, up))
            if (HTREEITEM sibling = TreeView_GetNextSibling(tree, up)) return sibling;
        return nullptr;
    }
    HTREEITEM previous = TreeView_GetPrevSibling(tree, node);
    if (!previous) return TreeView_GetParent(tree, node);
    // The last node below the previous sibling.
    for (HTREEITEM last = TreeView_GetChild(tree, previous); last; last = TreeView_GetChild(tree, previous)) {
        previous = last;
        while (HTREEITEM sibling = TreeView_GetNextSibling(tree, previous)) previous = sibling;
    }
    return previous;
}

void GoToNeighbour(TSHTreeView& tree, bool next)
{
    HWND wnd = tree.TreeHandle();
    HTREEITEM node = NeighbourNode(wnd, next);
    if (!node) return;
    TreeView_SelectItem(wnd, node);
    if (SelectedNode(wnd) == node) TreeView_Expand(wnd, node, TVE_EXPAND);
}

std::wstring WindowText(HWND wnd)
{
    std::wstring text(size_t(GetWindowTextLengthW(wnd)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(wnd, text.data(), int(text.size()))));
    return text;
}

void GoToAddress(IMainFrame& frame)
{
    HWND combo = frame.AddressCombo();
    std::wstring text = WindowText(combo);
    // Only a full path of an existing folder reaches the shell's parser:
    // other forms can take the parser down on some systems.
    if (IsFullWindowsPath(text) && DirectoryExists(text)) {
        frame.ShellTree().SelectPath(text);
        return;
    }
    ShowMessageBox(frame.OwnerWindow(), L"該当するフォルダが存在しません。", MB_OK | MB_ICONWARNING);
    LRESULT entry = SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
    SetWindowTextW(combo, L"");
    if (entry != CB_ERR) SendMessageW(combo, CB_DELETESTRING, WPARAM(entry), 0);
}

void FindFiles(IMainFrame& frame)
{
    TSHTreeView& tree = frame.ShellTree();
    std::wstring path = tree.SelectedItem() ? tree.GetSelectedPath() : std::wstring();
    if (path.empty()) return;
    auto result = INT_PTR(ShellExecuteW(frame.OwnerWindow(), L"find", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) ShowMessageBox(frame.OwnerWindow(), L"ファイルやフォルダの検索を行えません。", MB_OK | MB_ICONERROR);
}

// The shell's find-computer entry (ordinal 91). Where it is a stub that
// ends the process (Wine), it is never called.
void FindComputer()
{
    if (RunningUnderWine()) return;
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (!shell) return;
    using TFindComputer = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);
    if (auto find = reinterpret_cast<TFindComputer>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(91)))))
        find(nullptr, nullptr);
    FreeLibrary(shell);
}

// The filter conditions dialog. After OK every folder window and the combo
// box take the filter of the new list with the same name, or none, before
// the old filters go.
void EditFilters(IMainFrame& frame)
{
    TSubForm05010 dialog(frame.OwnerWindow(), frame.Settings().Filters, [&frame](const TFilterListChange& change) {
        for (TSubForm08010* window : frame.FolderWindows())
            window->SHListView().SetFilter(change.Successor(window->SHListView().Filter()));
        const TSHFileFilter* chosen = change.Successor(frame.ChosenFilter());
        frame.RefillFilterCombo();
        frame.ChooseFilter(chosen);
        frame.StatusPanels().RepaintIndicators();
    });
    dialog.ShowModal();
}

}  // namespace

void BindNavigationCommands(TActionList& actions, IMainFrame& frame)
{
    // The tree exists only once the window does: it is asked for when used.
    BindCommand(actions, Cmd::Back, [&frame] { frame.ShellTree().GoBack(-1); },
                [&frame](TAction& a) { a.Enabled = !frame.ShellTree().BackList().empty(); });
    BindCommand(actions, Cmd::Forward, [&frame] { frame.ShellTree().GoForward(-1); },
                [&frame](TAction& a) { a.Enabled = !frame.ShellTree().ForwardList().empty(); });
    BindCommand(actions, Cmd::Up, [&frame] { Up(frame.ShellTree()); },
                [&frame](TAction& a) { a.Enabled = HasParentNode(frame.ShellTree()); });
    auto withNode = [&frame](TAction& a) { a.Enabled = SelectedNode(frame.ShellTree().TreeHandle()) != nullptr; };
    BindCommand(actions, Cmd::ExpandAll, [&frame] { ExpandAll(frame.ShellTree(), TVE_EXPAND); }, withNode);
    BindCommand(actions, Cmd::CollapseAll, [&frame] { ExpandAll(frame.ShellTree(), TVE_COLLAPSE); }, withNode);
    for (bool next : {false, true}) {
        BindCommand(actions, next ? Cmd::NextFolder : Cmd::PreviousFolder,
                    [&frame, next] { GoToNeighbour(frame.ShellTree(), next); },
                    [&frame, next](TAction& a) { a.Enabled = NeighbourNode(frame.ShellTree().TreeHandle(), next); });
    }
    BindCommand(actions, Cmd::FolderLock, [&frame] {
        if (TSHListView* list = frame.ActiveList()) list->SetFolderLock(!list->FolderLock());
    }, [&frame](TAction& a) {
        TSHListView* list = frame.ActiveList();
        a.Enabled = list != nullptr;
        a.Checked = list && list->FolderLock();
    });
    BindCommand(actions, Cmd::GoToAddress, [&frame] { GoToAddress(frame); }, [&frame](TAction& a) {
        a.Enabled = frame.ActiveList() && GetWindowTextLengthW(frame.AddressCombo()) > 0;
    });
    BindCommand(actions, Cmd::FindFiles, [&frame] { FindFiles(frame); }, AlwaysEnabled);
    // Disabled where the entry would end the process.
    BindCommand(actions, Cmd::FindComputer, FindComputer, [](TAction& a) { a.Enabled = !RunningUnderWine(); });
    BindCommand(actions, Cmd::FilterConditions, [&frame] { EditFilters(frame); }, AlwaysEnabled);
    BindCommand(actions, Cmd::Filtering, [&frame] { frame.SetFiltering(!frame.Filtering()); },
                [&frame](TAction& a) {
                    a.Enabled = frame.FilterEntryChosen();
                    a.Checked = frame.Filtering();
                });
}
