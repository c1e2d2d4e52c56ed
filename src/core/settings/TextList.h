#pragma once
// A list of strings held as one text, as the settings file stores filter
// masks and file types: entries joined with ';', an entry holding a space,
// a control character, '"' or ';' enclosed in double quotes with its quotes
// doubled.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// An empty list gives an empty text, a list of one empty entry gives "".
std::string JoinTextList(const std::vector<std::string>& entries);

// As above, keeping only the leading entries whose text fits in `maxBytes`.
// Whole entries are dropped rather than the text cut, because a cut text can
// end inside a quoted entry and read back as different entries.
std::string JoinTextList(const std::vector<std::string>& entries, size_t maxBytes);

// Splits at ';' and at runs of spaces and control characters outside quotes;
// a ';' at the very end adds one empty entry. Steps over double-byte
// characters.
std::vector<std::string> SplitTextList(std::string_view text);
