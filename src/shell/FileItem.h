#pragma once
// A row of a folder's file list.
#include "shell/DataItem.h"

#include <cstdint>
#include <string>

class TSHFileList;

// What the list keeps of a find-data record.
struct TRowFileData;
TRowFileData RowFileDataFrom(const WIN32_FIND_DATAW& data);

// Whether a file of this name is a shortcut (it shows the shortcut arrow).
bool IsShortcutName(const std::wstring& name);

// What the list keeps of a row's find data (the full record is far larger
// than a row may cost).
struct TRowFileData {
    std::wstring Name;          // empty until filled
    uint64_t Size = 0;
    FILETIME LastWrite{};
    FILETIME Creation{};
    FILETIME LastAccess{};
    uint32_t Attributes = 0;
};

class TSHFileItem : public TSHDataItem {
public:
    // Takes ownership of the relative list.
    TSHFileItem(TSHFileList* owner, PIDList relative);

    int GetIndex() const override;
    int GetLevel() override;
    PCIDList GetParentList() override;
    PCIDList GetAbsoluteList() override;
    bool IsValid() const override { return Owner && RelativeIDList.get(); }
    int GetIconIndex() override;
    int GetSelectedIconIndex() override;
    // The index in the small system image list, whatever the view's style.
    int GetSmallIconIndex();
    std::wstring GetPath() override;

    // Fills the find data on first use; a failed fill is tried again later.
    const TRowFileData& GetFindData();
    bool HasFindData() const { return !FindData.Name.empty(); }
    // What is held now, without asking anyone.
    const TRowFileData& HeldFindData() const { return FindData; }
    void SetFindData(const WIN32_FIND_DATAW& data);
    // Data read from the file system itself (64-bit size, exact name).
    void TakeFindData(TRowFileData&& data)
    {
        FindData = std::move(data);
        Exact = true;
    }
    bool HasExactData() const { return Exact; }
    void ClearFindData()
    {
        FindData = TRowFileData();
        Exact = false;
    }
    // The full 64-bit size: the shell's find data keeps only 32 bits, so a
    // file-system row reads its own entry once when its folder has not been
    // listed as a whole.
    uint64_t GetFileSize();
    // The file-system name (the display name for virtual rows): sorting,
    // type-ahead and masks go by it, and it costs no shell call.
    const std::wstring& GetFileName();
    uint32_t GetFileAttributes() { return GetFindData().Attributes; }
    bool IsFolderRow();
    std::wstring GetSizeText();
    std::wstring GetTypeText();
    std::wstring GetDateText();
    UINT GetOverlayMask();
    bool Rename(const std::wstring& newName);

    TSHFileList* Owner;
    int LargeIconIndex = -1;
    bool Marked = false;  // scratch flag of the list's selection-keeping sort
    bool Exact = false;   // FindData came from the file system, not the shell

protected:
    std::wstring FetchDisplayName() override;
    // Rows share their list's folder: binding it anew per row costs
    // milliseconds each in a large folder.
    IShellFolder* BindParentFolder() override;

private:
    TRowFileData FindData;
};
