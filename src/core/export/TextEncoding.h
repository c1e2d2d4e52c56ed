#pragma once
// The byte forms an exported listing is written in. The platform supplies
// the code pages (the system's ANSI page, Shift-JIS); UTF-8, the escapes
// and the character references of HTML are made here.
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TCodePage {
public:
    virtual ~TCodePage() = default;
    // Appends `text` in the code page and returns true when every character
    // has a form of its own there (no best-fit look-alike, no default
    // character); otherwise returns false and leaves `out` as it was.
    virtual bool Append(std::wstring_view text, std::string& out) const = 0;
};

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::wstring_view text, std::string& out);
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Bytes gathered without filling room that is not used.
class TByteBuffer {
public:
    // Room for at least `count` more bytes; say with Added how many were written.
    char* Room(size_t count) { return Capacity - Used >= count ? Data.get() + Used : Grow(count); }
    void Added(size_t count) { Used += count; }
    void Append(std::string_view bytes)
    {
        std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
        Used += bytes.size();
    }
    std::string_view View() const { return {Data.get(), Used}; }
    size_t Size() const { return Used; }
    void Clear() { Used = 0; }

private:
    char* Grow(size_t count);

    std::unique_ptr<char[]> Data;
    size_t Used = 0, Capacity = 0;
};

// How a text goes into the listing.
enum class TTextEscape {
    None,
    Html,      // '&', '<', '>', '"' as references
    CsvField,  // in quotes, a quote inside doubled
};

// Encodes a listing's texts. In a code page each character is asked of the
// page once and remembered (every system code page encodes characters one
// by one, ASCII as itself); UTF-8 is made here.
class TTextEncoder {
public:
    // What becomes of a character the code page cannot hold.
    enum class TMissing {
        Refuse,     // the text is refused (the listing is written in UTF-8 instead)
        Reference,  // one HTML reference "&#N;" of its code point
    };
    TTextEncoder(const TCodePage& page, TMissing missing);
    TTextEncoder();  // UTF-8
    ~TTextEncoder();
    TTextEncoder(const TTextEncoder&) = delete;
    TTextEncoder& operator=(const TTextEncoder&) = delete;

    // False when a character was refused (part of the text may be written).
    bool Append(std::wstring_view text, TByteBuffer& out, TTextEscape escape = TTextEscape::None);
    // A constant text, encoded once.
    std::string Encoded(std::wstring_view text);

private:
    template <TTextEscape Escape>
    bool Put(std::wstring_view text, TByteBuffer& out);
    struct TEntry;
    const TEntry& EntryOf(wchar_t c);
    char* PutCodePoint(char32_t codePoint, std::wstring_view units, char* at, bool& refused);

    const TCodePage* Page;
    TMissing Missing;
    std::unique_ptr<std::unique_ptr<TEntry[]>[]> Entries;  // 256 blocks of 256, made when first used
};
