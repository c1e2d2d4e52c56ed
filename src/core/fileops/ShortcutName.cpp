#include "core/fileops/ShortcutName.h"

namespace {

constexpr std::wstring_view kShortcutSuffix = L" - ショートカット";
constexpr int kLastNumber = 9999;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring ShortcutBaseName(std::wstring_view targetPath)
{
    while (!targetPath.empty() && IsSeparator(targetPath.back())) targetPath.remove_suffix(1);
    // "C:" after "C:\" lost its separator: a drive is named by its letter.
    if (targetPath.size() == 2 && targetPath[1] == L':') return std::wstring(1, targetPath[0]);
    size_t cut = targetPath.find_last_of(L"\\/");
    return std::wstring(cut == std::wstring_view::npos ? targetPath : targetPath.substr(cut + 1));
}

std::wstring FreeShortcutFileName(const std::wstring& baseName, const std::function<bool(const std::wstring&)>& taken)
{
    const std::wstring stem = baseName + std::wstring(kShortcutSuffix);
    for (int number = 1; number <= kLastNumber; ++number) {
        std::wstring name = stem;
        if (number > 1) name += L" (" + std::to_wstring(number) + L")";
        name += L".lnk";
        if (!taken(name)) return name;
    }
    return std::wstring();
}
