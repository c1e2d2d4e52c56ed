#include "shell/FileList.h"

#include "shell/ShellEnumerator.h"

#include "gui/Strings.h"
#include "gui/WaitCursor.h"
#include "core/shell/FilterMatch.h"
#include "core/shell/RowOrder.h"
#include "shell/ShellHelpers.h"

#include <algorithm>
#include <cwchar>
#include <unordered_map>

namespace {

std::wstring LowerExtension(const std::wstring& name)
{
    size_t dot = name.find_last_of(L'.');
    std::wstring ext = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
    CharLowerBuffW(ext.data(), DWORD(ext.size()));
    return ext;
}

uint64_t FileTimeValue(const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// A folder's entries as the file system lists them. The shell enumerates a
// file-system folder in the same order, so the entries are matched by
// walking along; a name out of step is looked up by name.
class TFolderEntries {
public:
    void Read(const std::wstring& folder) { Entries = ReadFolderEntries(folder); }
    explicit TFolderEntries(TFolderEntryList entries = {}) : Entries(std::move(entries)) {}

    // The entry of that name, handed over once; null when there is none.
    TRowFileData* Take(const std::wstring& name)
    {
        for (size_t i = Cursor; i < Entries.size() && i < Cursor + 2; ++i) {
            if (Entries[i].Name == name) {
                Cursor = i + 1;
                return &Entries[i];
            }
        }
        if (ByName.empty())
            for (size_t i = 0; i < Entries.size(); ++i) ByName.emplace(Entries[i].Name, i);
        auto it = ByName.find(name);
        if (it == ByName.end() || Entries[it->second].Name.empty()) return nullptr;
        return &Entries[it->second];
    }

private:
    TFolderEntryList Entries;
    size_t Cursor = 0;
    std::unordered_map<std::wstring, size_t> ByName;
};

}  // namespace

bool IconDiffersPerFile(const std::wstring& name)
{
    static const wchar_t* const own[] = {L".exe", L".ico", L".lnk", L".cur", L".ani", L".url"};
    std::wstring ext = LowerExtension(name);
    for (const wchar_t* e : own)
        if (ext == e) return true;
    return false;
}

TSHFileList::TSHFileList(IShFileListView& view) : Owner(view) { RowItems.reserve(1000); }

TSHFileList::~TSHFileList()
{
    // The threads end by themselves; a report still on its way is dropped.
    if (NameWatcher) NameWatcher->Stop();
    if (AttributeWatcher) AttributeWatcher->Stop();
    ClearRows();
    FreeFolder();
}

TSHFileItem* TSHFileList::Rows(int index) const
{
    return index >= 0 && index < Count() ? RowItems[size_t(index)].get() : nullptr;
}

int TSHFileList::IndexOf(const TSHFileItem* row) const
{
    auto it = std::find_if(RowItems.begin(), RowItems.end(), [row](const auto& r) { return r.get() == row; });
    return it == RowItems.end() ? -1 : int(it - RowItems.begin());
}

void TSHFileList::ClearRows()
{
    RowItems.clear();
    TotalSizeKnown = false;
    // Entries read for the rows that were are no longer wanted.
    ++Generation;
}

void TSHFileList::FreeFolder()
{
    FolderIDList.reset();
    ParentListCache.reset();
    LastItemCache.reset();
    FolderCache = {};
    ParentFolderCache = {};
    OverlayCache = {};
    OverlayAsked = false;
    ShellIconCache = {};
    ShellIconAsked = false;
    FolderPathCache.clear();
    FolderPathKnown = false;
    FileSystemFolder = false;
    ExactListed = false;
}

int TSHFileList::GetLevel() const { return GetIDListLevel(FolderIDList.get()); }

const std::wstring& TSHFileList::GetFolderPath()
{
    if (!FolderPathKnown && FolderIDList.get()) {
        if (GetLevel() == 0) GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, FolderPathCache);
        else IDListToPath(FolderIDList.get(), FolderPathCache);
        FolderPathKnown = true;
    }
    return FolderPathCache;
}

