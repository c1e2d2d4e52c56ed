#include "shell/IDList.h"

#include "gui/Handles.h"
#include "core/shell/IDListBytes.h"

#include <cstring>

namespace {

const uint8_t* Bytes(PCIDList list) { return reinterpret_cast<const uint8_t*>(list); }

PIDList CopyBytes(const void* data, size_t size, size_t extraZeros)
{
    PIDList list = AllocIDList(UINT(size + extraZeros));
    if (list) std::memcpy(list, data, size);
    return list;
}

HWND& OwnerStorage()
{
    static HWND owner = nullptr;
    return owner;
}

}  // namespace

void TIDListDeleter::operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }

void SetShellOwnerWindow(HWND owner) { OwnerStorage() = owner; }
HWND ShellOwnerWindow() { return OwnerStorage(); }

PIDList AllocIDList(UINT size)
{
    void* block = CoTaskMemAlloc(size);
    if (block) std::memset(block, 0, size);
    return static_cast<PIDList>(block);
}

void FreeIDList(PIDList& list)
{
    CoTaskMemFree(list);
    list = nullptr;
}

UINT GetIDListSize(PCIDList list) { return UINT(IDListSize(Bytes(list))); }

PCIDList NextItem(PCIDList list) { return reinterpret_cast<PCIDList>(IDListNext(Bytes(list))); }

PIDList CopyIDList(PCIDList list) { return list ? CopyBytes(list, GetIDListSize(list), 0) : nullptr; }

PIDList CopyFirstItem(PCIDList list)
{
    if (!list || list->mkid.cb == 0) return nullptr;
    return CopyBytes(list, list->mkid.cb, 2);
}

PIDList ConcatIDLists(PCIDList a, PCIDList b)
{
    if (!a || !b) return nullptr;
    UINT sizeA = GetIDListSize(a) - 2, sizeB = GetIDListSize(b);
    PIDList list = AllocIDList(sizeA + sizeB);
    if (!list) return nullptr;
    std::memcpy(list, a, sizeA);
    std::memcpy(reinterpret_cast<uint8_t*>(list) + sizeA, b, sizeB);
    return list;
}

PIDList ConcatAndFree(PIDList& a, PIDList& b)
{
    PIDList result;
    if (a && b) result = ConcatIDLists(a, b);
    else result = CopyIDList(a ? a : b);
    FreeIDList(a);
    FreeIDList(b);
    return result;
}

PIDList GetParentIDList(PCIDList list)
{
    size_t bytes = IDListParentBytes(Bytes(list));
    return bytes ? CopyBytes(list, bytes, 2) : nullptr;
}

PIDList GetLastItem(PCIDList list)
{
    const uint8_t* last = IDListLastItem(Bytes(list));
    return last ? CopyBytes(last, IDItemSize(last), 2) : nullptr;
}

IShellFolder* DesktopFolder()
{
    static IShellFolder* desktop = [] {
        IShellFolder* folder = nullptr;
        SHGetDesktopFolder(&folder);
        return folder;
    }();
    return desktop;
}

int GetIDListLevel(PCIDList list)
{
    if (!list || !DesktopFolder()) return -1;
    if (list->mkid.cb == 0) return 0;
    return IDListItemCount(Bytes(list));
}

bool IsDesktopIDList(IShellFolder* folder, PCIDList list)
{
    PCIDList desktop = SpecialFolderIDList(CSIDL_DESKTOP);
    return CompareIDLists(folder, desktop, list) == kIDListEqual;
}

int CompareIDLists(IShellFolder* folder, PCIDList a, PCIDList b, LPARAM column)
{
    if (!folder || !a || !b) return kIDListCompareFailed;
    HRESULT hr = folder->CompareIDs(column, a, b);
    if (FAILED(hr)) return kIDListCompareFailed;
    short code = short(HRESULT_CODE(hr));
    return code == 0 ? kIDListEqual : code > 0 ? kIDListAfter : kIDListBefore;
}

static bool SetName(IShellFolder* folder, HWND owner, PCIDList item, const std::wstring& name, DWORD flags,
                    PIDList& renamed)
{
    renamed = nullptr;
    if (FAILED(folder->SetNameOf(owner, item, name.c_str(), flags, &renamed)) || !renamed) {
        FreeIDList(renamed);
        return false;
    }
    return true;
}

bool RenameShellItem(IShellFolder* folder, HWND owner, PCIDList item, const std::wstring& oldName,
                     const std::wstring& newName, DWORD flags, PIDList& renamed)
{
    renamed = nullptr;
    if (!folder || !item || newName.empty()) return false;
    bool caseOnly = newName != oldName && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, newName.c_str(), -1,
                                                         oldName.c_str(), -1) == CSTR_EQUAL;
    if (!caseOnly) return SetName(folder, owner, item, newName, flags, renamed);
    PIDList temporary = nullptr;
    if (!SetName(folder, owner, item, newName + L".~" + std::to_wstring(GetTickCount()), flags, temporary))
        return false;
    bool ok = SetName(folder, owner, temporary, newName, flags, renamed);
    if (!ok) {
        PIDList back = nullptr;
        if (SetName(folder, owner, temporary, oldName, flags, back)) FreeIDList(back);
    }
    FreeIDList(temporary);
    return ok;
}

