#include "shell/ShellClipboard.h"

#include "core/shell/ClipboardLayout.h"
#include "gui/Handles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace {

UINT ShellIDListFormat()
{
    static const UINT format = RegisterClipboardFormatW(L"Shell IDList Array");
    return format;
}

UINT PreferredDropEffectFormat()
{
    static const UINT format = RegisterClipboardFormatW(L"Preferred DropEffect");
    return format;
}

FORMATETC FormatOf(UINT format)
{
    return FORMATETC{CLIPFORMAT(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The clipboard, opened for one operation and closed with it. Another
// program may hold it for a moment, so opening is tried a few times.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner)
    {
        for (int attempt = 0; attempt < 10 && !Opened; ++attempt) {
            Opened = OpenClipboard(owner) != FALSE;
            if (!Opened) Sleep(20);
        }
    }
    ~TOpenClipboard()
    {
        if (Opened) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    explicit operator bool() const { return Opened; }

private:
    bool Opened = false;
};

// A window of our own to own the clipboard: data set while the clipboard
// is opened without one is not accepted. The data stays after it is gone.
class TClipboardOwner {
public:
    TClipboardOwner()
        : Window(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~TClipboardOwner()
    {
        if (Window) DestroyWindow(Window);
    }
    TClipboardOwner(const TClipboardOwner&) = delete;
    TClipboardOwner& operator=(const TClipboardOwner&) = delete;
    HWND Get() const { return Window; }

private:
    HWND Window;
};

bool PutOnClipboard(UINT format, const void* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return false;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, data, size);
        GlobalUnlock(block);
    } else {
        GlobalFree(block);
        return false;
    }
    if (!SetClipboardData(format, block)) {
        GlobalFree(block);
        return false;
    }
    return true;  // the clipboard owns the block now
}

// The path of a file-system item, from its already bound folder: asking
// the folder for the item's parsing name is far cheaper than resolving the
// absolute list from the desktop for every item.
std::wstring FileSystemPath(IShellFolder* folder, PCIDList item)
{
    ULONG attributes = SFGAO_FILESYSTEM;
    if (FAILED(folder->GetAttributesOf(1, &item, &attributes)) || !(attributes & SFGAO_FILESYSTEM)) return {};
    std::wstring name;
    if (!GetItemDisplayName(folder, item, SHGDN_FORPARSING, name)) return {};
    bool drive = name.size() >= 3 && iswalpha(name[0]) && name[1] == L':' && name[2] == L'\\';
    bool unc = name.size() >= 3 && name[0] == L'\\' && name[1] == L'\\' && name[2] != L'?';
    return drive || unc ? name : std::wstring();
}

}  // namespace

bool CopyToClipboard(const TSHIDList& items, bool cut)
{
    if (items.Count() == 0 || !items.ParentIDList) return false;
    ComPtr<IShellFolder> folder;
    *folder.Put() = items.GetParentFolder();
    if (!folder) return false;

    std::vector<const uint8_t*> lists;
    std::vector<std::u16string> paths;
    for (int i = 0; i < items.Count(); ++i) {
        PCIDList item = items.Items(i);
        if (!item) return false;
        lists.push_back(reinterpret_cast<const uint8_t*>(item));
        std::wstring path = FileSystemPath(folder.Get(), item);
        if (!path.empty()) paths.emplace_back(path.begin(), path.end());
    }
    // Without a single path there is nothing a paste could copy or move.
    if (paths.empty()) return false;

    std::vector<uint8_t> idList = BuildIDListArray(reinterpret_cast<const uint8_t*>(items.ParentIDList), lists);
    std::vector<uint8_t> drop = BuildWideDropFiles(paths);
    DWORD effect = cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY | DROPEFFECT_LINK;
    if (idList.empty()) return false;

    TClipboardOwner owner;
    if (!owner.Get()) return false;
    TOpenClipboard clipboard(owner.Get());
    if (!clipboard || !EmptyClipboard()) return false;
    bool ok = PutOnClipboard(CF_HDROP, drop.data(), drop.size()) &&
              PutOnClipboard(ShellIDListFormat(), idList.data(), idList.size()) &&
              PutOnClipboard(PreferredDropEffectFormat(), &effect, sizeof effect);
    // Half a set would make a paste do something else than was asked.
    if (!ok) EmptyClipboard();
    return ok;
}

bool ClipboardHasFiles()
{
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.Put())) || !data) return false;
    FORMATETC idList = FormatOf(ShellIDListFormat());
    if (data->QueryGetData(&idList) == S_OK) return true;
    FORMATETC drop = FormatOf(CF_HDROP);
    return data->QueryGetData(&drop) == S_OK;
}

