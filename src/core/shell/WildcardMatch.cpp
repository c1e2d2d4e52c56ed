#include "core/shell/WildcardMatch.h"

wchar_t FoldCase(wchar_t c)
{
    const unsigned u = static_cast<unsigned>(c);
    if (u < 0x80) return (u >= 'A' && u <= 'Z') ? wchar_t(u + 0x20) : c;
    if (u < 0x100) {
        // Latin-1 capitals, without the multiplication sign.
        return (u >= 0xC0 && u <= 0xDE && u != 0xD7) ? wchar_t(u + 0x20) : c;
    }
    if (u < 0x370) return u == 0x178 ? wchar_t(0xFF) : c; // Ÿ pairs with ÿ
    if (u < 0x400) {
        if (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) return wchar_t(u + 0x20);
        switch (u) {
        case 0x386: return wchar_t(0x3AC);
        case 0x388: case 0x389: case 0x38A: return wchar_t(u + 0x25);
        case 0x38C: return wchar_t(0x3CC);
        case 0x38E: case 0x38F: return wchar_t(u + 0x3F);
        case 0x3C2: return wchar_t(0x3C3); // final sigma is a sigma
        default: return c;
        }
    }
    if (u < 0x460) {
        if (u >= 0x410 && u <= 0x42F) return wchar_t(u + 0x20);
        if (u < 0x410) return wchar_t(u + 0x50);
        return c;
    }
    if (u >= 0xFF21 && u <= 0xFF3A) return wchar_t(u + 0x20);
    return c;
}

namespace {

// One pattern (no ';' inside). Greedy with a single resume point at the
// last '*': a later star supersedes the earlier ones, so the work stays
// proportional to name length times pattern length, never exponential.
bool MatchOne(std::wstring_view name, std::wstring_view pattern)
{
    if (pattern == L"*.*") return true;
    size_t n = 0, p = 0;
    size_t starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == L'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesWildcards(std::wstring_view name, std::wstring_view patterns)
{
    size_t pos = 0;
    while (pos < patterns.size()) {
        while (pos < patterns.size() && patterns[pos] == L' ') ++pos;
        size_t end = patterns.find(L';', pos);
        if (end == std::wstring_view::npos) end = patterns.size();
        if (MatchOne(name, patterns.substr(pos, end - pos))) return true;
        pos = end + 1;
    }
    return false;
}
