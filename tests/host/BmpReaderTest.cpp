#include "core/viewer/BmpReader.h"
#include "core/viewer/DibLayout.h"
#include "../support/BmpBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using namespace bmptest;

struct TDecoded {
    TBmpHeader Header;
    Bytes Info, Bits;
};

bool Decode(const Bytes& file, TDecoded& d)
{
    std::string why;
    if (!ReadBmpHeader(file, d.Header, why)) return false;
    d.Info.assign(d.Header.OutInfoBytes(), 0xCD);
    d.Bits.assign(size_t(d.Header.OutBitsBytes()), 0xCD);
    return DecodeBmp(file, d.Header, d.Info.data(), d.Bits.data(), nullptr) == TBmpDecode::Ok;
}

// The 3 x 2 reference picture, bottom row first, as 24-bit BGR rows padded
// to 12 bytes: blue, green, red / white, black, grey.
const Bytes kReference24 = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0,
                            255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};

TEST(BmpReader, TrueColourFormsComeOutAs24BitBottomUp)
{
    Bytes topDownRows(kReference24.begin() + 12, kReference24.end());
    topDownRows.insert(topDownRows.end(), kReference24.begin(), kReference24.begin() + 12);
    auto px32 = [](std::initializer_list<uint32_t> v) { return Le32s(v); };
    // 16-bit 5-6-5 and 5-5-5, rows of 3 pixels padded to 8 bytes.
    Bytes rgb565 = {0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0, 0, 0xFF, 0xFF, 0x00, 0x00, 0x10, 0x84, 0, 0};
    Bytes rgb555 = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0, 0, 0xFF, 0x7F, 0x00, 0x00, 0x10, 0x42, 0, 0};
    struct Case { const char* what; TBmpSpec spec; };
    const Case cases[] = {
        {"24-bit", {40, 3, 2, 24, kBiRgb, {}, {}, kReference24}},
        {"24-bit top-down", {40, 3, -2, 24, kBiRgb, {}, {}, topDownRows}},
        {"24-bit v5 header", {124, 3, 2, 24, kBiRgb, {}, {}, kReference24}},
        {"32-bit", {40, 3, 2, 32, kBiRgb, {}, {},
                    px32({0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0, 0x808080})}},
        {"32-bit bit fields, alpha in the top byte", {40, 3, 2, 32, kBiBitfields, Le32s({0xFF00, 0xFF0000, 0xFF000000}), {},
                    px32({0xFF000000, 0x00FF0000, 0x0000FF00, 0xFFFFFF00, 0, 0x80808000})}},
        {"32-bit alpha bit fields", {40, 3, 2, 32, kBiAlphaBitfields, Le32s({0xFF0000, 0xFF00, 0xFF, 0xFF000000}), {},
                    px32({0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF, 0xFF000000, 0xFF808080})}},
        {"32-bit masks in a v3 header", {56, 3, 2, 32, kBiBitfields, Le32s({0xFF0000, 0xFF00, 0xFF, 0}), {},
                    px32({0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0, 0x808080})}},
        {"16-bit 5-6-5", {40, 3, 2, 16, kBiBitfields, Le32s({0xF800, 0x07E0, 0x001F}), {}, rgb565}},
        {"16-bit 5-5-5 by default", {40, 3, 2, 16, kBiRgb, {}, {}, rgb555}},
    };
    for (const Case& c : cases) {
        TDecoded d;
        ASSERT_TRUE(Decode(MakeBmp(c.spec), d)) << c.what;
        EXPECT_EQ(d.Header.OutBitCount(), 24) << c.what;
        EXPECT_EQ(ReadLe32(d.Info.data() + 8), 2u) << c.what;  // positive: bottom-up
        EXPECT_EQ(ReadLe16(d.Info.data() + 14), 24) << c.what;
        for (size_t i = 0; i < kReference24.size(); ++i) {
            if (i % 12 >= 9) continue;  // padding
            // 5- and 6-bit channels scale 16 to 132 and 128 to 130 and 132.
            int tolerance = c.spec.Bits == 16 ? 4 : 0;
            EXPECT_NEAR(d.Bits[i], kReference24[i], tolerance) << c.what << " byte " << i;
        }
    }
}

