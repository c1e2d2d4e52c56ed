#pragma once
// Where the viewer tests find the program's build and the plug-ins the
// tests built, and helpers to set up plug-in folders.
#include "support/TempFolder.h"

#include <windows.h>

#include <string>

inline std::wstring WinePath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*c));
    return path;
}

inline std::wstring ProgramDir() { return WinePath(QV_PROGRAM_DIR); }
inline std::wstring TestPluginDir() { return WinePath(QV_TEST_PLUGINS); }

#if defined(__i386__)
inline const wchar_t* kPluginExt = L".spi";
#else
inline const wchar_t* kPluginExt = L".sph";
#endif

// Copies a plug-in (our own from the program's folder, or a test one) into
// `folder` under `as` (default: its own name).
inline bool CopyPlugin(const TTempFolder& folder, bool ours, const std::wstring& name, std::wstring as = L"")
{
    std::wstring from = (ours ? ProgramDir() : TestPluginDir()) + L"\\" + name + kPluginExt;
    if (as.empty()) as = name + kPluginExt;
    return CopyFileW(from.c_str(), (folder / as).c_str(), FALSE) != 0;
}
