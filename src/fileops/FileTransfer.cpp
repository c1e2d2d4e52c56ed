#include "fileops/FileTransfer.h"

#include "core/fileops/DropRules.h"
#include "fileops/Shortcuts.h"
#include "gui/MessageBox.h"

#include <shellapi.h>

namespace {

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    // "C:\" keeps its backslash: "C:" alone means the drive's current folder.
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A list of paths as the file operation reads it: each ends in a zero, the
// whole in one more.
std::wstring DoubleZeroList(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

TransferResult LinkFiles(const std::vector<std::wstring>& files, const std::wstring& folder)
{
    bool failed = false;
    for (const std::wstring& file : files)
        if (CreateShortcutIn(folder, file).empty()) failed = true;
    return failed ? TransferResult::Failed : TransferResult::Done;
}

}  // namespace

std::wstring FullPath(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return WithoutTrailingBackslash(full);
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    return WithoutTrailingBackslash(path.substr(0, slash + 1));
}

TransferResult TransferFiles(HWND owner, const std::vector<std::wstring>& files, const std::wstring& targetFolder,
                             TransferKind kind)
{
    if (targetFolder.empty()) return TransferResult::NoTarget;
    std::wstring folder = FullPath(targetFolder);
    if (!IsFolder(folder)) return TransferResult::NoTarget;

    std::vector<std::wstring> sources;
    bool intoOwnFolder = false;
    for (const std::wstring& file : files) {
        std::wstring source = FullPath(file);
        bool here = SameFolderPath(FolderOf(source), folder);
        if (here && kind == TransferKind::Move) continue;  // already where it is to go
        if (kind != TransferKind::Link && IsFolder(source) && IsSelfOrBelow(source, folder))
            return TransferResult::Refused;
        intoOwnFolder = intoOwnFolder || here;
        sources.push_back(std::move(source));
    }
    if (sources.empty()) return TransferResult::Nothing;
    if (kind == TransferKind::Link) return LinkFiles(sources, folder);

    std::wstring from = DoubleZeroList(sources);
    std::wstring to = DoubleZeroList({folder});
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = kind == TransferKind::Move ? FO_MOVE : FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    // A copy into its own folder would replace itself: give it a new name,
    // as the shell does when it pastes there. Elsewhere a clash is asked.
    // Errors are told by ReportTransfer, once, on every shell.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOERRORUI | (intoOwnFolder ? FOF_RENAMEONCOLLISION : 0);
    int result = SHFileOperationW(&operation);
    if (result != 0) return TransferResult::Failed;
    if (operation.fAnyOperationsAborted) return TransferResult::Cancelled;
    return TransferResult::Done;
}

void ReportTransfer(HWND owner, TransferKind kind, TransferResult result)
{
    const wchar_t* what = kind == TransferKind::Move ? L"移動" : kind == TransferKind::Copy ? L"コピー" : L"ショートカットの作成";
    std::wstring text;
    switch (result) {
    case TransferResult::Done:
    case TransferResult::Nothing:
        return;
    case TransferResult::Cancelled:
        text = std::wstring(what) + L"は中断されました。終わらなかったファイルは元の場所に残っています。";
        break;
    case TransferResult::Failed:
        text = std::wstring(what) + L"を完了できませんでした。終わらなかったファイルは元の場所に残っています。";
        break;
    case TransferResult::Refused:
        text = L"フォルダをそれ自身やそのサブフォルダへコピーしたり移動したりすることはできません。";
        break;
    case TransferResult::NoTarget:
        text = L"送り先のフォルダが見つかりません。";
        break;
    }
    ShowMessageBox(owner, text, MB_OK | MB_ICONWARNING);
}
