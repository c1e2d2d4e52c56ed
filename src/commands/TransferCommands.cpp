// Copy to a chosen folder and move to a chosen folder.
#include "browser/FolderDialog.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "fileops/FileTransfer.h"

#include <string>
#include <vector>

namespace {

// What the command works on: the tree's folder when the tree has the focus,
// else the file-system paths of the list's selected rows in list order.
std::vector<std::wstring> TransferSources(IMainFrame& frame)
{
    std::vector<std::wstring> paths;
    if (TreeFocused(frame)) {
        std::wstring path = frame.ShellTree().GetSelectedPath();
        if (!path.empty()) paths.push_back(path);
        return paths;
    }
    TSHListView* list = FocusedList(frame);
    if (!list) return paths;
    TSHIDList& selection = list->FileList().GetSelectedIDList();
    for (int i = 0; i < selection.Count(); ++i) {
        std::wstring path = selection.GetItemPath(i);
        if (!path.empty()) paths.push_back(path);
    }
    return paths;
}

void TransferToChosenFolder(IMainFrame& frame, TransferKind kind)
{
    std::vector<std::wstring> sources = TransferSources(frame);
    if (sources.empty()) return;
    TShellFolderDialog dialog;
    dialog.Title = kind == TransferKind::Move ? L"移動先のフォルダを選択" : L"コピー先のフォルダを選択";
    dialog.RootFolder = sfDesktop;
    dialog.InitFolder = sfDrives;
    dialog.Options = bifReturnOnlyFSDIRs | bifEditBox | bifValiDate | bifNewDialogStyle;
    if (!dialog.Execute()) return;
    HWND owner = frame.OwnerWindow();
    ReportTransfer(owner, kind, TransferFiles(owner, sources, dialog.FolderPath, kind));
}

}  // namespace

void BindTransferCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::CopyToFolder, [&frame] { TransferToChosenFolder(frame, TransferKind::Copy); });
    BindCommand(actions, Cmd::MoveToFolder, [&frame] { TransferToChosenFolder(frame, TransferKind::Move); });
}
