#include "core/shell/AddressHistory.h"

#include <algorithm>

namespace {

wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

bool SameAddress(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return FoldCase(x) == FoldCase(y);
           });
}

auto FindIgnoringCase(std::vector<std::wstring>& history, const std::wstring& text)
{
    return std::find_if(history.begin(), history.end(), [&](const std::wstring& entry) { return SameAddress(entry, text); });
}

}  // namespace

void RememberAddress(std::vector<std::wstring>& history, const std::wstring& path)
{
    if (path.empty() || std::find(history.begin(), history.end(), path) != history.end()) return;
    history.push_back(path);
    if (history.size() > kMaxAddressHistory) history.erase(history.begin(), history.end() - kMaxAddressHistory);
}

void ForgetAddress(std::vector<std::wstring>& history, const std::wstring& text)
{
    auto entry = FindIgnoringCase(history, text);
    if (entry != history.end()) history.erase(entry);
}
