#pragma once
// Where the committed fixtures are, as a Windows path under Wine.
#include <string>

inline std::wstring FixturePath(const std::wstring& name)
{
    std::string folder = QV_FIXTURES;
    std::wstring path = L"Z:";
    for (char c : folder) path += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return path + L"\\" + name;
}