bool GetItemDisplayName(IShellFolder* folder, PCIDList list, DWORD flags, std::wstring& name)
{
    name.clear();
    if (!folder || !list) return true;
    STRRET str{};
    if (FAILED(folder->GetDisplayNameOf(list, flags, &str))) return false;
    switch (str.uType) {
    case STRRET_WSTR:
        name = str.pOleStr ? str.pOleStr : L"";
        CoTaskMemFree(str.pOleStr);
        return true;
    case STRRET_OFFSET: {
        const char* text = reinterpret_cast<const char*>(list) + str.uOffset;
        int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        name.resize(size_t(n > 0 ? n - 1 : 0));
        MultiByteToWideChar(CP_ACP, 0, text, -1, name.data(), n);
        return true;
    }
    case STRRET_CSTR: {
        char text[MAX_PATH + 1] = {};
        std::memcpy(text, str.cStr, MAX_PATH);
        int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        name.resize(size_t(n > 0 ? n - 1 : 0));
        MultiByteToWideChar(CP_ACP, 0, text, -1, name.data(), n);
        return true;
    }
    default:
        return false;
    }
}

bool IDListToPath(PCIDList list, std::wstring& path)
{
    path.clear();
    if (!list) return false;
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(list, buffer) || !buffer[0]) return false;
    // Some shells name virtual folders "::{GUID}": that is no path.
    if (buffer[0] == L':' && buffer[1] == L':') return false;
    path = buffer;
    return true;
}

static bool IsFullWindowsPath(const std::wstring& path)
{
    bool drive = path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    bool unc = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\';
    bool bareDrive = path.size() == 2 && iswalpha(path[0]) && path[1] == L':';
    return drive || unc || bareDrive;
}

TIDListPtr PathToIDList(const std::wstring& path)
{
    // Anything but a full Windows path is refused before it reaches the shell
    // (a Unix-style path brings some shells down).
    if (path.empty() || !IsFullWindowsPath(path) || !DesktopFolder()) return nullptr;
    std::wstring text = path;
    ULONG eaten = 0;
    PIDList list = nullptr;
    if (FAILED(DesktopFolder()->ParseDisplayName(ShellOwnerWindow(), nullptr, text.data(), &eaten, &list, nullptr)))
        return nullptr;
    return TIDListPtr(list);
}

TIDListPtr GetSpecialFolderIDList(int csidl)
{
    PIDList list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(ShellOwnerWindow(), csidl, &list))) return nullptr;
    return TIDListPtr(list);
}

bool GetSpecialFolderPath(int csidl, std::wstring& path)
{
    path.clear();
    TIDListPtr list = GetSpecialFolderIDList(csidl);
    return list && IDListToPath(list.get(), path);
}

PCIDList SpecialFolderIDList(int csidl)
{
    // A handful of special folders, looked up once.
    static struct {
        int Csidl;
        PIDList List;
        bool Known;
    } cache[16] = {};
    for (auto& entry : cache) {
        if (entry.Known && entry.Csidl == csidl) return entry.List;
        if (!entry.Known) {
            entry.Csidl = csidl;
            entry.List = GetSpecialFolderIDList(csidl).release();
            entry.Known = true;
            return entry.List;
        }
    }
    return nullptr;
}

IShellFolder* BindFolder(PCIDList absolute)
{
    IShellFolder* desktop = DesktopFolder();
    if (!desktop || !absolute) return nullptr;
    if (absolute->mkid.cb == 0) {
        desktop->AddRef();
        return desktop;
    }
    IShellFolder* folder = nullptr;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
        return nullptr;
    return folder;
}

int GetSysIconIndex(PCIDList list, bool large, bool open)
{
    if (!list) return 0;
    SHFILEINFOW info{};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON) | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof info, flags);
    return info.iIcon;
}

HIMAGELIST GetSysImageList(bool large)
{
    PCIDList desktop = SpecialFolderIDList(CSIDL_DESKTOP);
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop), 0, &info, sizeof info,
                                                       SHGFI_PIDL | SHGFI_SYSICONINDEX |
                                                           (large ? 0 : SHGFI_SMALLICON)));
}

unsigned KeyStateToShift(DWORD keyState)
{
    unsigned shift = 0;
    if (keyState & MK_SHIFT) shift |= unsigned(TShiftState::Shift);
    if (keyState & 0x20) shift |= unsigned(TShiftState::Alt);
    if (keyState & MK_CONTROL) shift |= unsigned(TShiftState::Ctrl);
    if (keyState & MK_LBUTTON) shift |= unsigned(TShiftState::Left);
    if (keyState & MK_RBUTTON) shift |= unsigned(TShiftState::Right);
    if (keyState & MK_MBUTTON) shift |= unsigned(TShiftState::Middle);
    return shift;
}
