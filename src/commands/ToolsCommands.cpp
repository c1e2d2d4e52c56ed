// The tools menu's platform tools (choosing the program that opens a file,
// the network drive dialogs, emptying the recycle bin), the navigator pad
// and the options dialog.
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "core/settings/InitData.h"
#include "dialogs/OptionsDialog.h"
#include "fileops/PlatformTools.h"
#include "gui/MessageBox.h"

namespace {

// The list's one selected object when it is a file of the file system.
TSHFileItem* OneSelectedFile(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() != 1) return nullptr;
    TSHFileItem* row = list->FileList().Rows(list->NextSelected(-1));
    return row && row->HasAttributes(SFGAO_FILESYSTEM) && !row->HasAttributes(SFGAO_FOLDER) ? row : nullptr;
}

void OpenWith(IMainFrame& frame)
{
    TSHFileItem* row = OneSelectedFile(frame);
    if (row && !RunOpenWith(frame.OwnerWindow(), row->GetPath()))
        ShowMessageBox(frame.OwnerWindow(), L"アプリケーションの関連付けを行えません。", MB_OK | MB_ICONERROR);
}

// Only a bin that was really emptied changes what the views show.
void EmptyBin(IMainFrame& frame)
{
    if (EmptyRecycleBin(frame.OwnerWindow()) != TEmptyBinResult::Emptied) return;
    frame.ShellTree().RefreshAll();
    for (TSHListView* list : frame.FolderLists()) list->Refresh();
}

// The settings keep whether the pad is open, for the next start.
void ToggleNavigator(IMainFrame& frame)
{
    bool open = !frame.NavigatorOpen();
    frame.Settings().NavigatorVisible = open;
    frame.SetNavigatorOpen(open);
}

// OK stores into the settings; the frame shows them at once. The file is
// written at exit as always (a save now would drop the folder windows,
// which are recorded only then).
void Options(IMainFrame& frame)
{
    TSubForm06090 dialog(frame.OwnerWindow(), frame.Settings(), frame.CommandImages());
    if (dialog.ShowModal() == IDOK) frame.ApplySettings();
}

}  // namespace

void BindToolsCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::OpenWith, [&frame] { OpenWith(frame); });
    BindCommand(actions, Cmd::MapNetworkDrive, [&frame] { RunConnectDriveDialog(frame.OwnerWindow()); });
    BindCommand(actions, Cmd::DisconnectNetworkDrive, [&frame] { RunDisconnectDriveDialog(frame.OwnerWindow()); });
    BindCommand(actions, Cmd::EmptyRecycleBin, [&frame] { EmptyBin(frame); });
    BindCommand(actions, Cmd::Navigator, [&frame] { ToggleNavigator(frame); });
    BindCommand(actions, Cmd::Options, [&frame] { Options(frame); });
}
