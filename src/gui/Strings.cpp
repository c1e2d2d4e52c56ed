#include "gui/Strings.h"

#include <windows.h>

static std::wstring MultiToWide(UINT codePage, std::string_view text)
{
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

std::wstring AnsiToWide(std::string_view text) { return MultiToWide(CP_ACP, text); }

std::string WideToAnsi(std::wstring_view text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}
