#pragma once
// The text a report item prints: its Text through its DisplayMask, where a
// numeric text is formatted by a number format.
#include <string>
#include <string_view>

// Separators of the locale the text is printed in.
struct TNumberSeparators {
    wchar_t Thousands = L',';
    wchar_t Decimal = L'.';
};

// A number through a number format: "0" a digit always written, "#" a digit
// written when it counts, "." the decimal point, "," (among the integer
// digits) thousands grouping; text in double or single quotes and any other
// character are copied where they stand ("- ### -" keeps its dashes and
// blanks). Halves round away from zero; a negative number that rounds to
// nothing loses its sign.
std::wstring FormatNumberMask(double value, std::wstring_view mask, TNumberSeparators separators = {});

// Whether a text takes the numeric path: not empty, and only "+", "-", "."
// and digits.
bool IsNumberText(std::wstring_view text);
// Such a text as a number: an optional sign, digits with at most one
// decimal point among them. Raises std::invalid_argument otherwise (two
// decimal points, a sign alone).
double ParseNumberText(std::wstring_view text);

// What an item prints. With a mask and a text both given: a numeric text
// through the number format (a text that is still no number raises), any
// other text as it stands (edit masks are not used by this program);
// otherwise the text itself.
std::wstring ItemDisplayText(std::wstring_view text, std::wstring_view mask, TNumberSeparators separators = {});
