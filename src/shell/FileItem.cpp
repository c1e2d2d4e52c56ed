#include "shell/FileItem.h"

#include "shell/FileList.h"
#include "shell/ShellHelpers.h"
#include "core/shell/SizeText.h"

#include <commctrl.h>

TSHFileItem::TSHFileItem(TSHFileList* owner, PIDList relative) : Owner(owner)
{
    RelativeIDList.reset(relative);
}

int TSHFileItem::GetIndex() const { return Owner ? Owner->IndexOf(this) : -1; }

int TSHFileItem::GetLevel() { return Owner ? Owner->GetLevel() + 1 : -1; }

PCIDList TSHFileItem::GetParentList() { return Owner ? Owner->GetFolderIDList() : nullptr; }

PCIDList TSHFileItem::GetAbsoluteList()
{
    if (!AbsoluteIDList.get() && Owner && RelativeIDList.get()) {
        if (Owner->GetLevel() != 0) AbsoluteIDList.reset(ConcatIDLists(Owner->GetFolderIDList(), RelativeIDList.get()));
        else AbsoluteIDList.reset(CopyFirstItem(RelativeIDList.get()));
    }
    return AbsoluteIDList.get();
}

std::wstring TSHFileItem::GetPath()
{
    // Inside a file-system folder the path is the folder's and the name; the
    // shell's own answer costs milliseconds per row in large folders.
    if (Owner && Owner->GetLevel() >= 1 && HasFindData()) {
        const std::wstring& folder = Owner->GetFolderPath();
        if (!folder.empty()) return JoinPath(folder, FindData.Name);
    }
    return TSHDataItem::GetPath();
}

IShellFolder* TSHFileItem::BindParentFolder()
{
    if (Owner && Owner->GetLevel() >= 1)
        if (IShellFolder* folder = Owner->GetFolderShellFolder()) {
            folder->AddRef();
            return folder;
        }
    return TSHDataItem::BindParentFolder();
}

std::wstring TSHFileItem::FetchDisplayName()
{
    // Asked for the rows on screen only: the shell's name shows hidden
    // extensions and localised folder names as the rest of the system does.
    std::wstring name = TSHDataItem::FetchDisplayName();
    return name.empty() && HasFindData() ? FindData.Name : name;
}

const std::wstring& TSHFileItem::GetFileName()
{
    return HasFindData() ? GetFindData().Name : GetDisplayName();
}

TRowFileData RowFileDataFrom(const WIN32_FIND_DATAW& data)
{
    TRowFileData row;
    row.Name = data.cFileName;
    row.Size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    row.LastWrite = data.ftLastWriteTime;
    row.Creation = data.ftCreationTime;
    row.LastAccess = data.ftLastAccessTime;
    row.Attributes = data.dwFileAttributes;
    return row;
}

void TSHFileItem::SetFindData(const WIN32_FIND_DATAW& data) { FindData = RowFileDataFrom(data); }

const TRowFileData& TSHFileItem::GetFindData()
{
    if (FindData.Name.empty() && Owner) {
        WIN32_FIND_DATAW data{};
        if (GetLevel() == 1) {
            std::wstring path = TSHDataItem::GetPath();
            if (!path.empty() && FindFileData(path, data)) SetFindData(data);
        } else if (IShellFolder* folder = GetParentFolder()) {
            if (SUCCEEDED(SHGetDataFromIDListW(folder, RelativeIDList.get(), SHGDFIL_FINDDATA, &data, sizeof data)))
                SetFindData(data);
        }
    }
    return FindData;
}

uint64_t TSHFileItem::GetFileSize()
{
    const TRowFileData& data = GetFindData();
    if (!Exact && HasFindData() && Owner && Owner->GetLevel() >= 1) {
        WIN32_FILE_ATTRIBUTE_DATA exact;
        std::wstring path = GetPath();
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &exact)) {
            FindData.Size = (uint64_t(exact.nFileSizeHigh) << 32) | exact.nFileSizeLow;
            FindData.Attributes = exact.dwFileAttributes;
            FindData.LastWrite = exact.ftLastWriteTime;
            FindData.Creation = exact.ftCreationTime;
            FindData.LastAccess = exact.ftLastAccessTime;
        }
        Exact = true;
    }
    return data.Size;
}

