#include "fileops/FileTransfer.h"

#include "core/fileops/CopyName.h"
#include "core/fileops/DropRules.h"
#include "fileops/Shortcuts.h"
#include "gui/MessageBox.h"

#include <shellapi.h>

#include <cwctype>
#include <unordered_set>

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

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// A name as the file system compares it: without regard to case.
std::wstring NameKey(std::wstring name)
{
    for (wchar_t& c : name) c = wchar_t(std::towupper(c));
    return name;
}

// Where each file goes: the folder and its own name, or, for a copy into
// the folder it is in, a free copy name ("a - コピー.txt").
std::vector<std::wstring> DestinationsOf(const std::vector<std::wstring>& sources, const std::wstring& folder)
{
    std::vector<std::wstring> targets;
    std::unordered_set<std::wstring> claimed;  // names already given, by NameKey
    const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
    auto taken = [&prefix, &claimed](const std::wstring& name) {
        return claimed.count(NameKey(name)) || GetFileAttributesW((prefix + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    for (const std::wstring& source : sources) {
        std::wstring name = NameOf(source);
        if (SameFolderPath(FolderOf(source), folder)) {
            std::wstring free = FreeCopyName(name, IsFolder(source), taken);
            if (!free.empty()) name = free;  // else the shell asks about the clash
        }
        claimed.insert(NameKey(name));
        targets.push_back(prefix + name);
    }
    return targets;
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
    for (const std::wstring& file : files) {
        std::wstring source = FullPath(file);
        bool here = SameFolderPath(FolderOf(source), folder);
        if (here && kind == TransferKind::Move) continue;  // already where it is to go
        if (kind != TransferKind::Link && IsFolder(source) && IsSelfOrBelow(source, folder))
            return TransferResult::Refused;
        sources.push_back(std::move(source));
    }
    if (sources.empty()) return TransferResult::Nothing;
    if (kind == TransferKind::Link) return LinkFiles(sources, folder);

    std::wstring from = DoubleZeroList(sources);
    std::vector<std::wstring> targets = DestinationsOf(sources, folder);
    std::wstring to = DoubleZeroList(targets);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = kind == TransferKind::Move ? FO_MOVE : FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    // Every file is given its destination name: some shells cancel a move
    // of several files into one folder, and some ignore a request to rename
    // on a clash. A clash elsewhere is asked by the shell. Errors are told
    // by ReportTransfer, once, on every shell.
    operation.fFlags = FOF_MULTIDESTFILES | FOF_ALLOWUNDO | FOF_NOERRORUI;
    int result = SHFileOperationW(&operation);
    if (operation.fAnyOperationsAborted) return TransferResult::Cancelled;
    // Some shells answer success for files they could not write: only what
    // is seen on disk counts.
    bool arrived = result == 0;
    for (size_t i = 0; arrived && i < sources.size(); ++i) {
        arrived = Exists(targets[i]);
        if (kind == TransferKind::Move && Exists(sources[i])) arrived = false;
    }
    return arrived ? TransferResult::Done : TransferResult::Failed;
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
