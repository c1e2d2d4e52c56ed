#pragma once
// Our own reader of Windows and OS/2 bitmap files, used by the BMP plug-in.
// It reads every DIB form a file can hold (core, OS/2 2.x and Windows
// headers up to version 5; 1, 2, 4, 8, 16, 24 and 32 bits; run-length 4
// and 8; bit fields with and without alpha; top-down rows) and writes one
// plain form every host can draw: 8-bit indexed for palette pictures, 24-bit
// BGR otherwise, rows bottom-up, behind a 40-byte header.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

struct TBmpHeader {
    int32_t Width = 0, Height = 0;  // height as an absolute value
    bool TopDown = false;
    int BitCount = 0;               // as stored in the file
    uint32_t Compression = 0;       // kBiRgb, kBiRle8, kBiRle4, kBiBitfields
    uint32_t Masks[4] = {};         // red, green, blue, alpha (16 and 32 bits)
    std::vector<uint32_t> Palette;  // 0x00RRGGBB, 2^bits entries for indexed forms
    int32_t XPelsPerMeter = 0, YPelsPerMeter = 0;
    uint64_t BitsOffset = 0;

    int OutBitCount() const { return BitCount <= 8 ? 8 : 24; }
    uint32_t OutColors() const { return BitCount <= 8 ? uint32_t(Palette.size()) : 0; }
    size_t OutInfoBytes() const { return 40 + 4 * size_t(OutColors()); }
    uint64_t OutBitsBytes() const;
};

// Whether the head of a file (any length) looks like a bitmap this reader
// takes: "BM" and a known header size.
bool LooksLikeBmp(std::span<const uint8_t> head);

// Reads the headers of a whole file. False with a reason when the file is
// no bitmap or holds a form we do not read (embedded JPEG or PNG, OS/2
// Huffman or 24-bit run-length data, 64-bit pixels).
bool ReadBmpHeader(std::span<const uint8_t> file, TBmpHeader& header, std::string& why);

enum class TBmpDecode { Ok, Aborted };

// Writes the output header into `info` (OutInfoBytes) and the pixels into
// `bits` (OutBitsBytes). Rows missing at the end of a short file stay black.
// `progress` (done, total) is asked between rows; true aborts.
TBmpDecode DecodeBmp(std::span<const uint8_t> file, const TBmpHeader& header, uint8_t* info, uint8_t* bits,
                     const std::function<bool(int, int)>& progress);
