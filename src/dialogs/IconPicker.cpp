#include "dialogs/IconPicker.h"

#include "core/help/HelpContexts.h"
#include "gui/SystemLibrary.h"
#include "res/DialogIds.h"

#include <commdlg.h>

TIconPickDialog::TIconPickDialog(HWND owner, const std::wstring& file, int index)
    : TDialog(owner, IDD_ICONPICKER, HelpContext::IconBrowser), Chosen(file), ChosenIndex(index)
{
}

void TIconPickDialog::FormCreate()
{
    List.Attach(Item(IDC_ICONLIST));
    ShowFile(Chosen);
    List.Select(ChosenIndex < List.Count() ? ChosenIndex : 0);
}

void TIconPickDialog::ShowFile(const std::wstring& file)
{
    if (ItemText(IDC_ICONFILE) != file) SetItemText(IDC_ICONFILE, file);
    Shown = file;
    List.Fill(file);
    // Only a file's own icons can be named in desktop.ini.
    if (!List.FromFile()) SendMessageW(Item(IDC_ICONLIST), LVM_DELETEALLITEMS, 0, 0);
    if (List.Count() > 0) List.Select(0);
    UpdateControls();
}

void TIconPickDialog::UpdateControls() { EnableItem(IDOK, List.FromFile() && List.Selected() >= 0); }

bool TIconPickDialog::OnCommand(int id, int code, HWND)
{
    if (id == IDC_ICONBROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    // A typed name is looked at when the user leaves the box.
    if (id == IDC_ICONFILE && code == EN_KILLFOCUS && ItemText(IDC_ICONFILE) != Shown) {
        ShowFile(ItemText(IDC_ICONFILE));
        return true;
    }
    return false;
}

void TIconPickDialog::Browse()
{
    TSystemLibrary dialogs(L"COMDLG32.DLL");
    auto open = dialogs.Proc<BOOL(WINAPI*)(LPOPENFILENAMEW)>("GetOpenFileNameW");
    if (!open) return;
    wchar_t file[MAX_PATH] = {};
    lstrcpynW(file, Shown.c_str(), MAX_PATH);
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = Handle();
    info.lpstrFilter = L"アイコン ファイル (*.ico;*.exe;*.dll;*.icl)\0*.ico;*.exe;*.dll;*.icl\0すべてのファイル (*.*)\0*.*\0";
    info.lpstrFile = file;
    info.nMaxFile = MAX_PATH;
    info.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (open(&info)) ShowFile(file);
}

bool TIconPickDialog::ButtonOkClick()
{
    if (ItemText(IDC_ICONFILE) != Shown) {
        // Enter in the box: show that file's icons first.
        ShowFile(ItemText(IDC_ICONFILE));
        return false;
    }
    int index = List.Selected();
    if (!List.FromFile() || index < 0) return false;
    Chosen = Shown;
    ChosenIndex = index;
    return true;
}
