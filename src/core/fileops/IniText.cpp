#include "core/fileops/IniText.h"

#include <optional>

namespace {

std::vector<std::wstring> SplitLines(std::wstring_view text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring_view line = text.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return lines;
}

std::wstring_view Trim(std::wstring_view s)
{
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.remove_suffix(1);
    return s;
}

bool SameName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'a' && x <= L'z') x = wchar_t(x - 32);
        if (y >= L'a' && y <= L'z') y = wchar_t(y - 32);
        if (x != y) return false;
    }
    return true;
}

// The name of a section header line.
std::optional<std::wstring_view> SectionName(std::wstring_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != L'[') return std::nullopt;
    size_t close = line.find(L']');
    if (close == std::wstring_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::wstring_view> KeyOf(std::wstring_view line)
{
    std::wstring_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == L';') return std::nullopt;
    size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

}  // namespace

std::wstring SetIniValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                         std::wstring_view value)
{
    std::vector<std::wstring> lines = SplitLines(text);
    const std::wstring entry = std::wstring(key) + L"=" + std::wstring(value);
    bool inSection = false, done = false;
    size_t insertAt = std::wstring::npos;  // after the section's last non-empty line
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        if (std::optional<std::wstring_view> name = SectionName(lines[i])) {
            if (inSection) break;
            inSection = SameName(*name, section);
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (std::optional<std::wstring_view> k = KeyOf(lines[i]); k && SameName(*k, key)) {
            lines[i] = entry;
            done = true;
        } else if (!Trim(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (!done) {
        if (insertAt != std::wstring::npos) {
            lines.insert(lines.begin() + ptrdiff_t(insertAt), entry);
        } else {
            while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
            if (!lines.empty()) lines.emplace_back();
            lines.push_back(L"[" + std::wstring(section) + L"]");
            lines.push_back(entry);
        }
    }
    std::wstring out;
    for (const std::wstring& line : lines) out += line + L"\r\n";
    return out;
}

std::wstring GetIniValue(std::wstring_view text, std::wstring_view section, std::wstring_view key)
{
    bool inSection = false;
    for (const std::wstring& line : SplitLines(text)) {
        if (std::optional<std::wstring_view> name = SectionName(line)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (std::optional<std::wstring_view> k = KeyOf(line); inSection && k && SameName(*k, key))
            return std::wstring(Trim(std::wstring_view(line).substr(line.find(L'=') + 1)));
    }
    return {};
}

std::vector<unsigned char> Utf16FileBytes(std::wstring_view text)
{
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    return bytes;
}

bool ReadUtf16FileBytes(const std::vector<unsigned char>& bytes, std::wstring& text)
{
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return false;
    text.clear();
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += wchar_t(bytes[i] | bytes[i + 1] << 8);
    return true;
}
