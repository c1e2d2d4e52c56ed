#pragma once
// The colour tables the converter maps true-colour pixels onto: the fixed
// palettes (built on first use, kept to the end of the run), palettes made
// for one picture, and the search for the nearest entry. Colours are colour
// table entries, 0x00RRGGBB.
#include "core/report/Dib.h"

#include <cstdint>
#include <span>
#include <vector>

// 6 red x 7 green x 5 blue levels, red slowest, then 5 greys.
std::span<const uint32_t> FixedPalette215();
// Black and white.
std::span<const uint32_t> FixedPalette2();
// The sixteen colours of a standard display.
std::span<const uint32_t> FixedPalette16();

inline uint32_t RgbEntry(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
inline int EntryRed(uint32_t c) { return int(c >> 16 & 0xFF); }
inline int EntryGreen(uint32_t c) { return int(c >> 8 & 0xFF); }
inline int EntryBlue(uint32_t c) { return int(c & 0xFF); }
// A framework colour value 0x00BBGGRR as a colour-table entry.
inline uint32_t EntryOfColorRef(uint32_t colorRef)
{
    return RgbEntry(int(colorRef & 0xFF), int(colorRef >> 8 & 0xFF), int(colorRef >> 16 & 0xFF));
}

// The index of the entry nearest to a colour (squared distance; the lower
// index on a tie). The palette must not be empty.
int NearestEntry(std::span<const uint32_t> palette, int r, int g, int b);

// Nearest entries looked up by colour at 5 bits a channel, for mapping
// whole pictures quickly. A cell is searched the first time it is asked.
class TNearestEntryMap {
public:
    explicit TNearestEntryMap(std::span<const uint32_t> palette);
    uint8_t operator()(int r, int g, int b);

private:
    std::span<const uint32_t> Palette;
    std::vector<int16_t> Map;  // -1: not searched yet
};

// At most `count` colours that stand for the pixels of a 24-bit bitmap
// (median cut over a 5-bit-a-channel histogram).
std::vector<uint32_t> MedianCutPalette(const TDib& trueColor, int count);
