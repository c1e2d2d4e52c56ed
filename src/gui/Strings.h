#pragma once
// Conversions between the program's UTF-16 text and the ANSI code page
// (Shift-JIS on Japanese systems), which stored formats and peers use.
#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
// For text the settings file keeps: characters the ANSI code page has no
// form for are left out, instead of turning into '?' (which the naming
// boxes refuse when the text comes back).
std::string WideToAnsiDroppingUnmapped(std::wstring_view text);
