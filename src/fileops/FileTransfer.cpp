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
            if (!free.empty()) name = free;  // else it clashes with itself and is left out
        }
        claimed.insert(NameKey(name));
        targets.push_back(prefix + name);
    }
    return targets;
}

// What the user wants done with a name already taken at the destination.
// Shells differ here: one asks, another replaces without a word, another
// puts a folder inside the folder of the same name. So the program asks
// first, on every shell, and hands the shell only what was agreed.
enum class TClashAnswer { Replace, Skip, Cancel };

TClashAnswer AskAboutClash(HWND owner, const std::wstring& name, bool folder)
{
    std::wstring text = folder ? L"送り先には既に「" + name + L"」という名前のフォルダがあります。\n"
                                 L"フォルダの内容を統合しますか?"
                               : L"送り先には既に「" + name + L"」という名前のファイルがあります。\n"
                                 L"ファイルを置き換えますか?";
    switch (ShowMessageBox(owner, text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return TClashAnswer::Replace;
    case IDNO: return TClashAnswer::Skip;
    default: return TClashAnswer::Cancel;
    }
}

// The entries of a folder, as full paths.
std::vector<std::wstring> EntriesOf(const std::wstring& folder)
{
    std::vector<std::wstring> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") entries.push_back(folder + L"\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
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

    std::vector<std::wstring> targets = DestinationsOf(sources, folder);

    // Clashes are settled before anything moves: a file the user lets
    // replace goes to the shell; a folder onto a folder is merged entry by
    // entry, each clash inside asked again; what is declined stays put.
    std::vector<std::wstring> keptSources, keptTargets;
    std::vector<size_t> merges;
    bool replacing = false, mismatched = false;
    for (size_t i = 0; i < sources.size(); ++i) {
        DWORD existing = GetFileAttributesW(targets[i].c_str());
        if (existing != INVALID_FILE_ATTRIBUTES) {
            if (SameFolderPath(targets[i], sources[i])) {
                mismatched = true;  // no free copy name was left
                continue;
            }
            bool sourceIsFolder = IsFolder(sources[i]);
            if (sourceIsFolder != ((existing & FILE_ATTRIBUTE_DIRECTORY) != 0)) {
                mismatched = true;  // a file cannot replace a folder, nor a folder a file
                continue;
            }
            TClashAnswer answer = AskAboutClash(owner, NameOf(targets[i]), sourceIsFolder);
            if (answer == TClashAnswer::Cancel) return TransferResult::Cancelled;
            if (answer == TClashAnswer::Skip) continue;
            if (sourceIsFolder) {
                merges.push_back(i);
                continue;
            }
            replacing = true;
        }
        keptSources.push_back(sources[i]);
        keptTargets.push_back(targets[i]);
    }

    bool arrived = true;
    if (!keptSources.empty()) {
        std::wstring from = DoubleZeroList(keptSources);
        std::wstring to = DoubleZeroList(keptTargets);
        SHFILEOPSTRUCTW operation{};
        operation.hwnd = owner;
        operation.wFunc = kind == TransferKind::Move ? FO_MOVE : FO_COPY;
        operation.pFrom = from.c_str();
        operation.pTo = to.c_str();
        // Every file is given its destination name: some shells cancel a
        // move of several files into one folder, and some ignore a request
        // to rename on a clash. Errors are told by ReportTransfer, once, on
        // every shell. The user has already answered for each replacement:
        // a second question from the shell would only repeat it.
        operation.fFlags = FOF_MULTIDESTFILES | FOF_ALLOWUNDO | FOF_NOERRORUI | (replacing ? FOF_NOCONFIRMATION : 0);
        int result = SHFileOperationW(&operation);
        if (operation.fAnyOperationsAborted) return TransferResult::Cancelled;
        // Some shells answer success for files they could not write: only
        // what is seen on disk counts.
        arrived = result == 0;
        for (size_t i = 0; arrived && i < keptSources.size(); ++i) {
            arrived = Exists(keptTargets[i]);
            if (kind == TransferKind::Move && Exists(keptSources[i])) arrived = false;
        }
    }
    for (size_t i : merges) {
        TransferResult merged = TransferFiles(owner, EntriesOf(sources[i]), targets[i], kind);
        if (merged == TransferResult::Cancelled) return merged;
        if (merged != TransferResult::Done && merged != TransferResult::Nothing) arrived = false;
        // A moved folder goes once it is empty; declined entries keep it.
        if (kind == TransferKind::Move) RemoveDirectoryW(sources[i].c_str());
    }
    return arrived && !mismatched ? TransferResult::Done : TransferResult::Failed;
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