IShellFolder* TSHFileList::GetFolderShellFolder()
{
    if (!FolderCache && FolderIDList.get()) *FolderCache.Put() = BindFolder(FolderIDList.get());
    return FolderCache.Get();
}

IShellIconOverlay* TSHFileList::FolderIconOverlay()
{
    if (!OverlayAsked) {
        OverlayAsked = true;
        if (IShellFolder* folder = GetFolderShellFolder())
            folder->QueryInterface(IID_IShellIconOverlay, OverlayCache.PutVoid());
    }
    return OverlayCache.Get();
}

IShellIcon* TSHFileList::FolderShellIcon()
{
    if (!ShellIconAsked) {
        ShellIconAsked = true;
        if (IShellFolder* folder = GetFolderShellFolder())
            folder->QueryInterface(IID_IShellIcon, ShellIconCache.PutVoid());
    }
    return ShellIconCache.Get();
}

IShellFolder* TSHFileList::GetParentShellFolder()
{
    if (!ParentFolderCache && FolderIDList.get()) {
        if (GetLevel() <= 1) {
            if (IShellFolder* desktop = DesktopFolder()) {
                desktop->AddRef();
                *ParentFolderCache.Put() = desktop;
            }
        } else {
            if (!ParentListCache.get()) ParentListCache.reset(GetParentIDList(FolderIDList.get()));
            *ParentFolderCache.Put() = BindFolder(ParentListCache.get());
        }
    }
    return ParentFolderCache.Get();
}

ULONG TSHFileList::FolderAttributes(ULONG mask)
{
    IShellFolder* parent = GetParentShellFolder();
    if (!parent || !FolderIDList.get()) return 0;
    PCIDList item = FolderIDList.get();
    if (GetLevel() >= 2) {
        if (!LastItemCache.get()) LastItemCache.reset(GetLastItem(FolderIDList.get()));
        item = LastItemCache.get();
    }
    ULONG attributes = mask;
    if (FAILED(parent->GetAttributesOf(1, &item, &attributes))) return 0;
    return attributes & mask;
}

bool TSHFileList::FolderHasAttributes(ULONG sfgao) { return FolderAttributes(sfgao) == sfgao; }

TShItemIDType TSHFileList::GetFolderType()
{
    int level = GetLevel();
    ULONG attributes = level > 0 ? FolderAttributes(SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR) : 0;
    return ItemIDTypeOf(FolderIDList.get(), level, attributes);
}

IDropTarget* TSHFileList::GetFolderDropTarget()
{
    IDropTarget* target = nullptr;
    if (!FolderIDList.get()) return nullptr;
    if (GetLevel() == 0) {
        PCIDList desktopDir = SpecialFolderIDList(CSIDL_DESKTOPDIRECTORY);
        if (DesktopFolder() && desktopDir)
            DesktopFolder()->GetUIObjectOf(ShellOwnerWindow(), 1, &desktopDir, IID_IDropTarget, nullptr,
                                           reinterpret_cast<void**>(&target));
        return target;
    }
    IShellFolder* parent = GetParentShellFolder();
    if (!LastItemCache.get()) LastItemCache.reset(GetLastItem(FolderIDList.get()));
    PCIDList item = LastItemCache.get();
    if (parent && item)
        parent->GetUIObjectOf(ShellOwnerWindow(), 1, &item, IID_IDropTarget, nullptr, reinterpret_cast<void**>(&target));
    return target;
}

TSHIDList& TSHFileList::GetSelectedIDList()
{
    SelectionList.Clear();
    SelectionList.ParentIDList = FolderIDList.get();
    for (int i = Owner.NextSelected(-1); i >= 0; i = Owner.NextSelected(i))
        if (TSHFileItem* row = Rows(i)) SelectionList.Add(row->RelativeList());
    return SelectionList;
}

