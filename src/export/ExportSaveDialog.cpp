#include "export/ExportSaveDialog.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

const wchar_t kFilter[] =
    L"テキスト ファイル (*.txt)\0*.txt\0カンマ区切り ファイル (*.csv)\0*.csv\0Web ページ (*.htm)\0*.htm\0";

std::wstring DocumentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, CSIDL_PERSONAL, FALSE) ? std::wstring(path) : std::wstring();
}

// Choosing a file type sets the extension the dialog appends to a bare
// name. (Some dialogs append the chosen filter's extension themselves.)
UINT_PTR CALLBACK SaveDialogTypeChange(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notify->hdr.code == CDN_TYPECHANGE) {
        const wchar_t* extension = ExportExtension(ExportFormOfFilter(int(notify->lpOFN->nFilterIndex)));
        SendMessageW(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension));
    }
    return 0;
}

}  // namespace

std::optional<TExportTarget> AskExportTarget(HWND owner)
{
    std::wstring folder = DocumentsFolder();
    std::wstring file(32768, L'\0');
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = kFilter;
    info.nFilterIndex = 1;
    info.lpstrFile = file.data();
    info.nMaxFile = DWORD(file.size());
    info.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    info.lpstrTitle = L"ファイルを保存";
    info.lpstrDefExt = ExportExtension(TExportForm::Text);
    info.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                 OFN_NOREADONLYRETURN | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK;
    info.lpfnHook = &SaveDialogTypeChange;
    if (!GetSaveFileNameW(&info)) return std::nullopt;
    file.resize(wcslen(file.c_str()));
    return TExportTarget{file, ExportFormOfFilter(int(info.nFilterIndex))};
}
