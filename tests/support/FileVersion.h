#pragma once
// A file's version as its resource's fixed block gives it, read with the
// system's calls alone (not the program's reader), for tests to compare
// what the program shows against.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

// "a.b.c.d", or a text in parentheses when the file has no version resource.
inline std::wstring FixedFileVersion(const std::wstring& file)
{
    DWORD handle = 0, size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    std::vector<BYTE> block(size);
    void* value = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoW(file.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", &value, &length))
        return L"(no version resource)";
    auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    std::wostringstream text;
    text << HIWORD(fixed->dwFileVersionMS) << L'.' << LOWORD(fixed->dwFileVersionMS) << L'.'
         << HIWORD(fixed->dwFileVersionLS) << L'.' << LOWORD(fixed->dwFileVersionLS);
    return text.str();
}