bool TSHFileItem::IsFolderRow()
{
    if (GetFindData().Attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    if (HasFindData()) return false;
    ULONG attributes = Attributes(SFGAO_FILESYSANCESTOR | SFGAO_FILESYSTEM | SFGAO_FOLDER);
    if (attributes & SFGAO_FILESYSANCESTOR) return true;
    return !(attributes & SFGAO_FILESYSTEM) && (attributes & SFGAO_FOLDER);
}

std::wstring TSHFileItem::GetSizeText()
{
    if (IsFolderRow()) return {};
    return FormatKilobytesText(GetFileSize(), LocaleThousandsSeparator());
}

std::wstring TSHFileItem::GetTypeText() { return Owner ? Owner->TypeTextFor(*this) : std::wstring(); }

std::wstring TSHFileItem::GetDateText()
{
    double date = FileTimeToDate(GetFindData().LastWrite);
    // Find data only exists for file-system objects.
    if (date == 0 || !HasFindData()) return {};
    return FormatShortDateTime(date);
}

int TSHFileItem::GetIconIndex()
{
    if (!Owner) return 0;
    if (!Owner->View().LargeIconStyle()) {
        if (IconIndex == -1) IconIndex = Owner->IconIndexFor(*this, false);
        return IconIndex;
    }
    if (LargeIconIndex == -1) LargeIconIndex = Owner->IconIndexFor(*this, true);
    return LargeIconIndex;
}

int TSHFileItem::GetSelectedIconIndex() { return GetIconIndex(); }

int TSHFileItem::GetSmallIconIndex()
{
    if (!Owner) return 0;
    if (IconIndex == -1) IconIndex = Owner->IconIndexFor(*this, false);
    return IconIndex;
}

UINT TSHFileItem::GetOverlayMask()
{
    IShellFolder* folder = GetParentFolder();
    if (!folder || !Owner) return 0;
    if (IShellIconOverlay* overlay = Owner->FolderIconOverlay()) {
        int index = 0;
        return SUCCEEDED(overlay->GetOverlayIndex(RelativeIDList.get(), &index)) ? INDEXTOOVERLAYMASK(index) : 0;
    }
    // A file can only carry the shortcut arrow, and its name tells: asking
    // the shell costs milliseconds per row in a large folder on some systems.
    if (HasFindData() && Owner->GetLevel() >= 1 && !(FindData.Attributes & FILE_ATTRIBUTE_DIRECTORY))
        return IsShortcutName(FindData.Name) ? INDEXTOOVERLAYMASK(2) : 0;
    ULONG attributes = Attributes(SFGAO_SHARE | SFGAO_LINK);
    if (attributes & SFGAO_SHARE) return INDEXTOOVERLAYMASK(1);
    if (attributes & SFGAO_LINK) return INDEXTOOVERLAYMASK(2);
    return 0;
}

bool IsShortcutName(const std::wstring& name)
{
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    std::wstring ext = name.substr(dot);
    CharLowerBuffW(ext.data(), DWORD(ext.size()));
    return ext == L".lnk" || ext == L".url" || ext == L".pif";
}

bool TSHFileItem::Rename(const std::wstring& newName)
{
    IShellFolder* folder = GetParentFolder();
    if (!folder || !RelativeIDList.get() || newName.empty()) return false;
    std::wstring oldName = GetEditingName();
    PIDList renamed = nullptr;
    if (!RenameShellItem(folder, ShellOwnerWindow(), RelativeIDList.get(), oldName, newName, kEditingNameFlags, renamed))
        return false;
    RelativeIDList.reset();
    RelativeIDList.reset(renamed);
    AbsoluteIDList.reset();
    ResetCaches();
    LargeIconIndex = -1;
    ClearFindData();
    GetFindData();
    return true;
}
