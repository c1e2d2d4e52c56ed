#pragma once
// Item identifier lists as the shell hands them out: every list returned
// here is a new block from the shell's task allocator, owned by the caller
// and freed with FreeIDList (or held in a TIDListPtr). Inputs are never
// freed, except by ConcatAndFree. Failures give null, false, -1 or 3 as
// documented; nothing here throws.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>

using PIDList = ITEMIDLIST*;
using PCIDList = const ITEMIDLIST*;

struct TIDListDeleter {
    void operator()(ITEMIDLIST* list) const;
};
using TIDListPtr = std::unique_ptr<ITEMIDLIST, TIDListDeleter>;

PIDList AllocIDList(UINT size);
void FreeIDList(PIDList& list);
UINT GetIDListSize(PCIDList list);
PCIDList NextItem(PCIDList list);
PIDList CopyIDList(PCIDList list);
PIDList CopyFirstItem(PCIDList list);
PIDList ConcatIDLists(PCIDList a, PCIDList b);
PIDList ConcatAndFree(PIDList& a, PIDList& b);
PIDList GetParentIDList(PCIDList list);
PIDList GetLastItem(PCIDList list);
// -1 for null or without a desktop folder; 0 for the desktop.
int GetIDListLevel(PCIDList list);
bool IsDesktopIDList(IShellFolder* folder, PCIDList list);

// 0 equal, 1 a after b, 2 a before b, 3 failure.
enum : int { kIDListEqual = 0, kIDListAfter = 1, kIDListBefore = 2, kIDListCompareFailed = 3 };
int CompareIDLists(IShellFolder* folder, PCIDList a, PCIDList b, LPARAM column = 0);

// SetNameOf on `folder`; a change of case alone goes through a temporary
// name, because not every shell carries it out. On success `renamed` is the
// new relative list (the caller's).
// How a name is shown for editing in place, and set back after it.
inline constexpr DWORD kEditingNameFlags = SHGDN_INFOLDER | SHGDN_FOREDITING;

bool RenameShellItem(IShellFolder* folder, HWND owner, PCIDList item, const std::wstring& oldName,
                     const std::wstring& newName, DWORD flags, PIDList& renamed);
bool GetItemDisplayName(IShellFolder* folder, PCIDList list, DWORD flags, std::wstring& name);
// False and empty for null and for objects without a file-system path (also
// for the "::{GUID}" answers some shells give for virtual folders).
bool IDListToPath(PCIDList list, std::wstring& path);
// Only full Windows paths (drive letter or UNC) are parsed; null when the
// path is refused or names nothing.
TIDListPtr PathToIDList(const std::wstring& path);
// A new copy of a special folder's absolute list, or null.
TIDListPtr GetSpecialFolderIDList(int csidl);
bool GetSpecialFolderPath(int csidl, std::wstring& path);
int GetSysIconIndex(PCIDList list, bool large, bool open);
HIMAGELIST GetSysImageList(bool large);

// The desktop's IShellFolder, obtained once.
IShellFolder* DesktopFolder();
// A folder's IShellFolder: the desktop for the desktop's list, otherwise
// bound from the desktop. Null when it cannot be bound. AddRef'ed.
IShellFolder* BindFolder(PCIDList absolute);
// The absolute list of a special folder, cached for the run (not a copy).
PCIDList SpecialFolderIDList(int csidl);

// The window the shell's dialogs hang on; the main window sets it.
void SetShellOwnerWindow(HWND owner);
HWND ShellOwnerWindow();

enum class TShiftState : unsigned {
    None = 0, Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32,
};
unsigned KeyStateToShift(DWORD keyState);
