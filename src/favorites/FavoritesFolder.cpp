#include "favorites/FavoritesFolder.h"

#include "core/dialogs/NameText.h"
#include "gui/MessageBox.h"
#include "shell/IDList.h"
#include "shell/ShellHelpers.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

namespace {

// Deep enough for any favorites folder, and an end to a loop of links.
constexpr int kMaxDepth = 16;

std::wstring NameOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ParentOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void AddSubfolders(const std::wstring& folder, int depth, std::vector<TFavoriteFolder>& out)
{
    if (depth > kMaxDepth) return;
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(JoinPath(folder, L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; });
    for (const std::wstring& name : names) {
        std::wstring path = JoinPath(folder, name);
        out.push_back({path, name, depth});
        AddSubfolders(path, depth + 1, out);
    }
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring CannotText(const std::wstring& what, const std::wstring& path, DWORD code)
{
    return L"「" + path + L"」" + what + L"\n" + SystemErrorText(code);
}

}  // namespace

std::wstring UsableFavoritesFolder(const std::wstring& setting)
{
    if (!setting.empty() && (DirectoryExists(setting) || CreateDirectoryW(setting.c_str(), nullptr))) return setting;
    std::wstring folder;
    GetSpecialFolderPath(CSIDL_FAVORITES, folder);
    return folder;
}

std::vector<TFavoriteFolder> FavoriteFolders(const std::wstring& root)
{
    std::vector<TFavoriteFolder> folders = {{root, NameOf(root), 0}};
    AddSubfolders(root, 1, folders);
    return folders;
}

bool InsideFolder(const std::wstring& root, const std::wstring& path)
{
    if (root.empty() || path.size() < root.size()) return false;
    if (CompareStringOrdinal(path.c_str(), int(root.size()), root.c_str(), int(root.size()), TRUE) != CSTR_EQUAL)
        return false;
    return path.size() == root.size() || path[root.size()] == L'\\' || root.back() == L'\\';
}

std::wstring RenameFavorite(const std::wstring& path, const std::wstring& newName, std::wstring& newPath)
{
    if (!IsUsableName(newName)) return ForbiddenCharsMessage(kNameForbiddenHeading, L"\\/:*?\"<>|");
    newPath = JoinPath(ParentOf(path), newName);
    if (newPath == path) return {};
    bool caseOnly = lstrcmpiW(newPath.c_str(), path.c_str()) == 0;
    if (!caseOnly && Exists(newPath)) return L"「" + newName + L"」は既にあります。";
    // A change of case alone goes through a temporary name: not every file
    // system carries it out in one step.
    if (caseOnly) {
        std::wstring temporary = path + L".qvrename";
        if (!MoveFileW(path.c_str(), temporary.c_str())) return CannotText(L"の名前を変更できません。", path, GetLastError());
        if (MoveFileW(temporary.c_str(), newPath.c_str())) return {};
        DWORD code = GetLastError();
        MoveFileW(temporary.c_str(), path.c_str());
        return CannotText(L"の名前を変更できません。", path, code);
    }
    if (!MoveFileW(path.c_str(), newPath.c_str())) return CannotText(L"の名前を変更できません。", path, GetLastError());
    return {};
}

std::wstring MoveFavorite(const std::wstring& path, const std::wstring& folder, std::wstring& newPath)
{
    if (InsideFolder(path, folder)) return L"フォルダをそのフォルダ自身の中へは移動できません。";
    newPath = JoinPath(folder, NameOf(path));
    if (lstrcmpiW(newPath.c_str(), path.c_str()) == 0) return {};
    if (Exists(newPath)) return L"移動先に「" + NameOf(path) + L"」が既にあります。";
    if (!MoveFileExW(path.c_str(), newPath.c_str(), 0)) return CannotText(L"を移動できません。", path, GetLastError());
    return {};
}

std::wstring DeleteFavorite(HWND owner, const std::wstring& path)
{
    // To the recycle bin; the dialog has asked already.
    std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    int result = SHFileOperationW(&op);
    if (result == 0 && !op.fAnyOperationsAborted && !Exists(path)) return {};
    return L"「" + path + L"」を削除できません。";
}

std::wstring NewFavoriteFolder(const std::wstring& folder, std::wstring& newPath)
{
    std::wstring name = CreateNewFolder(folder);
    if (name.empty()) return CannotText(L"にフォルダを作成できません。", folder, GetLastError());
    newPath = JoinPath(folder, name);
    return {};
}
