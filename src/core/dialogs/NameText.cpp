#include "core/dialogs/NameText.h"

#include <limits>

size_t FindForbiddenChar(std::wstring_view text, std::wstring_view forbidden)
{
    return text.find_first_of(forbidden);
}

size_t FindForbiddenInTexts(std::initializer_list<const std::wstring*> texts, std::wstring_view forbidden,
                            wchar_t* found)
{
    size_t offset = 0;
    for (const std::wstring* text : texts) {
        size_t at = FindForbiddenChar(*text, forbidden);
        if (at != std::wstring::npos) {
            if (found) *found = (*text)[at];
            return offset + at;
        }
        offset += text->size();
    }
    return std::wstring::npos;
}

std::wstring ForbiddenCharsMessage(std::wstring_view heading, std::wstring_view forbidden)
{
    std::wstring message(heading);
    message += L"\n\u3000\u3000\u3000";
    for (size_t i = 0; i < forbidden.size(); ++i) {
        if (i > 0) message += L' ';
        message += forbidden[i];
    }
    return message;
}

std::wstring RemoveChar(std::wstring_view text, wchar_t c)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t t : text)
        if (t != c) out += t;
    return out;
}

bool IsUsableName(std::wstring_view name)
{
    if (name.empty() || name.size() > 255 || name == L"." || name == L"..") return false;
    if (name.back() == L'.' || name.back() == L' ') return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    return true;
}

wchar_t FoldCaseBasic(wchar_t c)
{
    if (c >= L'a' && c <= L'z') return wchar_t(c - 32);
    // Latin-1 letters, but not the division sign.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return wchar_t(c - 32);
    if (c == 0xFF) return wchar_t(0x178);
    // Full-width Latin letters.
    if (c >= 0xFF41 && c <= 0xFF5A) return wchar_t(c - 0x20);
    return c;
}

std::wstring FoldName(std::wstring_view name, TCharFold fold)
{
    std::wstring out(name);
    for (wchar_t& c : out) c = fold(c);
    return out;
}

std::wstring ReplaceIgnoringCase(std::wstring_view text, std::wstring_view search, std::wstring_view replacement,
                                 TCharFold fold)
{
    if (search.empty() || search.size() > text.size()) return std::wstring(text);
    std::wstring foldedText = FoldName(text, fold);
    std::wstring foldedSearch = FoldName(search, fold);
    std::wstring out;
    size_t from = 0;
    for (;;) {
        size_t at = foldedText.find(foldedSearch, from);
        if (at == std::wstring::npos) break;
        out.append(text.substr(from, at - from));
        out.append(replacement);
        from = at + search.size();
    }
    out.append(text.substr(from));
    return out;
}

std::wstring RunningNumber(int64_t start, int64_t step, int64_t position, int digits)
{
    int64_t offset = 0, value = 0;
    if (__builtin_mul_overflow(position, step, &offset) || __builtin_add_overflow(start, offset, &value))
        value = (position < 0) != (step < 0) ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    bool negative = value < 0;
    // The magnitude as unsigned, so that the smallest value has one too.
    uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    std::wstring text;
    do {
        text.insert(text.begin(), wchar_t(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude);
    if (digits > 0 && text.size() < size_t(digits)) text.insert(0, size_t(digits) - text.size(), L'0');
    if (negative) text.insert(text.begin(), L'-');
    return text;
}

std::wstring_view NameStem(std::wstring_view name)
{
    size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? name : name.substr(0, dot);
}

std::wstring_view NameExtension(std::wstring_view name)
{
    size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

std::wstring AsciiUpper(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
    return out;
}

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c + 32);
    return out;
}