void TSHFileList::RemoveSelected()
{
    std::vector<std::unique_ptr<TSHFileItem>> kept;
    kept.reserve(RowItems.size());
    for (int i = 0; i < Count(); ++i) {
        auto& row = RowItems[size_t(i)];
        if (!Owner.IsSelected(i)) kept.push_back(std::move(row));
        else if (TotalSizeKnown) TotalSizeCache -= row->HeldFindData().Size;
    }
    RowItems.swap(kept);
    Owner.SetItemCount(Count());
    Owner.SelectAll(false);
    Owner.Invalidate();
    Owner.ListChanged();
}

uint64_t TSHFileList::GetTotalSize()
{
    if (GetFolderPath().empty()) return 0;
    // A view that has the entries read elsewhere gets a total from what the
    // rows hold now, and the exact one when the entries arrive.
    if (!ExactRequested) EnsureExactFileData();
    if (!TotalSizeKnown) {
        TotalSizeCache = 0;
        for (const auto& row : RowItems) TotalSizeCache += row->HeldFindData().Size;
        TotalSizeKnown = true;
    }
    return TotalSizeCache;
}

uint64_t TSHFileList::GetFreeSpace()
{
    if (!FolderHasAttributes(SFGAO_FILESYSTEM)) return 0;
    const std::wstring& path = GetFolderPath();
    if (path.empty()) return 0;
    ULARGE_INTEGER available{};
    TNoCriticalErrorBoxes guard;
    if (!GetDiskFreeSpaceExW(IncludeBackslash(path).c_str(), &available, nullptr, nullptr)) return 0;
    return available.QuadPart;
}

void TSHFileList::SetFolder(PCIDList absolute)
{
    if (!Owner.ViewWindow() || !absolute) return;
    // A shell call that pumps messages can bring a second request in the
    // middle of an enumeration: it must not pull the rows away underneath,
    // and it must not be lost either. The latest one runs afterwards.
    if (Populating) {
        PendingFolder.reset(CopyIDList(absolute));
        return;
    }
    PIDList copy = CopyIDList(absolute);
    if (!copy) return;
    FreeFolder();
    FolderIDList.reset(copy);
    Owner.BeginUpdate();
    int count = Populate();
    Owner.SetItemCount(count);
    if (count > 0) Owner.MakeVisible(0);
    Owner.EndUpdate();
    if (PendingFolder) {
        TIDListPtr next = std::move(PendingFolder);
        if (CompareIDLists(DesktopFolder(), next.get(), FolderIDList.get()) != kIDListEqual) SetFolder(next.get());
    }
}

int TSHFileList::Populate()
{
    if (Populating) return Count();
    struct TGuard {
        bool& Flag;
        explicit TGuard(bool& flag) : Flag(flag) { Flag = true; }
        ~TGuard() { Flag = false; }
    } guard(Populating);
    StopWatching();
    Owner.BeginUpdate();
    if (GetFolderShellFolder()) {
        int style = Owner.ViewStyle();
        ClearRows();
        if (style == LV_VIEW_LIST && Owner.ViewWindow()) Owner.MakeVisible(0);
        Owner.SetItemCount(0);
        Owner.SetViewStyle(LV_VIEW_ICON);
        Enumerate();
        // The style goes back before the rows arrive: a list control lays
        // out every row of an icon style at once when its count is set.
        Owner.SetViewStyle(style);
        if (Count() > 0) {
            Owner.SetItemCount(Count());
            Owner.SetFocusedIndex(0);
        }
    } else {
        ClearRows();
        Owner.SetItemCount(0);
    }
    Owner.ListChanged();
    Owner.EndUpdate();
    StartWatching();
    ExactRequested = FileSystemFolder && !ExactListed && Owner.RequestExactFileData(GetFolderPath(), Generation);
    return Count();
}

