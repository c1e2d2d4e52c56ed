#include "viewer/DllSearch.h"

#ifndef LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
#define LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR 0x00000100
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

// Windows 7 has the search flags only with its security update KB2533623:
// ask for the function that came with them.
bool HasSearchFlags()
{
    static const bool has = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    return has;
}

std::wstring SystemFolder()
{
    wchar_t dir[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    return n && n < MAX_PATH ? std::wstring(dir, n) : std::wstring();
}

}  // namespace

void RestrictDllSearchToSystem()
{
    using TSetDefault = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<TSetDefault>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (HasSearchFlags()) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    std::wstring folder = SystemFolder();
    return folder.empty() ? nullptr : LoadLibraryW((folder + L"\\" + name).c_str());
}

HMODULE LoadLibraryBesideItself(const std::wstring& path)
{
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    HMODULE module = HasSearchFlags()
        ? LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32)
        : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetThreadErrorMode(oldMode, nullptr);
    return module;
}
