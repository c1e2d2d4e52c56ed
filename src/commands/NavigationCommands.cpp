// Moving through the folders: history, up, expand and collapse, previous
// and next folder, the folder lock, the address bar, the display filters
// and their switch, and the platform's search windows.
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/settings/InitData.h"
#include "core/shell/AddressText.h"
#include "dialogs/FilterDialog.h"
#include "gui/MessageBox.h"
#include "gui/Platform.h"
#include "shell/ShellHelpers.h"

#include <shellapi.h>

#include <string>

namespace {

void GoToAddress(IMainFrame& frame)
{
    std::wstring text = frame.AddressText();
    // Only a full path of an existing folder reaches the shell's parser:
    // other forms can take the parser down on some systems.
    if (IsFullWindowsPath(text) && DirectoryExists(text)) {
        frame.ShellTree().SelectPath(text);
        return;
    }
    ShowMessageBox(frame.OwnerWindow(), L"該当するフォルダが存在しません。", MB_OK | MB_ICONWARNING);
    frame.RefuseAddress(text);
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
    TLibraryHandle shell(LoadLibraryW(L"shell32.dll"));
    if (!shell) return;
    using TFindComputer = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);
    if (auto find = reinterpret_cast<TFindComputer>(
            reinterpret_cast<void*>(GetProcAddress(shell.Get(), MAKEINTRESOURCEA(91)))))
        find(nullptr, nullptr);
}

// The filter conditions dialog. After OK every folder window and the combo
// box take the filter of the new list with the same name, or none, before
// the old filters go.
void EditFilters(IMainFrame& frame)
{
    TSubForm05010 dialog(frame.OwnerWindow(), frame.Settings().Filters, [&frame](const TFilterListChange& change) {
        for (TSHListView* list : frame.FolderLists()) list->SetFilter(change.Successor(list->Filter()));
        const TSHFileFilter* chosen = change.Successor(frame.ChosenFilter());
        frame.RefillFilterCombo();
        frame.ChooseFilter(chosen);
        frame.RepaintIndicators();
    });
    dialog.ShowModal();
}

}  // namespace

void BindNavigationCommands(TActionList& actions, IMainFrame& frame)
{
    // The tree exists only once the window does: it is asked for when used.
    BindCommand(actions, Cmd::Back, [&frame] { frame.ShellTree().GoBack(-1); });
    BindCommand(actions, Cmd::Forward, [&frame] { frame.ShellTree().GoForward(-1); });
    BindCommand(actions, Cmd::Up, [&frame] { frame.ShellTree().Up(); });
    BindCommand(actions, Cmd::ExpandAll, [&frame] { frame.ShellTree().ExpandBelowSelected(true); });
    BindCommand(actions, Cmd::CollapseAll, [&frame] { frame.ShellTree().ExpandBelowSelected(false); });
    BindCommand(actions, Cmd::PreviousFolder, [&frame] { frame.ShellTree().GoToNeighbour(false); });
    BindCommand(actions, Cmd::NextFolder, [&frame] { frame.ShellTree().GoToNeighbour(true); });
    BindCommand(actions, Cmd::FolderLock, [&frame] {
        if (TSHListView* list = frame.ActiveList()) list->SetFolderLock(!list->FolderLock());
    });
    BindCommand(actions, Cmd::GoToAddress, [&frame] { GoToAddress(frame); });
    BindCommand(actions, Cmd::FindFiles, [&frame] { FindFiles(frame); });
    // Disabled where the entry would end the process (the command states).
    BindCommand(actions, Cmd::FindComputer, FindComputer);
    BindCommand(actions, Cmd::FilterConditions, [&frame] { EditFilters(frame); });
    BindCommand(actions, Cmd::Filtering, [&frame] { frame.SetFiltering(!frame.Filtering()); });
}
