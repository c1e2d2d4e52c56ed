#pragma once
// The byte forms an exported listing is written in. The platform supplies
// the code pages (the system's ANSI page, Shift-JIS); UTF-8 and the
// character references of HTML are made here.
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

// Text of an HTML page in `codePage`: each character the page has no form
// for becomes one numeric reference "&#N;" of its code point (a surrogate
// pair is one character; a lone surrogate is written as U+FFFD).
void AppendWithCharacterReferences(std::wstring_view text, const TCodePage& codePage, std::string& out);
