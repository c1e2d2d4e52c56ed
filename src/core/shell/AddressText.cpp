#include "core/shell/AddressText.h"

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

bool IsFullWindowsPath(const std::wstring& text)
{
    if (text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == L':' && IsSeparator(text[2])) return true;
    // \\server\share: both names present.
    if (text.size() < 5 || !IsSeparator(text[0]) || !IsSeparator(text[1]) || IsSeparator(text[2])) return false;
    size_t share = text.find_first_of(L"\\/", 2);
    return share != std::wstring::npos && share + 1 < text.size() && !IsSeparator(text[share + 1]);
}