bool TSHFileList::KeepRow(TSHFileItem& row, const std::vector<std::wstring>& masks)
{
    if (const TSHFileFilter* filter = Owner.ActiveFilter()) {
        const TRowFileData& data = row.GetFindData();
        TFilterSubject subject;
        subject.HasPath = row.HasFindData() || !row.GetPath().empty();
        subject.Name = row.HasFindData() ? data.Name : row.GetDisplayName();
        subject.Attributes = data.Attributes;
        subject.Size = data.Size;
        subject.LastWrite = FileTimeToDate(data.LastWrite);
        if (!FilterMatches(*filter, masks, subject)) return false;
    }
    return Owner.AcceptRow(row);
}

bool TSHFileList::Enumerate()
{
    IShellFolder* folder = GetFolderShellFolder();
    if (!folder) return false;
    TWaitCursor wait;
    int level = GetLevel();
    TEnumerationRequest request;
    request.Folder = folder;
    request.Owner = Owner.ViewWindow();
    request.Flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | (Owner.IncludeHidden() ? SHCONTF_INCLUDEHIDDEN : 0);
    request.Place = {level, level == 1 ? GetFolderType() : itUnknown};
    request.Shown = Owner.VirtualItems();

    FileSystemFolder = level >= 1 && !GetFolderPath().empty();
    std::vector<std::wstring> masks;
    if (const TSHFileFilter* filter = Owner.ActiveFilter())
        for (const std::string& mask : filter->Masks) masks.push_back(AnsiToWide(mask));

    // File data comes with the enumeration: sorting and filtering need it.
    // The shell's copy inside each identifier holds only 32 bits of the size
    // and, on some systems, names outside the code page as '?'. Names are
    // mended here; sizes arrive later (RequestExactFileData) or when
    // something needs them, at once only for a size filter.
    const TSHFileFilter* filter = Owner.ActiveFilter();
    bool listNow = FileSystemFolder && filter && (filter->Conditions & fcSize);
    TFolderEntries entries;
    if (listNow) entries.Read(GetFolderPath());
    ExactListed = listNow;

    auto make = [this, folder, listNow, &entries](PIDList item) {
        auto row = std::make_unique<TSHFileItem>(this, item);
        WIN32_FIND_DATAW data;
        if (FileSystemFolder &&
            SUCCEEDED(SHGetDataFromIDListW(folder, row->RelativeList(), SHGDFIL_FINDDATA, &data, sizeof data))) {
            if (std::wcschr(data.cFileName, L'?')) {
                // '?' cannot be part of a file name: the real one was lost.
                std::wstring parsed;
                if (GetItemDisplayName(folder, row->RelativeList(), SHGDN_INFOLDER | SHGDN_FORPARSING, parsed))
                    lstrcpynW(data.cFileName, parsed.c_str(), MAX_PATH);
            }
            row->SetFindData(data);
            if (listNow)
                if (TRowFileData* exact = entries.Take(data.cFileName)) row->TakeFindData(std::move(*exact));
        }
        return row;
    };
    auto kindOf = [](TSHFileItem& row) { return row.GetItemIDType(); };
    auto take = [this, &masks](std::unique_ptr<TSHFileItem> row) {
        if (KeepRow(*row, masks)) RowItems.push_back(std::move(row));
    };
    if (!EnumerateChildren(request, make, kindOf, take)) return false;
    if (!(GetFolderPath().empty() && SortColumn == hcAttr)) Sort(SortColumn);
    return true;
}

void TSHFileList::EnsureExactFileData()
{
    if (ExactListed || !FileSystemFolder) return;
    TakeEntries(ReadFolderEntries(GetFolderPath()));
}

void TSHFileList::TakeExactFileData(unsigned generation, TFolderEntryList entries)
{
    if (generation != Generation || ExactListed || !FileSystemFolder) return;
    TakeEntries(std::move(entries));
    Owner.SizesChanged();
}

void TSHFileList::TakeEntries(TFolderEntryList list)
{
    ExactListed = true;
    TFolderEntries entries(std::move(list));
    for (const auto& row : RowItems)
        if (!row->HasExactData() && row->HasFindData())
            if (TRowFileData* exact = entries.Take(row->GetFindData().Name)) row->TakeFindData(std::move(*exact));
    TotalSizeKnown = false;
}

