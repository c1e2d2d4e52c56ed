#include "shell/DataItem.h"

TSHDataItem::~TSHDataItem() = default;

void TSHDataItem::ResetCaches()
{
    SelectedIconIndex = -1;
    IconIndex = -1;
    DisplayName.clear();
}

PCIDList TSHDataItem::QueryList() { return GetLevel() == 0 ? GetAbsoluteList() : RelativeIDList.get(); }

int TSHDataItem::GetIconIndex()
{
    if (IconIndex == -1) IconIndex = GetSysIconIndex(GetAbsoluteList(), false, false);
    return IconIndex;
}

int TSHDataItem::GetSelectedIconIndex()
{
    if (SelectedIconIndex == -1) SelectedIconIndex = GetSysIconIndex(GetAbsoluteList(), false, true);
    return SelectedIconIndex;
}

IShellFolder* TSHDataItem::GetParentFolder()
{
    if (!ParentFolder) *ParentFolder.Put() = BindParentFolder();
    return ParentFolder.Get();
}

IShellFolder* TSHDataItem::BindParentFolder()
{
    int level = GetLevel();
    if (level == 0 || level == 1) {
        IShellFolder* desktop = DesktopFolder();
        if (desktop) desktop->AddRef();
        return desktop;
    }
    return level > 1 ? BindFolder(GetParentList()) : nullptr;
}

const std::wstring& TSHDataItem::GetDisplayName()
{
    if (DisplayName.empty()) DisplayName = FetchDisplayName();
    return DisplayName;
}

std::wstring TSHDataItem::FetchDisplayName()
{
    std::wstring name;
    if (IShellFolder* folder = GetParentFolder()) GetItemDisplayName(folder, QueryList(), SHGDN_INFOLDER, name);
    return name;
}

std::wstring TSHDataItem::GetEditingName()
{
    std::wstring name;
    if (IShellFolder* folder = GetParentFolder())
        GetItemDisplayName(folder, QueryList(), kEditingNameFlags, name);
    return name.empty() ? GetDisplayName() : name;
}

std::wstring TSHDataItem::GetPath()
{
    std::wstring path;
    IDListToPath(GetLevel() == 0 ? RelativeIDList.get() : GetAbsoluteList(), path);
    return path;
}

ULONG TSHDataItem::Attributes(ULONG mask)
{
    IShellFolder* folder = GetParentFolder();
    PCIDList list = QueryList();
    ULONG attributes = mask;
    if (!folder || !list || FAILED(folder->GetAttributesOf(1, &list, &attributes))) return 0;
    return attributes & mask;
}

bool TSHDataItem::HasAttributes(ULONG sfgao) { return Attributes(sfgao) == sfgao; }

TShItemIDType ItemIDTypeOf(PCIDList absolute, int level, ULONG attributes)
{
    IShellFolder* desktop = DesktopFolder();
    if (!desktop) return itUnknown;
    if (level == 0) return itDeskTop;
    bool fileSystem = attributes & SFGAO_FILESYSTEM;
    if (level == 1) {
        static const struct {
            int Csidl;
            TShItemIDType Kind;
        } special[] = {{CSIDL_DRIVES, itMyComputer}, {CSIDL_NETWORK, itNetWork}, {CSIDL_BITBUCKET, itBitBucket},
                       {CSIDL_INTERNET, itInterNet}};
        for (const auto& s : special) {
            PCIDList list = SpecialFolderIDList(s.Csidl);
            if (list && CompareIDLists(desktop, list, absolute) == kIDListEqual) return s.Kind;
        }
        if (!fileSystem) return itVirtual;
        return (attributes & SFGAO_FOLDER) ? itFolder : itFile;
    }
    if (!fileSystem) return itVirtual;
    if (level == 2 && (attributes & SFGAO_FILESYSANCESTOR)) return itRootDrive;
    return (attributes & SFGAO_FOLDER) ? itFolder : itFile;
}

TShItemIDType TSHDataItem::GetItemIDType()
{
    int level = GetLevel();
    if (level < 0) return itUnknown;
    ULONG attributes = level > 0 ? Attributes(SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR) : 0;
    return ItemIDTypeOf(GetAbsoluteList(), level, attributes);
}

int TSHDataItem::GetOverlayIndex()
{
    IShellFolder* folder = GetParentFolder();
    if (!folder) return -1;
    ComPtr<IShellIconOverlay> overlay;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellIconOverlay, overlay.PutVoid()))) {
        int index = 0;
        return overlay->GetOverlayIndex(QueryList(), &index) == S_OK ? index - 1 : -1;
    }
    ULONG attributes = Attributes(SFGAO_SHARE | SFGAO_LINK);
    if (attributes & SFGAO_SHARE) return 0;
    if (attributes & SFGAO_LINK) return 1;
    return -1;
}

IDropTarget* TSHDataItem::GetDropTarget()
{
    IShellFolder* folder = GetParentFolder();
    PCIDList list = RelativeIDList.get();
    if (!folder || !list) return nullptr;
    IDropTarget* target = nullptr;
    if (FAILED(folder->GetUIObjectOf(ShellOwnerWindow(), 1, &list, IID_IDropTarget, nullptr,
                                     reinterpret_cast<void**>(&target))))
        return nullptr;
    return target;
}

TSHFolderItem::TSHFolderItem(void* node, PIDList relative, PIDList absolute) : Node(node)
{
    RelativeIDList.reset(relative);
    AbsoluteIDList.reset(absolute);
}

int TSHFolderItem::GetLevel() { return GetIDListLevel(AbsoluteIDList.get()); }

PCIDList TSHFolderItem::GetParentList()
{
    if (!ParentListCache.get()) {
        if (GetLevel() == 1) ParentListCache.reset(CopyIDList(SpecialFolderIDList(CSIDL_DESKTOP)));
        else ParentListCache.reset(GetParentIDList(AbsoluteIDList.get()));
    }
    return ParentListCache.get();
}

TSHComboItem::TSHComboItem(TSHComboList* owner, bool temporary, PIDList relative, PIDList absolute,
                           TSHComboItem* parentItem)
    : Owner(owner), ParentItem(parentItem), Temporary(temporary)
{
    RelativeIDList.reset(relative);
    AbsoluteIDList.reset(absolute);
}

int TSHComboItem::GetLevel() { return GetIDListLevel(AbsoluteIDList.get()); }

PCIDList TSHComboItem::GetParentList()
{
    if (!ParentListCache.get()) ParentListCache.reset(GetParentIDList(AbsoluteIDList.get()));
    return ParentListCache.get();
}
