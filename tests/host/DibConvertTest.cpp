#include "core/report/DibConvert.h"
#include "core/report/DibPalettes.h"
#include "core/viewer/DibLayout.h"
#include "DibTestHelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using Bytes = std::vector<uint8_t>;

TDib RleDib(int bits, int32_t width, int32_t height, Bytes data, int colors = 4)
{
    TDib dib = CreateDib(width, height, colors, bits);
    for (int i = 0; i < colors; ++i) dib.Colors[size_t(i)] = RgbEntry(i * 60, i * 60, i * 60);
    dib.Info.Compression = bits == 8 ? kBiRle8 : kBiRle4;
    dib.Bits = std::move(data);
    return dib;
}

int IndexAt(const TDib& dib, int32_t x, int32_t y)
{
    const uint8_t* row = dib.Bits.data() + uint64_t(y) * dib.Stride();
    switch (dib.Info.BitCount) {
    case 1: return row[x / 8] >> (7 - x % 8) & 1;
    case 4: return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    default: return row[x];
    }
}

// The colour of a pixel as a colour-table entry, whatever the form.
uint32_t ColourAt(const TDib& dib, int32_t x, int32_t y)
{
    if (dib.Info.BitCount == 24) {
        const uint8_t* p = dib.Bits.data() + uint64_t(y) * dib.Stride() + 3 * size_t(x);
        return RgbEntry(p[2], p[1], p[0]);
    }
    return dib.Colors[size_t(IndexAt(dib, x, y))];
}

// A picture of given colours, one per pixel, in 24 bits.
TDib TrueColour(int32_t width, int32_t height, const std::vector<uint32_t>& pixels)
{
    TDib dib = CreateDib(width, height, 0, 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint32_t c = pixels[size_t(y * width + x) % pixels.size()];
            uint8_t* p = dib.Bits.data() + uint64_t(y) * dib.Stride() + 3 * size_t(x);
            p[0] = uint8_t(EntryBlue(c)), p[1] = uint8_t(EntryGreen(c)), p[2] = uint8_t(EntryRed(c));
        }
    return dib;
}

TEST(DibConvert, RunLengthDataDecodesAndSkippedPixelsTakeTheBackground)
{
    TDibConvertOptions options;
    options.Background = 0x3C3C3C;  // entry 1 of the grey table
    // 5 x 3: row 0 "2 2 2 | literal 0 3 0 (padded)", end of line; row 1: move 2 right and 1 up, run of 1.
    TDib rle8 = RleDib(8, 5, 3, {2, 2, 0, 3, 0, 3, 0, 0, 0, 0, 0, 2, 2, 1, 1, 3, 0, 1});
    TDib out = Convert8BitRLETo8BitRGB(rle8, options);
    EXPECT_EQ(out.Info.Compression, kBiRgb);
    EXPECT_EQ(out.Info.Height, 3);
    const int expected8[3][5] = {{2, 2, 0, 3, 0}, {1, 1, 1, 1, 1}, {1, 1, 3, 1, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(out, x, y), expected8[y][x]) << x << "," << y;

    // Run-length 4: a run alternates its two nibbles; a literal of 3 nibbles takes 2 bytes.
    TDib rle4 = RleDib(4, 5, 1, {5, 0x12, 0, 1}, 4);
    out = Convert4BitRLETo4BitRGB(rle4, options);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(out, x, 0), x % 2 ? 2 : 1);
    out = Convert4BitRLETo4BitRGB(RleDib(4, 4, 1, {0, 3, 0x23, 0x10, 0, 1}, 4), options);
    EXPECT_EQ(IndexAt(out, 0, 0), 2);
    EXPECT_EQ(IndexAt(out, 2, 0), 1);
    EXPECT_EQ(IndexAt(out, 3, 0), 1);  // skipped: background
}

