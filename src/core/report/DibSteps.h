#pragma once
// What the conversion steps share: their input checks and pixel access.
#include "core/report/Dib.h"

#include <cstdint>
#include <span>

// Raises EDibBadDIBType "<step>: <reason>".
[[noreturn]] void FailDibStep(const char* step, const char* reason);
// The step takes plain rows of `bits` bits: another bit count raises
// "Invalid Bitcount", compressed rows "Invalid Bitcount or Compression".
void RequirePlainDib(const TDib& dib, const char* step, int bits);
// The step takes exactly this bit count and compression, otherwise "Invalid
// Bitcount & Compression Combination".
void RequireDibForm(const TDib& dib, const char* step, int bits, uint32_t compression);

// A bitmap of the same size and resolution in another form: plain rows
// zeroed (compressed ones empty) and the given colour table.
TDib ReshapedDib(const TDib& like, int bits, uint32_t compression, std::span<const uint32_t> colors);

inline int PixelIndex(const uint8_t* row, int bits, int32_t x)
{
    switch (bits) {
    case 1: return row[x >> 3] >> (7 - (x & 7)) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
    }
}

inline void SetPixelIndex(uint8_t* row, int bits, int32_t x, int index)
{
    switch (bits) {
    case 1: {
        uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = uint8_t(index & 1 ? row[x >> 3] | bit : row[x >> 3] & ~bit);
        break;
    }
    case 4:
        row[x >> 1] = uint8_t((x & 1) ? (row[x >> 1] & 0xF0) | (index & 0x0F) : (row[x >> 1] & 0x0F) | index << 4);
        break;
    default: row[x] = uint8_t(index); break;
    }
}
