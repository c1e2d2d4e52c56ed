#include "core/export/TextEncoding.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr char32_t kReplacement = 0xFFFD;

// The code point at `i` and the UTF-16 units it takes.
char32_t CodePointAt(std::wstring_view text, size_t i, size_t& length)
{
    wchar_t c = text[i];
    length = 1;
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        length = 2;
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
    return char32_t(c);
}

void AppendCodePointUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// One line at a time, and character by character only in a line that
// does not fit: the code page is asked a few times per line at most.
void AppendLineWithReferences(std::wstring_view line, const TCodePage& codePage, std::string& out)
{
    if (codePage.Append(line, out)) return;
    for (size_t i = 0; i < line.size();) {
        size_t length = 0;
        char32_t cp = CodePointAt(line, i, length);
        if (cp == kReplacement || !codePage.Append(line.substr(i, length), out))
            out += "&#" + std::to_string(uint32_t(cp)) + ';';
        i += length;
    }
}

}  // namespace

void AppendUtf8(std::wstring_view text, std::string& out)
{
    out.reserve(out.size() + text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        char32_t cp = CodePointAt(text, i, length);
        if (cp < 0x80) out += char(cp);
        else AppendCodePointUtf8(cp, out);
        i += length;
    }
}

void AppendWithCharacterReferences(std::wstring_view text, const TCodePage& codePage, std::string& out)
{
    if (codePage.Append(text, out)) return;
    while (!text.empty()) {
        size_t end = text.find(L'\n');
        end = end == std::wstring_view::npos ? text.size() : end + 1;
        AppendLineWithReferences(text.substr(0, end), codePage, out);
        text.remove_prefix(end);
    }
}
