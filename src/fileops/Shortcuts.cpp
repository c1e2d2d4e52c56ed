#include "fileops/Shortcuts.h"

#include "core/fileops/ShortcutName.h"
#include "gui/Handles.h"
#include "shell/ShellHelpers.h"

#include <windows.h>
#include <shlobj.h>

namespace {

bool NameTaken(const std::wstring& folder, const std::wstring& name)
{
    return GetFileAttributesW(JoinPath(folder, name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder a shortcut starts its target in: the target's own folder.
std::wstring FolderOf(const std::wstring& path)
{
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

bool SaveShortcut(const std::wstring& linkPath, const std::wstring& target)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    if (FAILED(link->SetPath(target.c_str()))) return false;
    link->SetWorkingDirectory(FolderOf(target).c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

}  // namespace

bool WriteNewShortcut(const std::wstring& linkPath, const std::wstring& target)
{
    // Claim the name first, so that a file made meanwhile is never replaced.
    if (!TFileHandle(CreateFileW(linkPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr)))
        return false;
    if (SaveShortcut(linkPath, target)) return true;
    DeleteFileW(linkPath.c_str());
    return false;
}

std::wstring CreateShortcutIn(const std::wstring& folder, const std::wstring& target)
{
    const std::wstring base = ShortcutBaseName(target);
    if (base.empty() || !DirectoryExists(folder)) return std::wstring();
    const std::wstring name =
        FreeShortcutFileName(base, [&folder](const std::wstring& n) { return NameTaken(folder, n); });
    if (name.empty()) return std::wstring();
    const std::wstring linkPath = JoinPath(folder, name);
    return WriteNewShortcut(linkPath, target) ? linkPath : std::wstring();
}
