// The icon commands of the tools menu, on the one object selected in the
// attached list: the icon browser, and a folder's own icon.
#include "browser/ShellListView.h"
#include "commands/Commands.h"
#include "commands/Frame.h"
#include "core/commands/CommandIds.h"
#include "dialogs/IconBrowser.h"
#include "dialogs/IconPicker.h"
#include "fileops/FolderIcon.h"
#include "gui/MessageBox.h"
#include "shell/ShellHelpers.h"

namespace {

TSHFileItem* OneSelected(IMainFrame& frame)
{
    TSHListView* list = frame.ActiveList();
    if (!list || list->SelectedCount() != 1) return nullptr;
    return list->FileList().Rows(list->NextSelected(-1));
}

void BrowseIcons(IMainFrame& frame)
{
    TSHFileItem* row = OneSelected(frame);
    if (!row) return;
    TSubForm06010 dialog(frame.OwnerWindow(), row->GetPath(), row->GetAbsoluteList());
    dialog.ShowModal();
}

// Only folders of the file system have a desktop.ini to hold their icon:
// on a file or a virtual folder the command says so and changes nothing.
void ChangeFolderIcon(IMainFrame& frame)
{
    TSHFileItem* row = OneSelected(frame);
    if (!row) return;
    HWND owner = frame.OwnerWindow();
    std::wstring folder = row->GetPath();
    if (folder.empty() || !DirectoryExists(folder)) {
        ShowMessageBox(owner, L"フォルダ アイコンは、ファイル システムのフォルダにだけ設定できます。",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::wstring file = folder;
    int index = 0;
    switch (PickIconWithShell(owner, file, index)) {
    case TIconPick::Cancelled: return;
    case TIconPick::Chosen: break;
    case TIconPick::NoPicker: {
        TIconPickDialog picker(owner, DefaultIconLibrary(), 0);
        if (picker.ShowModal() != IDOK) return;
        file = picker.File();
        index = picker.Index();
        break;
    }
    }
    if (DWORD error = WriteFolderIcon(folder, file, index)) {
        ShowMessageBox(owner,
                       L"フォルダ アイコンを変更できません。\n「" + DesktopIniPath(folder) + L"」に書き込めません。\n" +
                           SystemErrorText(error),
                       MB_OK | MB_ICONERROR);
        return;
    }
    RefreshShellIcons();
}

}  // namespace

void BindIconCommands(TActionList& actions, IMainFrame& frame)
{
    BindCommand(actions, Cmd::BrowseIcons, [&frame] { BrowseIcons(frame); });
    BindCommand(actions, Cmd::ChangeFolderIcon, [&frame] { ChangeFolderIcon(frame); });
}
