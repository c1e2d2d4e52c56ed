// Copy to a chosen folder and move to a chosen folder.
#include "browser/FolderDialog.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "fileops/FileTransfer.h"
#include "gui/MessageBox.h"

#include <string>
#include <vector>

namespace {

const wchar_t* Verb(TransferKind kind) { return kind == TransferKind::Move ? L"移動" : L"コピー"; }

// Why an object the shell lets go cannot be transferred as a file: it has
// no path, or it is a drive's root, which has no name to arrive under.
const wchar_t* NotAFile(const std::wstring& path)
{
    if (path.empty()) return L"ファイルシステム上にないオブジェクト";
    std::wstring full = FullPath(path);
    if (!full.empty() && full.back() == L'\\') return L"ドライブそのもの";
    return nullptr;
}

// What the command works on: the tree's folder when the tree has the focus,
// else the list's selection, in list order. The shell must let every object
// go as a copy (or, for a move, as a cut) takes it, and each must be a file
// or folder with a name of its own; otherwise the user is told and nothing
// is transferred, not even in part.
bool TransferSources(IMainFrame& frame, TransferKind kind, std::vector<std::wstring>& paths)
{
    const ULONG needed = kind == TransferKind::Move ? SFGAO_CANDELETE : SFGAO_CANCOPY;
    if (TreeFocused(frame)) {
        TSHFolderItem* item = frame.ShellTree().SelectedItem();
        if (!item || !item->HasAttributes(needed)) return false;
        paths.push_back(item->GetPath());
    } else if (TSHListView* list = FocusedList(frame)) {
        TSHIDList& selection = list->FileList().GetSelectedIDList();
        if (selection.Count() == 0 || (selection.CommonAttributes(needed) & needed) != needed) return false;
        for (int i = 0; i < selection.Count(); ++i) paths.push_back(selection.GetItemPath(i));
    }
    for (const std::wstring& path : paths)
        if (const wchar_t* what = NotAFile(path)) {
            ShowMessageBox(frame.OwnerWindow(), std::wstring(what) + L"はフォルダへ" + Verb(kind) + L"できません。",
                           MB_OK | MB_ICONWARNING);
            return false;
        }
    return !paths.empty();
}

void TransferToChosenFolder(IMainFrame& frame, TransferKind kind)
{
    std::vector<std::wstring> sources;
    if (!TransferSources(frame, kind, sources)) return;
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