TEST(DibConvert, RunLengthOverrunsAreBadData)
{
    struct Case { int bits; int32_t width, height; Bytes data; const char* failure; };
    const Case cases[] = {
        {8, 4, 2, {4, 1, 0}, "Convert8BitRLETo8BitRGB: Bad RLE Data 1"},
        {8, 4, 2, {0, 5, 1, 2}, "Convert8BitRLETo8BitRGB: Bad RLE Data 1"},
        {8, 4, 2, {0, 2, 1}, "Convert8BitRLETo8BitRGB: Bad RLE Data 1"},
        {8, 4, 2, {3, 1, 2, 1}, "Convert8BitRLETo8BitRGB: Bad RLE Data 2"},
        {8, 4, 2, {255, 1}, "Convert8BitRLETo8BitRGB: Bad RLE Data 2"},
        {8, 4, 2, {1, 1, 0, 4, 1, 2, 3, 4}, "Convert8BitRLETo8BitRGB: Bad RLE Data 3"},
        {8, 4, 2, {0, 2, 0, 2, 1, 1}, "Convert8BitRLETo8BitRGB: Bad RLE Data 4"},
        {8, 4, 2, {0, 2, 5, 0}, "Convert8BitRLETo8BitRGB: Bad RLE Data 4"},
        {8, 4, 2, {0, 0, 0, 0, 1, 7}, "Convert8BitRLETo8BitRGB: Bad RLE Data 4"},
        {4, 8, 2, {7}, "Convert4BitRLETo4BitRGB: Bad RLE Data 5"},
        {4, 8, 2, {0, 9, 0x11, 0x11}, "Convert4BitRLETo4BitRGB: Bad RLE Data 5"},
        {4, 8, 2, {9, 0x11}, "Convert4BitRLETo4BitRGB: Bad RLE Data 6"},
        {4, 8, 2, {2, 0x11, 0, 7, 0x11, 0x11, 0x11, 0x10}, "Convert4BitRLETo4BitRGB: Bad RLE Data 7"},
        {4, 8, 2, {0, 2, 0, 3}, "Convert4BitRLETo4BitRGB: Bad RLE Data 8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DibFailure([&] {
                      TDib dib = RleDib(c.bits, c.width, c.height, c.data);
                      if (c.bits == 8) Convert8BitRLETo8BitRGB(dib, {});
                      else Convert4BitRLETo4BitRGB(dib, {});
                  }),
                  std::string("EDibBadDIBType: ") + c.failure);
    // Runs may fill a row's padding: an odd run-length 4 width rounded up,
    // and data that stops without its end code.
    EXPECT_NO_THROW(Convert4BitRLETo4BitRGB(RleDib(4, 3, 1, {4, 0x12}), {}));
    EXPECT_NO_THROW(Convert8BitRLETo8BitRGB(RleDib(8, 3, 2, {4, 1, 0, 0, 4, 1, 0, 0, 0, 1}), {}));
}

TEST(DibConvert, RunLengthEncodingDecodesToTheSamePixels)
{
    std::mt19937 rng(7);
    for (int bits : {4, 8}) {
        for (int32_t height : {5, -5}) {
            TDib plain = CreateDib(37, height, 1 << bits, bits);
            for (int32_t y = 0; y < 5; ++y)
                for (int32_t x = 0; x < 37;) {
                    // Stretches of one value and of noise, of every length.
                    int length = int(rng() % 6) + 1, value = int(rng() % (1u << bits));
                    bool noise = rng() % 2;
                    for (int k = 0; k < length && x < 37; ++k, ++x) {
                        uint8_t* row = plain.Bits.data() + uint64_t(y) * plain.Stride();
                        int v = noise ? int(rng() % (1u << bits)) : value;
                        if (bits == 8) row[x] = uint8_t(v);
                        else row[x / 2] = uint8_t(x % 2 ? (row[x / 2] & 0xF0) | v : (row[x / 2] & 0x0F) | v << 4);
                    }
                }
            TDib rle = bits == 8 ? Convert8BitRGBTo8BitRLE(plain) : Convert4BitRGBTo4BitRLE(plain);
            EXPECT_EQ(rle.Info.Height, 5);  // run-length rows are always bottom-up
            EXPECT_EQ(rle.Info.SizeImage, rle.ImageSize());
            TDib back = bits == 8 ? Convert8BitRLETo8BitRGB(rle, {}) : Convert4BitRLETo4BitRGB(rle, {});
            for (int32_t y = 0; y < 5; ++y)
                for (int32_t x = 0; x < 37; ++x)
                    ASSERT_EQ(IndexAt(back, x, y), IndexAt(plain, x, height < 0 ? 4 - y : y))
                        << bits << " bits, height " << height << ", pixel " << x << "," << y;
        }
    }
    TDib wide = CreateDib(600, 1, 256, 8);  // runs longer than 255
    EXPECT_EQ(Convert8BitRLETo8BitRGB(Convert8BitRGBTo8BitRLE(wide), {}).Bits, wide.Bits);
}

