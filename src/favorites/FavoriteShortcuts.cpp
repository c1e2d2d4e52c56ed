#include "favorites/FavoriteShortcuts.h"

#include "gui/AtomicFile.h"
#include "gui/Handles.h"
#include "shell/ShellHelpers.h"

#include <objidl.h>
#include <shlobj.h>

#include <stdexcept>
#include <vector>

namespace {

// The folder a shortcut starts its target in: the target's own folder.
std::wstring FolderOf(const std::wstring& path)
{
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return std::wstring();
    return path.substr(0, cut == 2 && path[1] == L':' ? cut + 1 : cut);
}

// The bytes of a shortcut file to `target`, made in memory so that the file
// itself is written whole.
bool ShortcutBytes(const std::wstring& target, std::vector<uint8_t>& bytes)
{
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    if (FAILED(link->SetPath(target.c_str()))) return false;
    link->SetWorkingDirectory(FolderOf(target).c_str());
    ComPtr<IPersistStream> persist;
    ComPtr<IStream> stream;
    if (FAILED(link->QueryInterface(IID_IPersistStream, persist.PutVoid())) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) || FAILED(persist->Save(stream.Get(), TRUE)))
        return false;
    ULARGE_INTEGER end{};
    LARGE_INTEGER zero{};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &end)) || end.QuadPart == 0 || end.QuadPart > (1u << 20))
        return false;
    bytes.resize(size_t(end.QuadPart));
    ULONG read = 0;
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)) &&
           SUCCEEDED(stream->Read(bytes.data(), ULONG(bytes.size()), &read)) && read == bytes.size();
}

struct TNameTaken {};

}  // namespace

TShortcutResult CreateShortcut(const std::wstring& linkPath, const std::wstring& target, bool replace, DWORD* error)
{
    if (error) *error = 0;
    auto exists = [&] { return GetFileAttributesW(linkPath.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (!replace && exists()) return TShortcutResult::Exists;
    std::vector<uint8_t> bytes;
    if (!ShortcutBytes(target, bytes)) return TShortcutResult::Failed;
    try {
        // A file made meanwhile under that name is not replaced either.
        DWORD code = ReplaceFileWhole(linkPath, bytes.data(), bytes.size(), [&] {
            if (!replace && exists()) throw TNameTaken();
        });
        if (code == 0) return TShortcutResult::Written;
        if (error) *error = code;
        return TShortcutResult::Failed;
    } catch (const TNameTaken&) {
        return TShortcutResult::Exists;
    }
}

TIDListPtr ShortcutTargetFolder(HWND owner, const std::wstring& linkPath)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(linkPath.c_str(), STGM_READ)))
        return nullptr;
    if (FAILED(link->Resolve(owner, SLR_ANY_MATCH))) return nullptr;
    PIDLIST_ABSOLUTE target = nullptr;
    if (FAILED(link->GetIDList(&target)) || !target) return nullptr;
    TIDListPtr list(target);
    std::wstring path;
    if (!IDListToPath(list.get(), path)) return list;  // a virtual folder is taken as it is
    // A target that is gone would leave the tree on the desktop. The path
    // is parsed again: the list a shortcut stores need not be in the form
    // the tree's own nodes carry.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return nullptr;
    return PathToIDList((attributes & FILE_ATTRIBUTE_DIRECTORY) ? path : FolderOf(path));
}
