#pragma once
// Bitmap files built byte by byte for the host tests of the bitmap readers.
#include "core/viewer/DibLayout.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace bmptest {

using Bytes = std::vector<uint8_t>;

struct TBmpSpec {
    uint32_t HeaderSize = 40;
    int32_t Width = 3, Height = 2;
    int Bits = 24;
    uint32_t Compression = kBiRgb;
    Bytes Masks;      // after a 40-byte header, or inside a bigger one
    Bytes Palette;    // entries already in their stored size
    Bytes Pixels;     // stored rows
    uint32_t ClrUsed = 0;
};

inline Bytes MakeBmp(const TBmpSpec& s)
{
    Bytes f(14 + s.HeaderSize);
    f[0] = 'B', f[1] = 'M';
    uint8_t* h = f.data() + 14;
    WriteLe32(h, s.HeaderSize);
    if (s.HeaderSize == 12) {
        WriteLe16(h + 4, uint16_t(s.Width));
        WriteLe16(h + 6, uint16_t(s.Height));
        WriteLe16(h + 8, 1);
        WriteLe16(h + 10, uint16_t(s.Bits));
    } else {
        WriteLe32(h + 4, uint32_t(s.Width));
        WriteLe32(h + 8, uint32_t(s.Height));
        WriteLe16(h + 12, 1);
        WriteLe16(h + 14, uint16_t(s.Bits));
        WriteLe32(h + 16, s.Compression);
        WriteLe32(h + 24, 3780);
        WriteLe32(h + 28, 3780);
        WriteLe32(h + 32, s.ClrUsed);
        if (s.HeaderSize >= 52)
            for (size_t i = 0; i < s.Masks.size() && 40 + i < s.HeaderSize; ++i) h[40 + i] = s.Masks[i];
    }
    if (s.HeaderSize < 52) f.insert(f.end(), s.Masks.begin(), s.Masks.end());
    f.insert(f.end(), s.Palette.begin(), s.Palette.end());
    WriteLe32(f.data() + 10, uint32_t(f.size()));
    f.insert(f.end(), s.Pixels.begin(), s.Pixels.end());
    WriteLe32(f.data() + 2, uint32_t(f.size()));
    return f;
}

inline Bytes Le32s(std::initializer_list<uint32_t> values)
{
    Bytes b;
    for (uint32_t v : values) {
        b.resize(b.size() + 4);
        WriteLe32(b.data() + b.size() - 4, v);
    }
    return b;
}

} // namespace bmptest