void TSHFileList::Sort(THeaderCaption column)
{
    if (Count() < 2) return;
    if (column == hcSize) EnsureExactFileData();
    int direction = SortDirections[column] < 0 ? -1 : 1;
    if (FileSystemFolder) {
        // Ordered from the rows' own data: the shell's own comparison ignores
        // the column on some systems.
        std::vector<std::wstring> types;
        if (column == hcType) {
            types.reserve(RowItems.size());
            for (const auto& row : RowItems) types.push_back(TypeTextFor(*row));
        }
        std::vector<std::pair<TRowKey, size_t>> keyed;
        keyed.reserve(RowItems.size());
        for (size_t i = 0; i < RowItems.size(); ++i) {
            const TRowFileData& data = RowItems[i]->HeldFindData();
            TRowKey key{(data.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, data.Size, FileTimeValue(data.LastWrite),
                        data.Attributes, column == hcType ? &types[i] : nullptr, &data.Name};
            keyed.emplace_back(key, i);
        }
        std::sort(keyed.begin(), keyed.end(), [column, direction](const auto& a, const auto& b) {
            return CompareRows(a.first, b.first, column) * direction < 0;
        });
        std::vector<std::unique_ptr<TSHFileItem>> sorted;
        sorted.reserve(keyed.size());
        for (const auto& k : keyed) sorted.push_back(std::move(RowItems[k.second]));
        RowItems.swap(sorted);
        return;
    }
    IShellFolder* folder = GetFolderShellFolder();
    if (!folder) return;
    // The shell's comparison need not be consistent: a merge sort stays safe.
    std::stable_sort(RowItems.begin(), RowItems.end(), [folder, column, direction](const auto& a, const auto& b) {
        HRESULT hr = folder->CompareIDs(LPARAM(column), a->RelativeList(), b->RelativeList());
        int code = SUCCEEDED(hr) ? short(HRESULT_CODE(hr)) : 0;
        return code * direction < 0;
    });
}

void TSHFileList::SortBy(THeaderCaption column)
{
    if (GetFolderPath().empty() && column == hcAttr) return;
    Owner.BeginSelUpdate();
    SortColumn = column;
    TSHFileItem* focused = Rows(Owner.FocusedIndex());
    int n = Count();
    int s = Owner.SelectedCount();
    // Only the smaller of the selected and the unselected sets is touched.
    bool markUnselected = n - s < s;
    for (const auto& row : RowItems) row->Marked = false;
    int marked = 0;
    for (int i = 0; i < n && marked < (markUnselected ? n - s : s); ++i) {
        if (Owner.IsSelected(i) != markUnselected) {
            RowItems[size_t(i)]->Marked = true;
            ++marked;
        }
    }
    Sort(column);
    Owner.SelectAll(markUnselected);
    int focusedAt = -1;
    for (int i = 0; i < n; ++i) {
        TSHFileItem* row = RowItems[size_t(i)].get();
        if (row->Marked) Owner.SetSelected(i, !markUnselected);
        if (row == focused) focusedAt = i;
    }
    if (focusedAt >= 0) Owner.SetFocusedIndex(focusedAt);
    Owner.EndSelUpdate();
    Owner.Invalidate();
}

void TSHFileList::StartWatching()
{
    Watched = GetFolderPath();
    // Made on first use, and again should a thread have ended by itself.
    if (!NameWatcher || !NameWatcher->Running())
        NameWatcher = TShFilesWatcher::Create(
            L"", kNameChanges, [this](TShFilesWatcher&, const std::wstring& path) { return FolderNamesChanged(path); },
            true);
    if (!AttributeWatcher || !AttributeWatcher->Running())
        AttributeWatcher =
            TShFilesWatcher::Create(L"", kAttributeChanges, [this](TShFilesWatcher&, const std::wstring& path) {
                return FolderAttributesChanged(path);
            });
    NameWatcher->SetPath(Watched);
    AttributeWatcher->SetPath(Watched);
}

void TSHFileList::StopWatching()
{
    Watched.clear();
    if (NameWatcher) NameWatcher->SetPath(L"");
    if (AttributeWatcher) AttributeWatcher->SetPath(L"");
}

void TSHFileList::FolderVanished()
{
    StopWatching();
    Owner.BeginUpdate();
    ClearRows();
    FreeFolder();
    Owner.SetItemCount(0);
    Owner.EndUpdate();
    Owner.FolderGone();
}

bool TSHFileList::FolderNamesChanged(const std::wstring& path)
{
    if (Owner.PointerBusy()) return false;
    // A report for a folder the list has left already.
    if (path.empty() || lstrcmpiW(path.c_str(), Watched.c_str()) != 0) return true;
    if (!DirectoryExists(path)) FolderVanished();
    else Populate();
    return true;
}

bool TSHFileList::FolderAttributesChanged(const std::wstring& path)
{
    if (Owner.PointerBusy()) return false;
    if (path.empty() || lstrcmpiW(path.c_str(), Watched.c_str()) != 0) return true;
    if (!DirectoryExists(path)) {
        FolderVanished();
        return true;
    }
    TotalSizeKnown = false;
    // One listing of the folder rather than a search per row: in a large
    // folder each search costs as much as a listing.
    TFolderEntries entries(ReadFolderEntries(path));
    for (const auto& row : RowItems)
        if (row->HasFindData())
            if (TRowFileData* fresh = entries.Take(row->HeldFindData().Name)) row->TakeFindData(std::move(*fresh));
    ExactListed = true;
    Owner.Invalidate();
    Owner.SizesChanged();
    return true;
}

const std::wstring& TSHFileList::TypeTextFor(TSHFileItem& row)
{
    static const std::wstring none;
    const TRowFileData& data = row.GetFindData();
    if (!row.HasFindData()) {
        // Virtual objects: one shell round trip, remembered by the row's name.
        std::wstring key = L"::" + row.GetDisplayName();
        auto it = TypeTexts.find(key);
        if (it != TypeTexts.end()) return it->second;
        SHFILEINFOW info{};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(row.GetAbsoluteList()), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_TYPENAME);
        return TypeTexts[key] = info.szTypeName;
    }
    bool folder = data.Attributes & FILE_ATTRIBUTE_DIRECTORY;
    std::wstring key = folder ? L"<folder>" : LowerExtension(data.Name);
    auto it = TypeTexts.find(key);
    if (it != TypeTexts.end()) return it->second;
    SHFILEINFOW info{};
    std::wstring probe = folder ? L"folder" : L"file" + key;
    if (!SHGetFileInfoW(probe.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME))
        return none;
    return TypeTexts[key] = info.szTypeName;
}

