#include "browser/FolderDialog.h"

#include "gui/MessageBox.h"

namespace {

int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM param, LPARAM data)
{
    switch (msg) {
    case BFFM_INITIALIZED:
        SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, data);
        break;
    case BFFM_SELCHANGED: {
        std::wstring path;
        IDListToPath(reinterpret_cast<PCIDList>(param), path);
        SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, LPARAM(path.c_str()));
        SendMessageW(dialog, BFFM_ENABLEOK, 0, !path.empty());
        break;
    }
    case BFFM_VALIDATEFAILEDW:
        // Over the open browser, which stays modal.
        ShowMessageBox(dialog, L"フォルダ名に無効な文字が含まれています", MB_OK | MB_ICONERROR);
        return 1;  // keep the browser open
    }
    return 0;
}

}  // namespace

bool TShellFolderDialog::Execute()
{
    TIDListPtr root = GetSpecialFolderIDList(RootFolder);
    TIDListPtr initial = GetSpecialFolderIDList(InitFolder);
    if (!root || !initial) return false;
    wchar_t displayName[MAX_PATH + 1] = {};
    BROWSEINFOW info{};
    info.hwndOwner = Owner ? Owner : ShellOwnerWindow() ? ShellOwnerWindow() : GetActiveWindow();
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName;
    info.lpszTitle = Title.c_str();
    info.ulFlags = Options;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.get());
    Chosen.reset(SHBrowseForFolderW(&info));
    if (!Chosen) return false;
    IDListToPath(Chosen.get(), FolderPath);
    FolderName = displayName;
    return true;
}