TEST(DibConvert, EveryFormatReachesEveryOtherAndKeepsATwoColourPicture)
{
    // Black and white are in every palette, so no step may change a pixel.
    const TDib picture = TrueColour(7, -3, {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF});
    const TDibFormat formats[] = {TDibFormat::Bits1,    TDibFormat::Bits4, TDibFormat::Bits4Rle,
                                  TDibFormat::Bits8,    TDibFormat::Bits8Rle, TDibFormat::Bits24,
                                  TDibFormat::Fixed215, TDibFormat::Fixed2};
    for (int option : {kConvertLow, kConvertHigh}) {
        TDibConvertOptions options;
        options.Option = option;
        for (TDibFormat from : formats) {
            if (from == TDibFormat::Fixed215 || from == TDibFormat::Fixed2) continue;
            const TDib source = ConvertDibFormat(picture, from, options);
            ASSERT_EQ(GetDibFormat(source), from);
            const TDib before = source;
            for (TDibFormat to : formats) {
                TDib out = ConvertDibFormat(source, to, options);
                EXPECT_EQ(out.Info.BitCount, FormatBitCount(to));
                if (to != TDibFormat::Fixed215 && to != TDibFormat::Fixed2) EXPECT_EQ(GetDibFormat(out), to);
                TDib rgb = ConvertDibFormat(out, TDibFormat::Bits24, options);
                for (int32_t y = 0; y < 3; ++y)
                    for (int32_t x = 0; x < 7; ++x)
                        ASSERT_EQ(ColourAt(rgb, x, rgb.TopDown() == picture.TopDown() ? y : 2 - y), ColourAt(picture, x, y))
                            << int(from) << " -> " << int(to) << " option " << option << " at " << x << "," << y;
            }
            EXPECT_EQ(source, before);  // the input of a conversion is left alone
        }
    }
}

