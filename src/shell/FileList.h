#pragma once
// The model behind a folder list: the folder shown, its rows in display
// order, the sort column and directions, and the caches that keep asking
// the shell cheap.
#include "shell/ChangeWatchers.h"
#include "shell/ExactFileData.h"
#include "shell/FileItem.h"
#include "shell/FileListView.h"
#include "shell/ShIDList.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// <windows.h> still defines GetFreeSpace as a 16-bit relic.
#undef GetFreeSpace

enum THeaderCaption : uint8_t { hcName, hcSize, hcType, hcLastWrite, hcAttr };

class TSHFileList {
public:
    explicit TSHFileList(IShFileListView& view);
    ~TSHFileList();
    TSHFileList(const TSHFileList&) = delete;
    TSHFileList& operator=(const TSHFileList&) = delete;

    THeaderCaption SortColumn = hcName;
    int SortDirections[5] = {1, 1, 1, 1, 1};

    int Count() const { return int(RowItems.size()); }
    TSHFileItem* Rows(int index) const;
    int IndexOf(const TSHFileItem* row) const;
    IShFileListView& View() { return Owner; }

    PCIDList GetFolderIDList() const { return FolderIDList.get(); }
    int GetLevel() const;
    const std::wstring& GetFolderPath();
    // Not AddRef'ed; kept by the list.
    IShellFolder* GetFolderShellFolder();
    IShellFolder* GetParentShellFolder();
    bool FolderHasAttributes(ULONG sfgao);
    // The SFGAO bits of `mask` the folder itself has; 0 when unknown.
    ULONG FolderAttributes(ULONG mask);
    TShItemIDType GetFolderType();
    IDropTarget* GetFolderDropTarget();
    TSHIDList& GetSelectedIDList();
    void RemoveSelected();
    uint64_t GetTotalSize();
    uint64_t GetFreeSpace();

    void SetFolder(PCIDList absolute);
    int Populate();
    void Sort(THeaderCaption column);
    void SortBy(THeaderCaption column);

    // Points both watchers at the folder shown / at no folder.
    void StartWatching();
    void StopWatching();
    const std::wstring& WatchedFolder() const { return Watched; }

    // Reports of the watchers (on the GUI thread). False while a mouse
    // button is held on the view: the report is to be offered again.
    bool FolderNamesChanged(const std::wstring& path);
    bool FolderAttributesChanged(const std::wstring& path);

    // Reads the folder from the file system once, so that every row carries
    // its 64-bit size (sorting by size, a size filter, a large selection).
    void EnsureExactFileData();
    // The same entries, read elsewhere for the rows of `generation` (the
    // view asked with RequestExactFileData); late ones are dropped.
    void TakeExactFileData(unsigned generation, TFolderEntryList entries);
    // The folder's overlay and icon sources, when it offers them (each
    // asked once).
    IShellIconOverlay* FolderIconOverlay();
    IShellIcon* FolderShellIcon();

    // Texts shared by many rows, cached by extension.
    const std::wstring& TypeTextFor(TSHFileItem& row);
    int IconIndexFor(TSHFileItem& row, bool large);

private:
    void ClearRows();
    void TakeEntries(TFolderEntryList entries);
    void FreeFolder();
    bool Enumerate();
    bool KeepRow(TSHFileItem& row, const std::vector<std::wstring>& masks);
    void FolderVanished();

    IShFileListView& Owner;
    std::vector<std::unique_ptr<TSHFileItem>> RowItems;
    uint64_t TotalSizeCache = 0;
    bool TotalSizeKnown = false;
    bool ExactRequested = false;  // the view has the exact entries read
    unsigned Generation = 0;  // of the rows: a new one with every rebuild
    TIDListPtr FolderIDList;
    TIDListPtr ParentListCache;
    TIDListPtr LastItemCache;
    TSHIDList SelectionList;
    ComPtr<IShellFolder> FolderCache;
    ComPtr<IShellFolder> ParentFolderCache;
    ComPtr<IShellIconOverlay> OverlayCache;
    bool OverlayAsked = false;
    ComPtr<IShellIcon> ShellIconCache;
    bool ShellIconAsked = false;
    std::wstring FolderPathCache;
    bool FolderPathKnown = false;
    bool FileSystemFolder = false;
    bool ExactListed = false;
    bool Populating = false;
    TIDListPtr PendingFolder;  // asked for while enumerating
    std::wstring Watched;
    std::shared_ptr<TShFilesWatcher> NameWatcher, AttributeWatcher;
    std::map<std::wstring, std::wstring> TypeTexts;
    std::map<std::wstring, int> SmallIcons, LargeIcons;
};

// Whether the shell's answer for this extension can differ from file to
// file (programs, icons, shortcuts...), so that it must not be cached.
bool IconDiffersPerFile(const std::wstring& name);
