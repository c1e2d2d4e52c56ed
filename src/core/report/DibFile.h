#pragma once
// Reading and writing bitmaps: the bitmap file (a 14-byte file header before
// the BITMAPINFO) and the packed form of the clipboard's CF_DIB (the
// BITMAPINFO with the bits right behind it). The input is untrusted: every
// size, offset and count is checked against the bytes given before it is
// used, pixel data shorter than the header needs leaves the missing rows
// zero, and nothing is read or written outside the buffers.
//
// Only the 40-byte header and the 12-byte core header are taken. 1, 4, 8
// and 24-bit pixels and run-length data are kept as stored; 16 and 32-bit
// pixels become 24-bit rows.
#include "core/report/Dib.h"

#include <cstdint>
#include <span>
#include <vector>

// What a checked header says the storage gets and where its pixels are.
// Planning first lets the platform put the bits where it wants them (a
// file mapping) before they are read.
struct TDibPlan {
    TDibInfo Info;                               // as the storage holds it
    std::array<uint32_t, kMaxDibColors> Colors{};
    uint32_t ImageSize = 0;                      // bytes of pixel data the storage holds
    uint64_t BitsAt = 0;                         // where the stored pixels start in the input
    uint64_t BitsEnd = 0;                        // where they end; never past the input
    int SourceBitCount = 0;                      // 16 or 32 when rows are converted to 24 bits
    uint32_t Masks[3] = {};                      // red, green, blue of 16 and 32-bit pixels
    uint64_t BytesUsed = 0;                      // bytes the bitmap takes from the input
};

// A bitmap file. Raises EDibInvalidDIBFile or EDibInvalidDIB with the
// reader's messages.
TDibPlan PlanDibFile(std::span<const uint8_t> file);
// A packed bitmap of `data.size()` bytes (the size of the clipboard's
// memory block).
TDibPlan PlanPackedDib(std::span<const uint8_t> data);
// Fills `bits` (ImageSize bytes) from the input the plan was made of.
void ReadDibBits(std::span<const uint8_t> input, const TDibPlan& plan, std::span<uint8_t> bits);

TDib LoadDibFile(std::span<const uint8_t> file);
TDib LoadPackedDib(std::span<const uint8_t> data);

// The file: 14-byte header (type "BM", file size, offset to the bits), the
// 40-byte header, the colour table, the bits.
std::vector<uint8_t> SaveDibFile(const TDib& dib);
// The clipboard's CF_DIB block: header, colour table and bits.
std::vector<uint8_t> SavePackedDib(const TDib& dib);
