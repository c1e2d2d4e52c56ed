#pragma once
// Name matching against wildcard specs, as the shell matches file masks, and
// the small case folding that name matching and name order share.
#include <string_view>

// The lower-case form of a letter of ASCII, Latin-1, basic Greek, Cyrillic
// or the full-width Latin block; any other character as it is.
wchar_t FoldCase(wchar_t c);

// Whether `name` matches `patterns`: '*' any run (also none), '?' exactly one
// character, letters without regard to case. `patterns` may hold several
// patterns separated by ';' (the leading spaces of each are skipped); the
// name matches when any of them matches. "*" and "*.*" match every name,
// also one without a dot. An empty text matches nothing.
bool MatchesWildcards(std::wstring_view name, std::wstring_view patterns);
