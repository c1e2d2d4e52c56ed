#include "core/settings/AnsiText.h"

bool IsLeadByte932(uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte932(uint8_t b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

size_t CharLength932(std::string_view text, size_t pos)
{
    if (IsLeadByte932(uint8_t(text[pos])) && pos + 1 < text.size() && IsTrailByte932(uint8_t(text[pos + 1])))
        return 2;
    return 1;
}

std::string CutAnsiText(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes) return std::string(text);
    size_t end = 0;
    while (end < text.size()) {
        size_t len = CharLength932(text, end);
        if (end + len > maxBytes) break;
        end += len;
    }
    return std::string(text.substr(0, end));
}

std::string IncludeTrailingBackslash(std::string_view path)
{
    bool endsWithBackslash = false;
    for (size_t i = 0; i < path.size();) {
        size_t len = CharLength932(path, i);
        endsWithBackslash = len == 1 && path[i] == '\\';
        i += len;
    }
    std::string result(path);
    if (!endsWithBackslash) result += '\\';
    return result;
}
