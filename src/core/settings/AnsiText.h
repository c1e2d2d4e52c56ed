#pragma once
// Helpers on ANSI text in code page 932 (Shift-JIS), the encoding of the
// settings file's strings and of the other stored formats.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// First byte of a double-byte character: 0x81-0x9F, 0xE0-0xFC.
bool IsLeadByte932(uint8_t b);

// Second byte of a double-byte character: 0x40-0x7E, 0x80-0xFC. None of the
// bytes that separate or quote text (controls, space, '"', ';') is one.
bool IsTrailByte932(uint8_t b);

// Length of the character starting at `pos` (which must be inside `text`):
// 2 for a lead byte followed by a trail byte, otherwise 1. A broken pair
// counts as single bytes, so it never swallows a separator or a quote.
size_t CharLength932(std::string_view text, size_t pos);

// The longest head of `text` of at most `maxBytes` bytes that does not end
// inside a double-byte character.
std::string CutAnsiText(std::string_view text, size_t maxBytes);

// `path` ending with one backslash; a 0x5C that is the second byte of a
// double-byte character (as in "表") is not a backslash.
std::string IncludeTrailingBackslash(std::string_view path);
