#pragma once
// The icons a file holds, and a chosen one saved as an icon file or as a
// bitmap. Files are written whole or not at all.
#include <windows.h>

#include <string>

// How many icons `file` holds as a program, a library or an icon file.
int IconCountOf(const std::wstring& file);
// Icon `index` of `file` (the caller's), or null.
HICON ExtractIconOf(const std::wstring& file, int index);

// Saves icon `index` of `source` as an icon file with every image of its
// group (every image of an icon file); where the source holds no such
// group, the one image of `icon`. 0, or the system's reason of a failure.
DWORD SaveIconFile(const std::wstring& target, const std::wstring& source, int index, HICON icon);
// Saves `icon` drawn at `size` x `size` pixels over white as a 24-bit
// bitmap file.
DWORD SaveIconBitmap(const std::wstring& target, HICON icon, int size);
// The background SaveIconBitmap draws on.
inline constexpr COLORREF kIconBitmapBackground = RGB(255, 255, 255);