TEST(DibConvert, ReductionsUseTheColoursTheyCan)
{
    // An 8-bit picture using 5 of its 256 entries fits 4 bits exactly.
    TDib eight = CreateDib(5, 1, 256, 8);
    for (int i = 0; i < 256; ++i) eight.Colors[size_t(i)] = uint32_t(i) * 0x010101;
    for (int x = 0; x < 5; ++x) eight.Bits[size_t(x)] = uint8_t(50 * x);
    TDib four = Convert8BitRGBTo4BitRGB(eight, {});
    EXPECT_EQ(four.Info.ClrUsed, 5u);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(ColourAt(four, x, 0), ColourAt(eight, x, 0));

    // Pure colours of the fixed palettes come out exactly with Low; four
    // far-apart colours make High's palette.
    TDib rgb = TrueColour(4, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    for (auto step : {ConvertTrueColorTo8BitRGBLow, ConvertTrueColorTo8BitRGBHigh, ConvertTrueColorTo4BitRGBLow,
                      ConvertTrueColorTo4BitRGBHigh}) {
        TDib out = step(rgb, {});
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(ColourAt(out, x, y), ColourAt(rgb, x, y));
    }
    EXPECT_EQ(ConvertTrueColorTo8BitRGBHigh(rgb, {}).Info.ClrUsed, 4u);

    // A smooth picture of many colours: High's own palette comes closer than Low's.
    std::vector<uint32_t> ramp;
    for (int i = 0; i < 64; ++i) ramp.push_back(RgbEntry(i * 4, 128 + i, 255 - i * 2));
    TDib smooth = TrueColour(64, 1, ramp);
    auto error = [&](const TDib& out) {
        long sum = 0;
        for (int32_t x = 0; x < 64; ++x) {
            uint32_t a = ColourAt(out, x, 0), b = ramp[size_t(x)];
            sum += std::abs(EntryRed(a) - EntryRed(b)) + std::abs(EntryGreen(a) - EntryGreen(b)) +
                   std::abs(EntryBlue(a) - EntryBlue(b));
        }
        return sum;
    };
    EXPECT_LT(error(ConvertTrueColorTo4BitRGBHigh(smooth, {})), error(ConvertTrueColorTo4BitRGBLow(smooth, {})));
    std::set<uint32_t> used;
    TDib high = ConvertTrueColorTo4BitRGBHigh(smooth, {});
    for (int32_t x = 0; x < 64; ++x) used.insert(ColourAt(high, x, 0));
    EXPECT_LE(used.size(), 16u);
    EXPECT_GT(used.size(), 8u);
}

TEST(DibConvert, FixedPalettes)
{
    std::span<const uint32_t> p215 = FixedPalette215();
    ASSERT_EQ(p215.size(), 215u);
    EXPECT_EQ(p215[0], 0x000000u);
    EXPECT_EQ(p215[209], 0xFFFFFFu);  // the last of the 6 x 7 x 5 levels
    EXPECT_EQ(std::set<uint32_t>(p215.begin(), p215.end()).size(), 215u);
    for (size_t i = 210; i < 215; ++i) EXPECT_EQ(EntryRed(p215[i]), EntryBlue(p215[i]));  // greys
    ASSERT_EQ(FixedPalette2().size(), 2u);
    EXPECT_EQ(FixedPalette2()[1], 0xFFFFFFu);
    EXPECT_EQ(FixedPalette215().data(), p215.data());  // built once

    TDib fixed = ConvertDibFormat(TrueColour(2, 1, {0x336699, 0xFF0000}), TDibFormat::Fixed215, {});
    EXPECT_EQ(fixed.Info.BitCount, 8);
    EXPECT_EQ(fixed.Info.ClrUsed, 215u);
    EXPECT_EQ(ColourAt(fixed, 1, 0), 0xFF0000u);
    TDib bw = ConvertDibFormat(TrueColour(2, 1, {0x202020, 0xE0E0E0}), TDibFormat::Fixed2, {});
    EXPECT_EQ(bw.Info.ClrUsed, 2u);
    EXPECT_EQ(ColourAt(bw, 0, 0), 0x000000u);
    EXPECT_EQ(ColourAt(bw, 1, 0), 0xFFFFFFu);
}

TEST(DibConvert, StepsRefuseFormsTheyDoNotTake)
{
    TDib eight = CreateDib(2, 2, 256, 8), four = CreateDib(2, 2, 16, 4), rgb = CreateDib(2, 2, 0, 24);
    TDib rle8 = RleDib(8, 2, 2, {0, 1});
    struct Case { std::string failure; std::function<void()> step; };
    const Case cases[] = {
        {"Convert8BitRLETo8BitRGB: Invalid Bitcount & Compression Combination", [&] { Convert8BitRLETo8BitRGB(eight, {}); }},
        {"Convert4BitRLETo4BitRGB: Invalid Bitcount & Compression Combination", [&] { Convert4BitRLETo4BitRGB(rle8, {}); }},
        {"Convert8BitRGBTo8BitRLE: Invalid Bitcount & Compression Combination", [&] { Convert8BitRGBTo8BitRLE(rle8); }},
        {"Convert4BitRGBTo4BitRLE: Invalid Bitcount & Compression Combination", [&] { Convert4BitRGBTo4BitRLE(eight); }},
        {"Convert1BitRGBTo4BitRGB: Invalid Bitcount", [&] { Convert1BitRGBTo4BitRGB(four); }},
        {"Convert4BitRGBTo8BitRGB: Invalid Bitcount", [&] { Convert4BitRGBTo8BitRGB(eight); }},
        {"Convert8BitRGBToTrueColor: Invalid Bitcount or Compression", [&] { Convert8BitRGBToTrueColor(rle8); }},
        {"ConvertTrueColorTo8BitRGBHigh: Invalid Bitcount", [&] { ConvertTrueColorTo8BitRGBHigh(eight, {}); }},
        {"Convert8BitTo1BitRGB: Invalid Bitcount or Compression", [&] { Convert8BitTo1BitRGB(rle8, {}); }},
        {"ConvertTrueColorTo1BitRGB: Invalid Bitcount", [&] { ConvertTrueColorTo1BitRGB(four, {}); }},
        {"Convert4BitRGBTo1BitRGB: Invalid Bitcount", [&] { Convert4BitRGBTo1BitRGB(rgb, {}); }},
    };
    for (const Case& c : cases) EXPECT_EQ(DibFailure(c.step), "EDibBadDIBType: " + c.failure);
    // A widening that outgrows a storage is refused as a storage would be.
    TDib huge;  // refused before its bits are looked at
    huge.Info.Width = kMaxDibSide, huge.Info.Height = 6000, huge.Info.BitCount = 1;
    EXPECT_EQ(DibFailure([&] { Convert1BitRGBToTrueColor(huge); }),
              "EDibInvalidDIBPara: DibStorage.CreateDIB: Invalid Parameters");
}

TEST(DibConvert, SlowConversionsReportProgress)
{
    struct Case { TDibFormat from, to; const char* caption; int steps; };
    const Case cases[] = {
        {TDibFormat::Bits8, TDibFormat::Bits4, "PixelFormat 8Bit -> 4Bit", 16},
        {TDibFormat::Bits8, TDibFormat::Bits4Rle, "PixelFormat 8Bit -> 4BitRLE", 16},
        {TDibFormat::Bits8Rle, TDibFormat::Bits4, "PixelFormat 8BitRLE -> 4Bit", 16},
        {TDibFormat::Bits8Rle, TDibFormat::Bits4Rle, "PixelFormat 8BitRLE -> 4BitRLE", 16},
        {TDibFormat::Bits24, TDibFormat::Bits4, "PixelFormat 24Bit -> 4Bit", 16},
        {TDibFormat::Bits24, TDibFormat::Bits4Rle, "PixelFormat 24Bit -> 4BitRLE", 16},
        {TDibFormat::Bits24, TDibFormat::Bits8, "PixelFormat 24Bit -> 8Bit", 256},
        {TDibFormat::Bits24, TDibFormat::Bits8Rle, "PixelFormat 24Bit -> 8BitRLE", 256},
        {TDibFormat::Bits8, TDibFormat::Bits8Rle, "", 0},
        {TDibFormat::Bits1, TDibFormat::Bits4, "", 0},
        {TDibFormat::Bits4, TDibFormat::Bits24, "", 0},
    };
    for (const Case& c : cases) {
        TDibProgressCaption p = PixelFormatProgress(c.from, c.to);
        EXPECT_EQ(p.Caption, c.caption);
        EXPECT_EQ(p.Steps, c.steps);
    }
    std::vector<int> seen;
    TDibConvertOptions options;
    options.Progress = [&](int percent) { seen.push_back(percent); };
    ConvertDibFormat(TrueColour(3, 4, {0x123456}), TDibFormat::Bits8, options);
    EXPECT_EQ(seen, (std::vector<int>{25, 50, 75, 100}));
}

}  // namespace
