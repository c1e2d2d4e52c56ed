#include "core/fileops/CopyName.h"

namespace {

constexpr wchar_t kCopySuffix[] = L" - コピー";
constexpr int kLastNumber = 9999;

}  // namespace

std::wstring FreeCopyName(const std::wstring& name, bool folder, const std::function<bool(const std::wstring&)>& taken)
{
    size_t dot = folder ? std::wstring::npos : name.find_last_of(L'.');
    if (dot == 0) dot = std::wstring::npos;
    const std::wstring stem = name.substr(0, dot) + kCopySuffix;
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
    for (int number = 1; number <= kLastNumber; ++number) {
        std::wstring candidate = stem;
        if (number > 1) candidate += L" (" + std::to_wstring(number) + L")";
        candidate += extension;
        if (!taken(candidate)) return candidate;
    }
    return std::wstring();
}