TEST(BmpReader, PaletteFormsComeOutAs8BitIndices)
{
    Bytes pal4 = Le32s({0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
    Bytes pal3 = {0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0};  // core 3-byte entries
    Bytes os2Pal(256 * 4, 0);
    WriteLe32(os2Pal.data() + 4 * 3, 0x0000FF);
    struct Case { const char* what; TBmpSpec spec; Bytes bottomRow, topRow; uint32_t colour3; };
    const Case cases[] = {
        // Indices: bottom row 1 2 3, top row 3 0 1.
        {"1-bit", {40, 3, 2, 1, kBiRgb, {}, Le32s({0x000000, 0xFFFFFF}), {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
         {1, 0, 1}, {0, 1, 0}, 0},
        {"2-bit", {40, 3, 2, 2, kBiRgb, {}, pal4, {0x6C, 0, 0, 0, 0xC4, 0, 0, 0}}, {1, 2, 3}, {3, 0, 1}, 0x0000FF},
        {"4-bit", {40, 3, 2, 4, kBiRgb, {}, pal4, {0x12, 0x30, 0, 0, 0x30, 0x10, 0, 0}, 4}, {1, 2, 3}, {3, 0, 1},
         0x0000FF},
        {"4-bit core header", {12, 3, 2, 4, kBiRgb, {}, [&] { Bytes p = pal3; p.resize(48); return p; }(),
                               {0x12, 0x30, 0, 0, 0x30, 0x10, 0, 0}}, {1, 2, 3}, {3, 0, 1}, 0x0000FF},
        {"8-bit OS/2 2.x header", {64, 3, 2, 8, kBiRgb, {}, os2Pal, {1, 2, 3, 0, 3, 0, 1, 0}}, {1, 2, 3}, {3, 0, 1},
         0x0000FF},
        {"RLE8 with a run, a literal and a skip", {40, 3, 2, 8, kBiRle8, {}, pal4,
          {1, 1, 0, 3, 2, 3, 0, 0, 0, 0,  /* row 0: one 1, literal 2 3 (padded), end of line */
           1, 3, 0, 2, 1, 0, 1, 1, 0, 1}}, /* row 1: 3, skip one, 1, end */
         {1, 2, 3}, {3, 0, 1}, 0x0000FF},
        {"RLE4", {40, 3, 2, 4, kBiRle4, {}, pal4, {1, 0x10, 2, 0x23, 0, 0, 3, 0x30, 0, 1}},
         {1, 2, 3}, {3, 0, 3}, 0x0000FF},
    };
    for (const Case& c : cases) {
        TDecoded d;
        ASSERT_TRUE(Decode(MakeBmp(c.spec), d)) << c.what;
        EXPECT_EQ(d.Header.OutBitCount(), 8) << c.what;
        uint32_t colors = d.Header.OutColors();
        EXPECT_EQ(colors, 1u << c.spec.Bits) << c.what;
        EXPECT_EQ(ReadLe32(d.Info.data() + 32), colors) << c.what;
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(d.Bits[x], c.bottomRow[x]) << c.what << " bottom " << x;
            EXPECT_EQ(d.Bits[4 + x], c.topRow[x]) << c.what << " top " << x;
        }
        if (colors > 3) EXPECT_EQ(ReadLe32(d.Info.data() + 40 + 12), c.colour3) << c.what;
    }
}

TEST(BmpReader, FormsWeDoNotReadAreRefused)
{
    struct Case { const char* what; TBmpSpec spec; };
    const Case cases[] = {
        {"JPEG inside", {40, 3, 2, 24, kBiJpeg, {}, {}, kReference24}},
        {"PNG inside", {40, 3, 2, 24, kBiPng, {}, {}, kReference24}},
        {"64 bits", {40, 3, 2, 64, kBiRgb, {}, {}, kReference24}},
        {"bit count 0", {40, 3, 2, 0, kBiRgb, {}, {}, kReference24}},
        {"OS/2 Huffman", {64, 3, 2, 1, 3, {}, Bytes(8), kReference24}},
        {"zero masks", {40, 3, 2, 32, kBiBitfields, Le32s({0, 0, 0}), {}, kReference24}},
        {"bit fields on 24 bits", {40, 3, 2, 24, kBiBitfields, Le32s({0xFF, 0xFF00, 0xFF0000}), {}, kReference24}},
        {"top-down RLE", {40, 3, -2, 8, kBiRle8, {}, Bytes(1024), {0, 1}}},
        {"width 0", {40, 0, 2, 24, kBiRgb, {}, {}, kReference24}},
        {"height 0", {40, 3, 0, 24, kBiRgb, {}, {}, kReference24}},
        {"header size 100", {100, 3, 2, 24, kBiRgb, {}, {}, kReference24}},
    };
    for (const Case& c : cases) {
        TBmpHeader h;
        std::string why;
        EXPECT_FALSE(ReadBmpHeader(MakeBmp(c.spec), h, why)) << c.what;
    }
    Bytes good = MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, kReference24});
    TBmpHeader h;
    std::string why;
    WriteLe32(good.data() + 10, uint32_t(good.size() + 1));  // bits past the end
    EXPECT_FALSE(ReadBmpHeader(good, h, why));
    good.resize(20);
    EXPECT_FALSE(ReadBmpHeader(good, h, why));
    EXPECT_FALSE(LooksLikeBmp(Bytes{'B', 'M'}));
}

TEST(BmpReader, ShortFileKeepsMissingRowsBlackAndProgressCanAbort)
{
    Bytes file = MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, kReference24});
    file.resize(file.size() - 12);  // the top row is missing
    TDecoded d;
    ASSERT_TRUE(Decode(file, d));
    EXPECT_EQ(d.Bits[0], 255);
    EXPECT_EQ(d.Bits[12], 0);

    TBmpSpec tall{40, 1, 200, 24, kBiRgb, {}, {}, Bytes(200 * 4, 7)};
    Bytes big = MakeBmp(tall);
    TBmpHeader h;
    std::string why;
    ASSERT_TRUE(ReadBmpHeader(big, h, why));
    Bytes info(h.OutInfoBytes()), bits(size_t(h.OutBitsBytes()));
    int calls = 0;
    auto stopAtOnce = [&](int done, int total) { ++calls; EXPECT_EQ(total, 200); return true; };
    EXPECT_EQ(DecodeBmp(big, h, info.data(), bits.data(), stopAtOnce), TBmpDecode::Aborted);
    EXPECT_EQ(calls, 1);
}

