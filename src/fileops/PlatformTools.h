#pragma once
// The platform's own tools the program starts: the shortcut wizard, the
// open-with dialog, the network drive dialogs, emptying the recycle bin and
// the user's web browser.
#include <windows.h>

#include <string>

// Whether the system's shortcut wizard is there (appwiz.cpl exports its
// entry; not every system's does).
bool HasShortcutWizard();
// Starts the wizard for a new shortcut in the folder; false when it could
// not be started.
bool RunShortcutWizard(HWND owner, const std::wstring& folder);

// Starts the dialog that chooses the program opening the file; false when
// it could not be started.
bool RunOpenWith(HWND owner, const std::wstring& path);

// The network drive dialogs (disk drives); their result is the system's
// (it reports its own errors). Returned for the record.
DWORD RunConnectDriveDialog(HWND owner);
DWORD RunDisconnectDriveDialog(HWND owner);

// How emptying the recycle bin ended, told by the bin's contents before and
// after: the call itself reports success after a cancel on some systems.
// Emptied: fewer objects than before (some systems cannot remove every
// kind of object from it).
enum class TEmptyBinResult { Unavailable, Emptied, NotEmptied };
TEmptyBinResult EmptyRecycleBin(HWND owner);
// The number of objects in every drive's recycle bin; -1 when unknown.
long long RecycleBinCount();

// Hands a web address to the user's browser; false when the system could
// not (no program for it, or it refused).
bool OpenWebAddress(HWND owner, const std::wstring& address);

using TShellExecuteW = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
// The function OpenWebAddress calls instead of the shell's (null: the
// shell's). Some platforms pass addresses on to another system's browser.
void UseWebOpener(TShellExecuteW open);
