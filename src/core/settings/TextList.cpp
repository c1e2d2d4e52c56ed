#include "core/settings/TextList.h"

#include "core/settings/AnsiText.h"

#include <limits>

namespace {

bool IsBlank(char c)
{
    return uint8_t(c) <= 32;
}

bool NeedsQuotes(std::string_view entry)
{
    for (size_t i = 0; i < entry.size(); i += CharLength932(entry, i)) {
        char c = entry[i];
        if (IsBlank(c) || c == '"' || c == ';') return true;
    }
    return false;
}

void AppendEntry(std::string& out, std::string_view entry)
{
    if (!NeedsQuotes(entry)) {
        out += entry;
        return;
    }
    out += '"';
    for (char c : entry) {
        // A quote is never the second byte of a double-byte character.
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string JoinTextList(const std::vector<std::string>& entries)
{
    return JoinTextList(entries, std::numeric_limits<size_t>::max());
}

std::string JoinTextList(const std::vector<std::string>& entries, size_t maxBytes)
{
    std::string out;
    size_t kept = 0;
    for (const std::string& entry : entries) {
        size_t before = out.size();
        if (kept > 0) out += ';';
        AppendEntry(out, entry);
        if (out.size() > maxBytes) {
            out.resize(before);
            break;
        }
        ++kept;
    }
    // Without the quotes a lone empty entry would read back as no entry.
    if (kept == 1 && out.empty()) out = maxBytes >= 2 ? "\"\"" : "";
    return out;
}

std::vector<std::string> SplitTextList(std::string_view text)
{
    std::vector<std::string> entries;
    size_t n = text.size();
    size_t i = 0;
    while (i < n && IsBlank(text[i])) ++i;
    while (i < n) {
        std::string entry;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        entry += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                size_t len = CharLength932(text, i);
                entry.append(text.substr(i, len));
                i += len;
            }
        } else {
            size_t start = i;
            while (i < n && !IsBlank(text[i]) && text[i] != ';') i += CharLength932(text, i);
            entry.assign(text.substr(start, i - start));
        }
        entries.push_back(std::move(entry));
        while (i < n && IsBlank(text[i])) ++i;
        if (i < n && text[i] == ';') {
            ++i;
            if (i == n) entries.emplace_back();
            while (i < n && IsBlank(text[i])) ++i;
        }
    }
    return entries;
}
