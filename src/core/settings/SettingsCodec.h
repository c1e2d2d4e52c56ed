#pragma once
// The settings file's bytes: a 12992-byte fixed part, then the counted band,
// window and filter lists, then the file-type text. Little-endian, no
// header, no signature, no version.
#include "core/settings/InitData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kSettingsFixedPartSize = 12992;  // including the band count
constexpr size_t kSettingsEmptyListsSize = 14025; // the smallest sound file

// Text longer than its field is cut at a character boundary (260 or 1024
// bytes); a mask or file-type list keeps the entries that fit whole. An item
// identifier list that is not sound is written as no folder.
std::vector<uint8_t> EncodeSettings(const TInitData& data);

struct TSettingsReadResult {
    // The bytes are not a sound settings file: they end early, hold a count
    // that cannot fit in what is left, an unsound item identifier list, or
    // bytes after the last field. The next save would lose part of them.
    bool Damaged = false;
    std::string Problem; // short English description of the first fault
    size_t BytesRead = 0;
};

// Reads into `into`, which holds the defaults; records are appended to its
// lists. A damaged file is read as far as it is sound: fields not read keep
// their values, a record cut short is not appended, and nothing is allocated
// from a count before the count is checked against the bytes left.
TSettingsReadResult DecodeSettings(const uint8_t* data, size_t size, TInitData& into);
