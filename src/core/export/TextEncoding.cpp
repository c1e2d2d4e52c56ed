#include "core/export/TextEncoding.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr char32_t kReplacement = 0xFFFD;

// The code point at `i` and the UTF-16 units it takes (where wchar_t has
// 32 bits, every unit is a code point).
char32_t CodePointAt(std::wstring_view text, size_t i, size_t& length)
{
    char32_t c = char32_t(text[i]);
    length = 1;
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(char32_t(text[i + 1]))) {
        length = 2;
        return 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
    return c;
}

char* PutUtf8(char32_t cp, char* at)
{
    if (cp < 0x80) {
        *at++ = char(cp);
    } else if (cp < 0x800) {
        *at++ = char(0xC0 | (cp >> 6));
        *at++ = char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *at++ = char(0xE0 | (cp >> 12));
        *at++ = char(0x80 | ((cp >> 6) & 0x3F));
        *at++ = char(0x80 | (cp & 0x3F));
    } else {
        *at++ = char(0xF0 | (cp >> 18));
        *at++ = char(0x80 | ((cp >> 12) & 0x3F));
        *at++ = char(0x80 | ((cp >> 6) & 0x3F));
        *at++ = char(0x80 | (cp & 0x3F));
    }
    return at;
}

char* PutReference(char32_t cp, char* at)
{
    *at++ = '&';
    *at++ = '#';
    char digits[12];
    int n = 0;
    do digits[n++] = char('0' + cp % 10);
    while ((cp /= 10) != 0);
    while (n > 0) *at++ = digits[--n];
    *at++ = ';';
    return at;
}

// The most bytes one UTF-16 unit can become: "&#1114111;" for half a pair.
constexpr size_t kMaxBytesPerUnit = 10;

}  // namespace

void AppendUtf8(std::wstring_view text, std::string& out)
{
    char bytes[4];
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        char32_t cp = CodePointAt(text, i, length);
        out.append(bytes, size_t(PutUtf8(cp, bytes) - bytes));
        i += length;
    }
}

// ---- TByteBuffer

char* TByteBuffer::Grow(size_t count)
{
    size_t capacity = std::max(Used + count, Capacity * 2);
    std::unique_ptr<char[]> data(new char[capacity]);
    if (Used) std::memcpy(data.get(), Data.get(), Used);
    Data = std::move(data);
    Capacity = capacity;
    return Data.get() + Used;
}

// ---- TTextEncoder

// A character's bytes in the code page; Length 0 until the page was asked,
// kNone when it has no form there.
struct TTextEncoder::TEntry {
    static constexpr uint8_t kNone = 0xFF;
    uint8_t Length = 0;
    char Bytes[4] = {};
};

TTextEncoder::TTextEncoder(const TCodePage& page, TMissing missing)
    : Page(&page), Missing(missing), Entries(new std::unique_ptr<TEntry[]>[256])
{
}

TTextEncoder::TTextEncoder() : Page(nullptr), Missing(TMissing::Refuse) {}

TTextEncoder::~TTextEncoder() = default;

const TTextEncoder::TEntry& TTextEncoder::EntryOf(wchar_t c)
{
    std::unique_ptr<TEntry[]>& block = Entries[(uint32_t(c) >> 8) & 0xFF];
    if (!block) block.reset(new TEntry[256]);
    TEntry& entry = block[uint32_t(c) & 0xFF];
    if (entry.Length == 0) {
        std::string bytes;
        wchar_t unit = c;
        if (Page->Append(std::wstring_view(&unit, 1), bytes) && !bytes.empty() && bytes.size() <= sizeof entry.Bytes) {
            entry.Length = uint8_t(bytes.size());
            std::memcpy(entry.Bytes, bytes.data(), bytes.size());
        } else {
            entry.Length = TEntry::kNone;
        }
    }
    return entry;
}

// A character outside ASCII at `at`; `units` are its UTF-16 units.
char* TTextEncoder::PutCodePoint(char32_t cp, std::wstring_view units, char* at, bool& refused)
{
    if (!Page) return PutUtf8(cp, at);
    if (cp != kReplacement || units[0] == wchar_t(kReplacement)) {
        // The table holds the basic plane (a wchar_t of 32 bits may hold more).
        if (units.size() == 1 && (uint32_t(units[0]) >> 16) == 0) {
            const TEntry& entry = EntryOf(units[0]);
            if (entry.Length != TEntry::kNone) {
                std::memcpy(at, entry.Bytes, entry.Length);
                return at + entry.Length;
            }
        } else {
            // A pair, asked each time: rare, and most pages hold none.
            std::string bytes;
            if (Page->Append(units, bytes) && bytes.size() <= kMaxBytesPerUnit * 2) {
                std::memcpy(at, bytes.data(), bytes.size());
                return at + bytes.size();
            }
        }
    }
    if (Missing == TMissing::Refuse) {
        refused = true;
        return at;
    }
    return PutReference(cp, at);
}

template <TTextEscape Escape>
bool TTextEncoder::Put(std::wstring_view text, TByteBuffer& out)
{
    // Two quotes and the room for the text.
    char* start = out.Room(text.size() * kMaxBytesPerUnit + 2);
    char* at = start;
    if (Escape == TTextEscape::CsvField) *at++ = '"';
    bool refused = false;
    for (size_t i = 0; i < text.size();) {
        wchar_t c = text[i];
        if (uint32_t(c) < 0x80) {
            ++i;
            if constexpr (Escape == TTextEscape::Html) {
                if (c == L'&' || c == L'<' || c == L'>' || c == L'"') {
                    const char* reference = c == L'&' ? "&amp;" : c == L'<' ? "&lt;" : c == L'>' ? "&gt;" : "&quot;";
                    size_t n = std::strlen(reference);
                    std::memcpy(at, reference, n);
                    at += n;
                    continue;
                }
            } else if constexpr (Escape == TTextEscape::CsvField) {
                if (c == L'"') *at++ = '"';
            }
            *at++ = char(c);
            continue;
        }
        size_t length = 0;
        char32_t cp = CodePointAt(text, i, length);
        at = PutCodePoint(cp, text.substr(i, length), at, refused);
        if (refused) break;
        i += length;
    }
    if (Escape == TTextEscape::CsvField) *at++ = '"';
    out.Added(size_t(at - start));
    return !refused;
}

bool TTextEncoder::Append(std::wstring_view text, TByteBuffer& out, TTextEscape escape)
{
    switch (escape) {
    case TTextEscape::Html: return Put<TTextEscape::Html>(text, out);
    case TTextEscape::CsvField: return Put<TTextEscape::CsvField>(text, out);
    default: return Put<TTextEscape::None>(text, out);
    }
}

std::string TTextEncoder::Encoded(std::wstring_view text)
{
    TByteBuffer bytes;
    Append(text, bytes);
    return std::string(bytes.View());
}
