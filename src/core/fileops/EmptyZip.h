#pragma once
// A new, empty zip archive: its name, and its bytes.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

// An archive with no entries is its end-of-central-directory record alone:
// the signature 50 4B 05 06, then zero counts, size, offset and comment.
const std::array<uint8_t, 22>& EmptyZipBytes();

// The first free name of a new archive: "圧縮 (zip 形式) フォルダ新規.zip", then
// "...新規(1).zip", "(2)", ... ; `taken` tells whether a file name is in use
// (the caller asks the disk, which compares names as the file system does).
// Empty when every number up to 9999 is taken.
std::wstring FreeZipFileName(const std::function<bool(const std::wstring&)>& taken);
