// The file menu: new objects, the batch dialogs, renaming and the end of
// the program.
#include "app/MainFrame.h"
#include "commands/Commands.h"
#include "core/commands/CommandIds.h"
#include "dialogs/AttributeDialog.h"
#include "dialogs/DateTimeDialog.h"
#include "dialogs/RenameDialog.h"
#include "dialogs/SequenceDialog.h"
#include "gui/HelpTopic.h"
#include "gui/MessageBox.h"
#include "shell/ShellListView.h"
#include "shell/ShellTreeView.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// The file-system names of the list's selected rows, in list order.
std::vector<std::wstring> SelectedNames(TSHListView& list)
{
    std::vector<std::wstring> names;
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i))
        if (TSHFileItem* row = list.FileList().Rows(i)) names.push_back(row->GetFileName());
    return names;
}

// The attached list, when it has a selection in a file-system folder.
TSHListView* ListWithFileSelection(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() == 0 || list->GetFolderPath().empty()) return nullptr;
    return list;
}

// The folder's name as the shell shows it, which the naming dialogs quote.
std::wstring TreeFolderName(IMainFrame& frame)
{
    TSHFolderItem* item = frame.ShellTree().SelectedItem();
    return item ? item->GetDisplayName() : std::wstring();
}

bool TreeFocused(IMainFrame& frame) { return GetFocus() == frame.ShellTree().TreeHandle(); }
bool ListFocused(TSHListView* list) { return list && GetFocus() == list->ListHandle(); }

void RenameSeveral(IMainFrame& frame, TSHListView& list)
{
    bool folders = false, files = false;
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i)) {
        TSHFileItem* row = list.FileList().Rows(i);
        bool folder = row && (row->GetFileAttributes() & FILE_ATTRIBUTE_DIRECTORY);
        (folder ? folders : files) = true;
    }
    if (folders && files) {
        ShowMessageBox(list.ListHandle(), L"フォルダとファイルの混在処理は行えません。", MB_OK | MB_ICONWARNING);
        return;
    }
    TSubForm01100 dialog(frame.OwnerWindow(), frame.Settings(), list.GetFolderPath(), TreeFolderName(frame), folders,
                         SelectedNames(list));
    if (dialog.ShowModal() == IDOK) list.Refresh();
}

void Rename(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) {
        HWND tree = frame.ShellTree().TreeHandle();
        if (HTREEITEM node = TreeView_GetSelection(tree)) TreeView_EditLabel(tree, node);
    } else if (ListFocused(list)) {
        if (list->SelectedCount() == 1) ListView_EditLabel(list->ListHandle(), list->NextSelected(-1));
        else if (list->SelectedCount() > 1) RenameSeveral(frame, *list);
    }
}

// Rule F: the focused one of tree and list decides; with a list attached
// and neither focused the state stays.
void RenameUpdate(IMainFrame& frame, TAction& a)
{
    TSHListView* list = frame.ActiveList();
    if (TreeFocused(frame)) {
        TSHFolderItem* item = frame.ShellTree().SelectedItem();
        a.Enabled = item && item->HasAttributes(SFGAO_CANRENAME);
    } else if (ListFocused(list)) {
        a.Enabled = list->SelectedCount() > 0 && list->FileList().GetSelectedIDList().AllHave(SFGAO_CANRENAME);
    } else if (!list) {
        a.Enabled = false;
    }
}

void NewSequentialFolders(IMainFrame& frame)
{
    TSHTreeView& tree = frame.ShellTree();
    const std::wstring folder = tree.GetSelectedPath();
    TSubForm01012 dialog(frame.OwnerWindow(), frame.Settings(), folder, TreeFolderName(frame));
    if (dialog.ShowModal() != IDOK) return;
    // The new folders show at once, in the tree and in a list of that folder.
    if (HTREEITEM node = TreeView_GetSelection(tree.TreeHandle())) tree.RefreshChildren(node);
    TSHListView* list = frame.ActiveList();
    if (list && list->FileList().GetFolderPath() == folder) list->Refresh();
}

}  // namespace

void BindFileCommands(TActionList& actions, IMainFrame& frame)
{
    // The help buttons of the dialogs open the frame's help.
    SetHelpHandler([&frame](HWND, int context) { frame.ShowHelp(context); });

    auto folderChosen = [&frame](TAction& a) {
        TSHTreeView& tree = frame.ShellTree();
        a.Enabled = tree.SelectedItem() && !tree.GetSelectedPath().empty();
    };
    BindCommand(actions, Cmd::NewFolder, [&frame] {
        if (TSHListView* list = frame.ActiveList()) {
            SetFocus(list->ListHandle());
            list->NewFolder();
        } else {
            frame.ShellTree().NewFolder();
        }
    }, folderChosen);
    BindCommand(actions, Cmd::NewSequentialFolders, [&frame] { NewSequentialFolders(frame); }, folderChosen);

    auto fileSelection = [&frame](TAction& a) {
        TSHListView* list = ListWithFileSelection(frame);
        a.Enabled = list && list->FileList().GetSelectedIDList().AllHave(SFGAO_FILESYSTEM);
    };
    BindCommand(actions, Cmd::ChangeDateTime, [&frame] {
        if (TSHListView* list = ListWithFileSelection(frame))
            TSubForm01080(frame.OwnerWindow(), list->GetFolderPath(), SelectedNames(*list)).ShowModal();
    }, fileSelection);
    BindCommand(actions, Cmd::ChangeAttributes, [&frame] {
        if (TSHListView* list = ListWithFileSelection(frame))
            TSubForm01090(frame.OwnerWindow(), list->GetFolderPath(), SelectedNames(*list)).ShowModal();
    }, fileSelection);
    BindCommand(actions, Cmd::Rename, [&frame] { Rename(frame); }, [&frame](TAction& a) { RenameUpdate(frame, a); });

    BindCommand(actions, Cmd::Exit, [&frame] { PostMessageW(frame.OwnerWindow(), WM_CLOSE, 0, 0); }, AlwaysEnabled);
}
