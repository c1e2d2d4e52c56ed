#include "dialogs/IconBrowser.h"

#include "core/help/HelpContexts.h"
#include "fileops/IconFiles.h"
#include "gui/MessageBox.h"
#include "gui/SystemLibrary.h"
#include "res/DialogIds.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

namespace {

// The smallest the dialog may be, in pixels.
constexpr int kMinWidth = 425, kMinHeight = 275;

std::wstring DocumentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, CSIDL_PERSONAL, FALSE) ? std::wstring(path) : std::wstring();
}

bool HasExtension(const std::wstring& path)
{
    size_t dot = path.find_last_of(L'.');
    return dot != std::wstring::npos && path.find_first_of(L"\\/", dot) == std::wstring::npos;
}

}  // namespace

TSubForm06010::TSubForm06010(HWND owner, const std::wstring& path, PCIDList item)
    : TDialog(owner, IDD_ICONBROWSER, HelpContext::IconBrowser), Path(path), Object(item)
{
}

void TSubForm06010::FormCreate()
{
    List.Attach(Item(IDC_ICONLIST));
    List.Fill(Path, Object);
    Layout();
}

void TSubForm06010::UpdateControls() { EnableItem(IDC_ICONSAVE, List.Selected() >= 0); }

bool TSubForm06010::OnCommand(int id, int code, HWND)
{
    if (id == IDC_ICONSAVE && code == BN_CLICKED) {
        ButtonSaveClick();
        return true;
    }
    return false;
}

bool TSubForm06010::OnNotify(NMHDR& header, LRESULT&)
{
    // The save button follows the selection at once.
    if (header.idFrom == IDC_ICONLIST && header.code == LVN_ITEMCHANGED) UpdateControls();
    return false;
}

bool TSubForm06010::OnMessage(UINT msg, WPARAM, LPARAM lParam, INT_PTR& result)
{
    switch (msg) {
    case WM_SIZE:
        Layout();
        return false;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinWidth, kMinHeight};
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void TSubForm06010::Layout()
{
    HWND list = Item(IDC_ICONLIST);
    if (!list) return;
    RECT client, box;
    GetClientRect(Handle(), &client);
    GetWindowRect(list, &box);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&box), 2);
    RECT button;
    GetWindowRect(Item(IDCANCEL), &button);
    int buttonWidth = button.right - button.left, buttonHeight = button.bottom - button.top;
    int margin = box.left, gap = margin;
    int buttonsTop = client.bottom - margin - buttonHeight;
    SetWindowPos(list, nullptr, box.left, box.top, client.right - 2 * margin, buttonsTop - gap - box.top, SWP_NOZORDER);
    const int buttons[] = {IDC_ICONSAVE, IDCANCEL, IDC_HELPBUTTON};
    int x = client.right - margin - 3 * buttonWidth - 2 * (gap / 2 + 2);
    for (int id : buttons) {
        SetWindowPos(Item(id), nullptr, x, buttonsTop, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        x += buttonWidth + gap / 2 + 2;
    }
    SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

DWORD TSubForm06010::SaveSelected(const std::wstring& target, int type)
{
    int index = List.Selected();
    if (index < 0) return ERROR_INVALID_PARAMETER;
    TIconHandle icon(List.Icon(index));
    if (type == 2) return SaveIconBitmap(target, icon.Get(), 32);
    return SaveIconFile(target, List.FromFile() ? Path : std::wstring(), index, icon.Get());
}

void TSubForm06010::ButtonSaveClick()
{
    if (List.Selected() < 0) return;
    TSystemLibrary dialogs(L"COMDLG32.DLL");
    auto save = dialogs.Proc<BOOL(WINAPI*)(LPOPENFILENAMEW)>("GetSaveFileNameW");
    if (!save) return;
    wchar_t file[MAX_PATH] = {};
    std::wstring folder = DocumentsFolder();
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = Handle();
    info.lpstrTitle = L"ファイルを保存";
    info.lpstrInitialDir = folder.c_str();
    info.lpstrFilter = L"アイコンファイル(*.ico)\0*.ico\0ビットマップ ファイル(*.bmp)\0*.bmp\0";
    info.nFilterIndex = 1;
    info.lpstrFile = file;
    info.nMaxFile = MAX_PATH;
    // A new file must be possible: no "file must exist" here.
    info.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                 OFN_ENABLESIZING | OFN_EXPLORER;
    if (!save(&info)) return;
    int type = info.nFilterIndex == 2 ? 2 : 1;
    std::wstring target = file;
    if (!HasExtension(target)) target += type == 2 ? L".bmp" : L".ico";
    if (DWORD error = SaveSelected(target, type))
        ShowMessageBox(Handle(), L"「" + target + L"」を保存できません。\n" + SystemErrorText(error), MB_OK | MB_ICONERROR);
}
