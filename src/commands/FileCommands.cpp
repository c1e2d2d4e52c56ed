// The file menu: new objects, opening, mail, printing (the listing of the
// selection), the batch dialogs, renaming, properties and the end of the
// program.
#include "browser/ListRows.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "dialogs/AttributeDialog.h"
#include "dialogs/DateTimeDialog.h"
#include "dialogs/FileReportDialog.h"
#include "dialogs/NewShortcutDialog.h"
#include "dialogs/RenameDialog.h"
#include "dialogs/SequenceDialog.h"
#include "fileops/MailSend.h"
#include "fileops/PlatformTools.h"
#include "fileops/PrinterSettings.h"
#include "fileops/ZipFolder.h"
#include "gui/MessageBox.h"

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

void RenameSeveral(IMainFrame& frame, TSHListView& list)
{
    bool folders = false, files = false;
    for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i)) {
        TSHFileItem* row = list.FileList().Rows(i);
        bool folder = row && (row->GetFileAttributes() & FILE_ATTRIBUTE_DIRECTORY);
        (folder ? folders : files) = true;
    }
    if (folders && files) {
        ShowMessageBox(frame.OwnerWindow(), L"フォルダとファイルの混在処理は行えません。", MB_OK | MB_ICONWARNING);
        return;
    }
    TSubForm01100 dialog(frame.OwnerWindow(), frame.Settings(), list.GetFolderPath(), TreeFolderName(frame), folders,
                         SelectedNames(list));
    if (dialog.ShowModal() == IDOK) list.Refresh();
}

void Rename(IMainFrame& frame)
{
    if (TreeFocused(frame)) {
        frame.ShellTree().EditSelectedLabel();
    } else if (TSHListView* list = FocusedList(frame)) {
        if (list->SelectedCount() == 1) list->EditLabel(list->NextSelected(-1));
        else if (list->SelectedCount() > 1) RenameSeveral(frame, *list);
    }
}

// Shows new objects of the folder where the tree and the list show it.
void ShowNewObjects(IMainFrame& frame, const std::wstring& folder)
{
    frame.ShellTree().RefreshSelectedChildren();
    TSHListView* list = frame.ActiveList();
    if (list && list->FileList().GetFolderPath() == folder) list->Refresh();
}

void NewSequentialFolders(IMainFrame& frame)
{
    TSHTreeView& tree = frame.ShellTree();
    const std::wstring folder = tree.GetSelectedPath();
    TSubForm01012 dialog(frame.OwnerWindow(), frame.Settings(), folder, TreeFolderName(frame));
    if (dialog.ShowModal() != IDOK) return;
    // The new folders show at once, in the tree and in a list of that folder.
    ShowNewObjects(frame, folder);
}

void NewShortcut(IMainFrame& frame)
{
    const std::wstring folder = frame.ShellTree().GetSelectedPath();
    // The system's wizard where it has one; the program's dialog elsewhere.
    if (HasShortcutWizard()) {
        if (!RunShortcutWizard(frame.OwnerWindow(), folder))
            ShowMessageBox(frame.OwnerWindow(), L"新規ショートカットを作成できません。", MB_OK | MB_ICONERROR);
        return;
    }
    TNewShortcutDialog dialog(frame.OwnerWindow(), folder);
    if (dialog.ShowModal() == IDOK) ShowNewObjects(frame, folder);
}

void NewZipFolder(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list) return;
    const std::wstring name = CreateEmptyZipIn(frame.ShellTree().GetSelectedPath());
    list->Refresh();
    for (int i = 0; i < list->FileList().Count(); ++i) {
        TSHFileItem* row = list->FileList().Rows(i);
        if (!row || CompareStringOrdinal(row->GetFileName().c_str(), -1, name.c_str(), -1, TRUE) != CSTR_EQUAL)
            continue;
        list->TakeFocus();
        list->SelectAll(false);
        list->SetSelected(i, true);
        list->SetFocusedIndex(i);
        list->MakeVisible(i);
        list->EditLabel(i);
        return;
    }
}

// The focused one of tree and list runs the shell command.
void RunOnFocused(IMainFrame& frame, TShellCommand command)
{
    if (TreeFocused(frame)) frame.ShellTree().ExecuteCommand(command);
    else if (TSHListView* list = FocusedList(frame)) list->ExecuteSelected(command);
}

void SendAsMail(IMainFrame& frame)
{
    TSHListView* list = ListWithFileSelection(frame);
    if (!list) return;
    std::vector<std::wstring> paths;
    for (int i = list->NextSelected(-1); i >= 0; i = list->NextSelected(i))
        if (TSHFileItem* row = list->FileList().Rows(i)) paths.push_back(row->GetPath());
    if (!SendFilesAsMail(frame.OwnerWindow(), paths))
        ShowMessageBox(frame.OwnerWindow(), L"メールの転送エラーが発生しました。", MB_OK | MB_ICONERROR);
}

// The listing of the list's selected rows, previewed and printed. The
// dialog takes copies of the rows: the list may be rebuilt while it is open.
void PrintSelection(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() == 0) return;
    std::wstring folder = frame.ShellTree().GetSelectedPath();
    if (folder.empty()) folder = TreeFolderName(frame);
    TSubForm01070(frame.OwnerWindow(), SelectedRowRecords(*list), folder).ShowModal();
}

}  // namespace

void BindFileCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::NewFolder, [&frame] {
        if (TSHListView* list = frame.ActiveList()) {
            list->TakeFocus();
            list->NewFolder();
        } else {
            frame.ShellTree().NewFolder();
        }
    });
    BindCommand(actions, Cmd::NewSequentialFolders, [&frame] { NewSequentialFolders(frame); });
    BindCommand(actions, Cmd::NewShortcut, [&frame] { NewShortcut(frame); });
    BindCommand(actions, Cmd::NewZipFolder, [&frame] { NewZipFolder(frame); });
    BindCommand(actions, Cmd::Open, [&frame] { RunOnFocused(frame, TShellCommand::scDefault); });
    BindCommand(actions, Cmd::Properties, [&frame] { RunOnFocused(frame, TShellCommand::scProperties); });
    BindCommand(actions, Cmd::SendAsMail, [&frame] { SendAsMail(frame); });
    BindCommand(actions, Cmd::PrinterSetup, [&frame] { ProgramPrinter().Setup(frame.OwnerWindow()); });
    BindCommand(actions, Cmd::Print, [&frame] { PrintSelection(frame); });
    // The list shows the new dates and attributes at once: a watcher's
    // report may come late, and some systems report attribute changes not
    // at all.
    BindCommand(actions, Cmd::ChangeDateTime, [&frame] {
        if (TSHListView* list = ListWithFileSelection(frame))
            if (TSubForm01080(frame.OwnerWindow(), list->GetFolderPath(), SelectedNames(*list)).ShowModal() == IDOK)
                list->FileList().FolderAttributesChanged(list->GetFolderPath());
    });
    BindCommand(actions, Cmd::ChangeAttributes, [&frame] {
        if (TSHListView* list = ListWithFileSelection(frame))
            if (TSubForm01090(frame.OwnerWindow(), list->GetFolderPath(), SelectedNames(*list)).ShowModal() == IDOK)
                list->FileList().FolderAttributesChanged(list->GetFolderPath());
    });
    BindCommand(actions, Cmd::Rename, [&frame] { Rename(frame); });
    BindCommand(actions, Cmd::Exit, [&frame] { PostMessageW(frame.OwnerWindow(), WM_CLOSE, 0, 0); });
}
