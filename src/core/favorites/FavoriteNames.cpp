#include "core/favorites/FavoriteNames.h"

namespace {

constexpr std::wstring_view kLinkExtension = L".lnk";

bool EndsWithLink(std::wstring_view name)
{
    if (name.size() < kLinkExtension.size()) return false;
    std::wstring_view tail = name.substr(name.size() - kLinkExtension.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        wchar_t c = tail[i];
        if (c >= L'A' && c <= L'Z') c = wchar_t(c + 32);
        if (c != kLinkExtension[i]) return false;
    }
    return true;
}

}  // namespace

std::wstring FavoriteTitle(std::wstring_view displayName)
{
    std::wstring title;
    for (wchar_t c : displayName)
        if (c >= 32 && std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos) title += c;
    // A name may start with a dot, but not end with one.
    auto space = [](wchar_t c) { return c == L' ' || c == L'\u3000'; };
    size_t first = 0;
    while (first < title.size() && space(title[first])) ++first;
    size_t last = title.size();
    while (last > first && (space(title[last - 1]) || title[last - 1] == L'.')) --last;
    return title.substr(first, last - first);
}

std::wstring FavoriteLinkName(std::wstring_view title)
{
    std::wstring name(title);
    if (!EndsWithLink(name)) name += kLinkExtension;
    return name;
}

std::wstring RenamedFavoriteName(std::wstring_view oldFileName, std::wstring_view typed, bool isFolder)
{
    if (isFolder || !EndsWithLink(oldFileName)) return std::wstring(typed);
    return FavoriteLinkName(typed);
}

std::wstring PathSettingErrorText(std::wstring_view path)
{
    return L"パス設定エラー : \"" + std::wstring(path) + L"\"";
}