TEST(BmpReader, MangledFilesNeverReadOrWriteOutOfBounds)
{
    const TBmpSpec seeds[] = {
        {40, 3, 2, 24, kBiRgb, {}, {}, kReference24},
        {40, 3, 2, 8, kBiRle8, {}, Bytes(16), {1, 1, 0, 3, 2, 3, 0, 0, 0, 2, 5, 5, 0, 0, 0, 1}},
        {40, 5, 3, 4, kBiRle4, {}, Bytes(64), {4, 0x12, 0, 5, 1, 2, 3, 0, 0, 0, 0, 1}},
        {108, 3, 2, 16, kBiBitfields, Le32s({0xF800, 0x07E0, 0x001F}), {}, Bytes(16, 0x5A)},
        {12, 3, 2, 1, kBiRgb, {}, Bytes(6), Bytes(8, 0xFF)},
    };
    std::mt19937 rng(5);
    for (const TBmpSpec& seed : seeds) {
        Bytes original = MakeBmp(seed);
        for (int round = 0; round < 300; ++round) {
            Bytes f = original;
            int edits = 1 + int(rng() % 4);
            for (int e = 0; e < edits; ++e) f[rng() % f.size()] = uint8_t(rng());
            if (rng() % 3 == 0) f.resize(rng() % f.size() + 1);
            TBmpHeader h;
            std::string why;
            if (!ReadBmpHeader(f, h, why)) continue;
            if (h.OutBitsBytes() > (1u << 24)) continue;  // a mangled size: too big to try here
            Bytes info(h.OutInfoBytes()), bits(size_t(h.OutBitsBytes()));
            DecodeBmp(f, h, info.data(), bits.data(), nullptr);
        }
    }
}

}  // namespace