bool DataObjectHasNonFileObjects(IDataObject* data)
{
    FORMATETC format = FormatOf(ShellIDListFormat());
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return false;
    bool nonFile = false;
    SIZE_T size = medium.tymed == TYMED_HGLOBAL && medium.hGlobal ? GlobalSize(medium.hGlobal) : 0;
    if (auto* array = size >= 2 * sizeof(UINT) ? static_cast<const CIDA*>(GlobalLock(medium.hGlobal)) : nullptr) {
        // The attributes are asked of the objects' folder: the file names a
        // shell lists beside them are not to be trusted for virtual objects.
        auto listAt = [array](UINT offset) {
            return reinterpret_cast<PCIDLIST_ABSOLUTE>(reinterpret_cast<const BYTE*>(array) + offset);
        };
        UINT count = array->cidl;
        ComPtr<IShellFolder> desktop, parent;
        bool fits = (count + 1) * sizeof(UINT) + sizeof(UINT) <= size;
        for (UINT i = 0; fits && i <= count; ++i) fits = array->aoffset[i] < size;
        if (fits && SUCCEEDED(SHGetDesktopFolder(desktop.Put()))) {
            PCIDLIST_ABSOLUTE folder = listAt(array->aoffset[0]);
            if (ILIsEmpty(folder)) parent = desktop;
            else desktop->BindToObject(folder, nullptr, IID_IShellFolder, parent.PutVoid());
        }
        for (UINT i = 1; parent && i <= count && !nonFile; ++i) {
            PCUITEMID_CHILD child = reinterpret_cast<PCUITEMID_CHILD>(listAt(array->aoffset[i]));
            SFGAOF attributes = SFGAO_FILESYSTEM;
            if (FAILED(parent->GetAttributesOf(1, &child, &attributes)) || !(attributes & SFGAO_FILESYSTEM))
                nonFile = true;
        }
        if (!parent && count > 0) nonFile = true;
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return nonFile;
}

std::vector<std::wstring> DataObjectFiles(IDataObject* data)
{
    std::vector<std::wstring> files;
    FORMATETC drop = FormatOf(CF_HDROP);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&drop, &medium))) return files;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        auto handle = static_cast<HDROP>(medium.hGlobal);
        UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            UINT length = DragQueryFileW(handle, i, nullptr, 0);
            std::wstring name(length + 1, L'\0');
            name.resize(DragQueryFileW(handle, i, name.data(), length + 1));
            // Some shells list a virtual object (My Computer) by its class
            // text ("::{...}"): that is no file.
            if (!name.empty() && name.rfind(L"::", 0) != 0) files.push_back(std::move(name));
        }
    }
    ReleaseStgMedium(&medium);
    return files;
}

std::vector<std::wstring> ClipboardFiles(bool* move)
{
    std::vector<std::wstring> files;
    if (move) *move = false;
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.Put())) || !data) return files;

    files = DataObjectFiles(data.Get());

    FORMATETC effect = FormatOf(PreferredDropEffectFormat());
    STGMEDIUM medium{};
    if (move && SUCCEEDED(data->GetData(&effect, &medium))) {
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal && GlobalSize(medium.hGlobal) >= sizeof(DWORD)) {
            if (auto* value = static_cast<const DWORD*>(GlobalLock(medium.hGlobal))) {
                *move = PasteShouldMove(*value);
                GlobalUnlock(medium.hGlobal);
            }
        }
        ReleaseStgMedium(&medium);
    }
    return files;
}

void EmptyClipboardUnlessChanged(HWND window, DWORD sequence)
{
    TOpenClipboard clipboard(window);
    if (clipboard && GetClipboardSequenceNumber() == sequence) EmptyClipboard();
}
