#include "fileops/PlatformTools.h"

#include "gui/SystemLibrary.h"

#include <shellapi.h>

namespace {

TShellExecuteW ChosenWebOpener = nullptr;

bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

bool StartRundll(HWND owner, const std::wstring& parameters)
{
    return Started(ShellExecuteW(owner, L"open", L"rundll32.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL));
}

using TQueryBin = HRESULT(WINAPI*)(LPCWSTR, LPSHQUERYRBINFO);
using TEmptyBin = HRESULT(WINAPI*)(HWND, LPCWSTR, DWORD);

long long CountWith(TQueryBin query)
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (!query || FAILED(query(nullptr, &info))) return -1;
    return info.i64NumItems;
}

}  // namespace

bool HasShortcutWizard()
{
    TSystemLibrary wizard(L"appwiz.cpl");
    return wizard.Proc<FARPROC>("NewLinkHereW") || wizard.Proc<FARPROC>("NewLinkHereA") ||
           wizard.Proc<FARPROC>("NewLinkHere");
}

bool RunShortcutWizard(HWND owner, const std::wstring& folder)
{
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return StartRundll(owner, L"appwiz.cpl,NewLinkHere " + path);
}

bool RunOpenWith(HWND owner, const std::wstring& path)
{
    return !path.empty() && StartRundll(owner, L"Shell32.dll,OpenAs_RunDLL " + path);
}

DWORD RunConnectDriveDialog(HWND owner)
{
    TSystemLibrary mpr(L"MPR.DLL");
    auto dialog = mpr.Proc<DWORD(WINAPI*)(HWND, DWORD)>("WNetConnectionDialog");
    return dialog ? dialog(owner, RESOURCETYPE_DISK) : ERROR_PROC_NOT_FOUND;
}

DWORD RunDisconnectDriveDialog(HWND owner)
{
    TSystemLibrary mpr(L"MPR.DLL");
    auto dialog = mpr.Proc<DWORD(WINAPI*)(HWND, DWORD)>("WNetDisconnectDialog");
    return dialog ? dialog(owner, RESOURCETYPE_DISK) : ERROR_PROC_NOT_FOUND;
}

long long RecycleBinCount()
{
    TSystemLibrary shell(L"SHELL32.DLL");
    return CountWith(shell.Proc<TQueryBin>("SHQueryRecycleBinW"));
}

TEmptyBinResult EmptyRecycleBin(HWND owner)
{
    TSystemLibrary shell(L"SHELL32.DLL");
    auto empty = shell.Proc<TEmptyBin>("SHEmptyRecycleBinW");
    if (!empty) return TEmptyBinResult::Unavailable;
    auto query = shell.Proc<TQueryBin>("SHQueryRecycleBinW");
    long long before = CountWith(query);
    HRESULT result = empty(owner, nullptr, 0);
    long long after = CountWith(query);
    // The count decides where it can be read: a cancel leaves every object
    // (and a bin emptied only in part still changed what the views show).
    if (after >= 0 && before >= 0) return after < before ? TEmptyBinResult::Emptied : TEmptyBinResult::NotEmptied;
    if (after == 0) return TEmptyBinResult::Emptied;
    return SUCCEEDED(result) ? TEmptyBinResult::Emptied : TEmptyBinResult::NotEmptied;
}

void UseWebOpener(TShellExecuteW open) { ChosenWebOpener = open; }

bool OpenWebAddress(HWND owner, const std::wstring& address)
{
    TShellExecuteW open = ChosenWebOpener ? ChosenWebOpener : &ShellExecuteW;
    return Started(open(owner, L"open", address.c_str(), L"", L"", SW_SHOW));
}
