#pragma once
// Setting a value in the text of an INI file ("desktop.ini"), keeping every
// other section, key, comment and line as it was.
#include <string>
#include <string_view>
#include <vector>

// `text` with `key` of `section` set to `value`: the key's line is replaced
// where the section has it (names compared without regard to ASCII case),
// added at the end of the section's lines otherwise, and the section added
// at the end where the text has none. Lines end in CR LF.
std::wstring SetIniValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                         std::wstring_view value);

// The value of `key` in `section`, or empty.
std::wstring GetIniValue(std::wstring_view text, std::wstring_view section, std::wstring_view key);

// A UTF-16 text as the bytes of a file: little-endian with a byte-order mark.
std::vector<unsigned char> Utf16FileBytes(std::wstring_view text);
// The text of file bytes that begin with a UTF-16 little-endian byte-order
// mark; false for any other bytes.
bool ReadUtf16FileBytes(const std::vector<unsigned char>& bytes, std::wstring& text);