int TSHFileList::IconIndexFor(TSHFileItem& row, bool large)
{
    if (IShellIcon* shellIcon = FolderShellIcon()) {
        int index = -1;
        if (shellIcon->GetIconOf(row.RelativeList(), GIL_FORSHELL, &index) == S_OK && index >= 0) return index;
    }
    const TRowFileData& data = row.GetFindData();
    UINT size = large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    if (!row.HasFindData()) return GetSysIconIndex(row.GetAbsoluteList(), large, false);

    bool isFolder = data.Attributes & FILE_ATTRIBUTE_DIRECTORY;
    // A folder marked read-only or system may carry an icon of its own.
    bool own = isFolder ? (data.Attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0
                        : IconDiffersPerFile(data.Name);
    SHFILEINFOW info{};
    if (own) {
        std::wstring path = row.GetPath();
        if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | size))
            return GetSysIconIndex(row.GetAbsoluteList(), large, false);
        return info.iIcon;
    }
    auto& cache = large ? LargeIcons : SmallIcons;
    std::wstring key = isFolder ? L"<folder>" : LowerExtension(data.Name);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    std::wstring probe = isFolder ? L"folder" : L"file" + key;
    SHGetFileInfoW(probe.c_str(), isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | size);
    return cache[key] = info.iIcon;
}
