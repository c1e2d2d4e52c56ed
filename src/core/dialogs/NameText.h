#pragma once
// Text rules of the naming dialogs. The dialogs work on UTF-16 text (the
// settings' ANSI strings are converted when they are loaded), so a check
// never meets half of a double-byte character: no UTF-16 unit of another
// character equals an ASCII one, while in Shift-JIS the second byte of "表"
// is 0x5C, a backslash.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// What the naming boxes refuse in a name.
inline constexpr std::wstring_view kNameForbiddenChars = L"\\/:,;*?\"<>|";
// What the mask box refuses: wildcards and the separator are allowed.
inline constexpr std::wstring_view kMaskForbiddenChars = L"\\/:,\"<>|";

// The headings of the messages that list them.
inline constexpr std::wstring_view kNameForbiddenHeading = L"ファイル名には次の文字は使えません。";
inline constexpr std::wstring_view kMaskForbiddenHeading = L"ファイルマスクには次の文字は使えません。";

// Index of the first character of `text` that is in `forbidden`, or npos.
size_t FindForbiddenChar(std::wstring_view text, std::wstring_view forbidden);

// The first forbidden character over several texts taken as one: its
// index in their concatenation (npos when there is none), the character
// through `found`.
size_t FindForbiddenInTexts(std::initializer_list<const std::wstring*> texts, std::wstring_view forbidden,
                            wchar_t* found);

// Two lines: the heading, then three ideographic spaces and the characters
// separated by single spaces.
std::wstring ForbiddenCharsMessage(std::wstring_view heading, std::wstring_view forbidden);

// `text` without any occurrence of `c`.
std::wstring RemoveChar(std::wstring_view text, wchar_t c);

// A name the file system can hold as it is: not empty, at most 255 units,
// no control character, none of \ / : * ? " < > |, not "." or "..", and not
// ending in a dot or a space (Windows would drop those).
bool IsUsableName(std::wstring_view name);

// The upper-case form of one UTF-16 unit, as name comparisons use it.
using TCharFold = wchar_t (*)(wchar_t);
// ASCII, Latin-1 and the full-width Latin letters. The program passes the
// system's own mapping, which the file system follows.
wchar_t FoldCaseBasic(wchar_t c);
std::wstring FoldName(std::wstring_view name, TCharFold fold);

// `text` with every occurrence of `search` replaced, letters compared
// through `fold`; an empty `search` replaces nothing.
std::wstring ReplaceIgnoringCase(std::wstring_view text, std::wstring_view search, std::wstring_view replacement,
                                 TCharFold fold);

// start + position × step, in decimal with at least `digits` digits (leading
// zeros; a longer number is not cut). Computed in 64 bits, saturating, so
// that no start, step and position overflow.
std::wstring RunningNumber(int64_t start, int64_t step, int64_t position, int digits);

// The name before its last dot, and the part from that dot on (empty when
// the name has no dot).
std::wstring_view NameStem(std::wstring_view name);
std::wstring_view NameExtension(std::wstring_view name);

// Letters a-z and A-Z only, as the extension rules change them.
std::wstring AsciiUpper(std::wstring_view text);
std::wstring AsciiLower(std::wstring_view text);
