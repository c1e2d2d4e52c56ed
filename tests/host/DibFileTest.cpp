#include "core/report/DibFile.h"
#include "core/viewer/DibLayout.h"
#include "../support/BmpBytes.h"
#include "DibTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using namespace bmptest;

Bytes Palette4(int entries)
{
    Bytes p;
    for (int i = 0; i < entries; ++i) {
        Bytes e = Le32s({uint32_t(i * 0x010203)});
        p.insert(p.end(), e.begin(), e.end());
    }
    return p;
}

TEST(DibFile, EachHeaderKindAndDepthLoadsAsTheStorageKeepsIt)
{
    const Bytes rows24 = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};
    Bytes core4Table(16 * 3);
    core4Table[3 * 5 + 2] = 0xAB;  // entry 5: red 0xAB
    const Bytes rle8 = {2, 7, 0, 0, 1, 9, 0, 1};
    struct Case {
        const char* what;
        TBmpSpec bmp;
        int bits;
        uint32_t compression, colors, imageSize;
        Bytes firstBits;
    };
    const Case cases[] = {
        {"24-bit, kept as stored", {40, 3, 2, 24, kBiRgb, {}, {}, rows24}, 24, kBiRgb, 0, 24, rows24},
        {"24-bit top-down keeps its order and sign", {40, 3, -2, 24, kBiRgb, {}, {}, rows24}, 24, kBiRgb, 0, 24, rows24},
        {"1-bit", {40, 3, 2, 1, kBiRgb, {}, Palette4(2), {0xA0, 0, 0, 0, 0x40, 0, 0, 0}}, 1, kBiRgb, 2, 8,
         {0xA0, 0, 0, 0, 0x40}},
        {"4-bit, 3 colours used", {40, 3, 2, 4, kBiRgb, {}, Palette4(3), {0x12, 0x30, 0, 0, 0x30, 0x10, 0, 0}, 3},
         4, kBiRgb, 3, 8, {0x12, 0x30}},
        {"8-bit", {40, 3, 2, 8, kBiRgb, {}, Palette4(256), {1, 2, 3, 0, 3, 0, 1, 0}}, 8, kBiRgb, 256, 8, {1, 2, 3}},
        {"run-length 8 stays compressed", {40, 3, 2, 8, kBiRle8, {}, Palette4(256), rle8}, 8, kBiRle8, 256, 8, rle8},
        {"run-length 4 stays compressed", {40, 3, 2, 4, kBiRle4, {}, Palette4(16), {3, 0x12, 0, 1}}, 4, kBiRle4, 16, 4,
         {3, 0x12, 0, 1}},
        // 5-5-5 without masks: 0x7FFF is white, 0x7C00 red.
        {"16-bit, default masks", {40, 2, 1, 16, kBiRgb, {}, {}, {0xFF, 0x7F, 0x00, 0x7C}}, 24, kBiRgb, 0, 8,
         {255, 255, 255, 0, 0, 255}},
        {"16-bit 5-6-5 bit fields", {40, 2, 1, 16, kBiBitfields, Le32s({0xF800, 0x07E0, 0x001F}), {},
                                     {0xE0, 0x07, 0x1F, 0x00}}, 24, kBiRgb, 0, 8, {0, 255, 0, 255, 0, 0}},
        {"32-bit, default masks", {40, 1, 1, 32, kBiRgb, {}, {}, Le32s({0x123456})}, 24, kBiRgb, 0, 4,
         {0x56, 0x34, 0x12}},
        {"32-bit bit fields", {40, 1, 1, 32, kBiBitfields, Le32s({0xFF00, 0xFF0000, 0xFF000000}), {},
                               Le32s({0x12345600})}, 24, kBiRgb, 0, 4, {0x12, 0x34, 0x56}},
        {"core header 4-bit: 16 entries of 4 bytes", {12, 3, 2, 4, kBiRgb, {}, core4Table, {0x50, 0, 0, 0, 0, 0, 0, 0}},
         4, kBiRgb, 16, 8, {0x50}},
        {"core header 24-bit", {12, 3, 2, 24, kBiRgb, {}, {}, rows24}, 24, kBiRgb, 0, 24, rows24},
    };
    for (const Case& c : cases) {
        TDib dib;
        ASSERT_NO_THROW(dib = LoadDibFile(MakeBmp(c.bmp))) << c.what;
        EXPECT_EQ(dib.Info.BitCount, c.bits) << c.what;
        EXPECT_EQ(dib.Info.Compression, c.compression) << c.what;
        EXPECT_EQ(dib.Info.ClrUsed, c.colors) << c.what;
        EXPECT_EQ(dib.Info.Width, c.bmp.Width) << c.what;
        EXPECT_EQ(dib.Info.Height, c.bmp.Height) << c.what;
        EXPECT_EQ(dib.Info.XPelsPerMeter, 3780) << c.what;
        EXPECT_EQ(dib.ImageSize(), c.imageSize) << c.what;
        EXPECT_EQ(dib.Info.SizeImage, c.imageSize) << c.what;
        ASSERT_GE(dib.Bits.size(), c.firstBits.size()) << c.what;
        EXPECT_TRUE(std::equal(c.firstBits.begin(), c.firstBits.end(), dib.Bits.begin())) << c.what;
        if (c.bmp.HeaderSize == 12 && c.bits == 4) EXPECT_EQ(dib.Colors[5], 0xAB0000u);
    }
}

TEST(DibFile, ColourTableBeyond256EntriesIsSkippedAndZeroResolutionBecomes96Dpi)
{
    TBmpSpec bmp{40, 2, 1, 8, kBiRgb, {}, Palette4(300), {7, 9, 0, 0}, 300};
    Bytes file = MakeBmp(bmp);
    WriteLe32(&file[14 + 24], 0);
    WriteLe32(&file[14 + 28], 0);
    TDib dib = LoadDibFile(file);
    EXPECT_EQ(dib.Info.ClrUsed, 256u);
    EXPECT_EQ(dib.Colors[255], 255u * 0x010203);
    EXPECT_EQ(dib.Bits[0], 7);  // the bits after the 44 skipped entries
    EXPECT_EQ(dib.Info.XPelsPerMeter, 3780);
    EXPECT_EQ(dib.Info.YPelsPerMeter, 3780);
}

TEST(DibFile, RefusalsNameTheirCause)
{
    const Bytes rows24(24, 0x11);
    auto withOffset = [](Bytes f, uint32_t offBits) { WriteLe32(&f[10], offBits); return f; };
    auto cut = [](Bytes f, size_t size) { f.resize(size); return f; };
    Bytes notBm = MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, rows24});
    notBm[1] = 'A';
    struct Case { const char* what; Bytes file; const char* failure; };
    const Case cases[] = {
        {"not BM", notBm, "EDibInvalidDIBFile: DibStorage.LoadFromFile: File type is invalid"},
        {"no file header", Bytes{'B', 'M', 0}, "EDibInvalidDIBFile: DibStorage.LoadFromFile: File type is invalid"},
        {"version 5 header", MakeBmp({124, 3, 2, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Bitmap Header Size"},
        {"OS/2 2.x header", MakeBmp({64, 3, 2, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Bitmap Header Size"},
        {"header cut short", cut(MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, rows24}), 40),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Bitmap Header Size"},
        {"2 bits", MakeBmp({40, 3, 2, 2, kBiRgb, {}, Palette4(4), rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid BitCout"},
        {"core header, 32 bits", MakeBmp({12, 3, 2, 32, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid BitCount"},
        {"bits inside the colour table", withOffset(MakeBmp({40, 3, 2, 8, kBiRgb, {}, Palette4(256), rows24}), 54 + 1020),
         "EDibInvalidDIBFile: DibStorage.LoadFromFile: bfOffBits is too small"},
        {"bits inside the masks", withOffset(MakeBmp({40, 1, 1, 32, kBiBitfields, Le32s({1, 2, 4}), {}, rows24}), 60),
         "EDibInvalidDIBFile: DibStorage.LoadFromFile: bfOffBits is too small"},
        {"core bits inside the table", withOffset(MakeBmp({12, 3, 2, 1, kBiRgb, {}, Bytes(6), rows24}), 31),
         "EDibInvalidDIBFile: DibStorage.LoadFromFile: bfOffBits is too small"},
        {"colours used beyond 32 bits of offset",
         MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, rows24, 0xFFFFFFFF}),
         "EDibInvalidDIBFile: DibStorage.LoadFromFile: bfOffBits is too small"},
        {"width 0", MakeBmp({40, 0, 2, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"negative width", MakeBmp({40, -3, 2, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"height 0", MakeBmp({40, 3, 0, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"height -2^31", MakeBmp({40, 3, INT32_MIN, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"side beyond the limit", MakeBmp({40, kMaxDibSide + 1, 1, 1, kBiRgb, {}, Palette4(2), rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"size beyond 31 bits", MakeBmp({40, kMaxDibSide, kMaxDibSide, 24, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"32 bits converted beyond 31 bits", MakeBmp({40, kMaxDibSide, 7000, 32, kBiRgb, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height"},
        {"a zero mask", MakeBmp({40, 1, 1, 32, kBiBitfields, Le32s({0xFF0000, 0, 0xFF}), {}, rows24}),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Masks"},
        {"masks cut off by the end", cut(MakeBmp({40, 1, 1, 16, kBiBitfields, Le32s({0xF800, 0x07E0, 0x1F}), {}, {}}), 62),
         "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Masks"},
        {"8 bits run-length 4", MakeBmp({40, 3, 2, 8, kBiRle4, {}, Palette4(256), rows24}),
         "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(8Bit)"},
        {"24 bits in JPEG", MakeBmp({40, 3, 2, 24, kBiJpeg, {}, {}, rows24}),
         "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(24Bit)"},
    };
    for (const Case& c : cases) EXPECT_EQ(DibFailure([&] { LoadDibFile(c.file); }), c.failure) << c.what;
}

TEST(DibFile, MissingPixelDataStaysZero)
{
    const Bytes rows24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    Bytes file = MakeBmp({40, 3, 2, 24, kBiRgb, {}, {}, rows24});
    Bytes short24(file.begin(), file.end() - 14);  // the top row and two bytes of the bottom one are missing
    TDib dib = LoadDibFile(short24);
    ASSERT_EQ(dib.ImageSize(), 24u);
    EXPECT_EQ(Bytes(dib.Bits.begin(), dib.Bits.begin() + 10), Bytes(rows24.begin(), rows24.begin() + 10));
    EXPECT_EQ(Bytes(dib.Bits.begin() + 10, dib.Bits.end()), Bytes(14, 0));

    // A 16-bit row cut inside its second pixel converts the first only.
    Bytes file16 = MakeBmp({40, 2, 2, 16, kBiRgb, {}, {}, {0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F}});
    file16.resize(file16.size() - 5);
    dib = LoadDibFile(file16);
    EXPECT_EQ(Bytes(dib.Bits.begin(), dib.Bits.begin() + 8), (Bytes{255, 255, 255, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(dib.Bits.begin() + 8, dib.Bits.end()), Bytes(8, 0));

    // Bits and colours wholly beyond the end; a huge picture of few bytes.
    Bytes far = MakeBmp({40, 2, 2, 8, kBiRgb, {}, Palette4(256), {5, 5, 0, 0, 5, 5, 0, 0}});
    far.resize(54 + 10);
    dib = LoadDibFile(far);
    EXPECT_EQ(dib.Colors[1], 0x010203u);
    EXPECT_EQ(dib.Colors[3], 0u);
    EXPECT_EQ(dib.Bits, Bytes(8, 0));
    dib = LoadDibFile(MakeBmp({40, 4000, 4000, 24, kBiRgb, {}, {}, {9}}));
    EXPECT_EQ(dib.ImageSize(), 4000u * 12000u);
    EXPECT_EQ(dib.Bits[0], 9);
    EXPECT_EQ(dib.Bits.back(), 0);
}

TEST(DibFile, RunLengthDataEndsWhereTheFileHeaderSays)
{
    Bytes file = MakeBmp({40, 3, 2, 8, kBiRle8, {}, Palette4(256), {2, 7, 0, 1}});
    file.insert(file.end(), {0xEE, 0xEE, 0xEE});  // whatever follows the bitmap in a stream
    TDibPlan plan = PlanDibFile(file);
    EXPECT_EQ(plan.ImageSize, 4u);
    EXPECT_EQ(plan.BytesUsed, file.size() - 3);
    // A file size past the bytes present, or before the bits, is not believed.
    WriteLe32(&file[2], uint32_t(file.size() + 100));
    EXPECT_EQ(PlanDibFile(file).ImageSize, 7u);
    WriteLe32(&file[2], 10);
    EXPECT_EQ(PlanDibFile(file).ImageSize, 7u);
}

TEST(DibFile, WrittenFilesReadBackTheSame)
{
    TDib blank = CreateDib(5, -3, 0, 8);  // no colours used: the table still holds 256
    blank.Bits[7] = 200;
    std::vector<uint8_t> bytes = SaveDibFile(blank);
    ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 24);
    EXPECT_EQ(ReadLe32(&bytes[2]), bytes.size());
    EXPECT_EQ(ReadLe32(&bytes[10]), 14u + 40 + 1024);
    TDib back = LoadDibFile(bytes);
    EXPECT_EQ(back.Bits, blank.Bits);
    EXPECT_EQ(back.Info.Height, -3);
    EXPECT_EQ(back.Info.ClrUsed, 256u);

    const TBmpSpec bitmaps[] = {
        {40, 3, 2, 4, kBiRle4, {}, Palette4(16), {3, 0x12, 0, 0, 2, 0x33, 0, 1}},
        {40, 3, 2, 1, kBiRgb, {}, Palette4(2), {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
        {12, 3, 2, 8, kBiRgb, {}, Bytes(768, 3), {1, 2, 3, 0, 3, 0, 1, 0}},
        {40, 2, 2, 16, kBiRgb, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const TBmpSpec& bmp : bitmaps) {
        TDib first = LoadDibFile(MakeBmp(bmp));
        std::vector<uint8_t> once = SaveDibFile(first);
        TDib second = LoadDibFile(once);
        EXPECT_EQ(second, first);
        EXPECT_EQ(SaveDibFile(second), once);
        EXPECT_EQ(LoadPackedDib(SavePackedDib(first)), first);
    }
}

TEST(DibFile, PackedBitmapsAreMeasuredAgainstTheirBlock)
{
    // CF_DIB from a screen grab: 32 bits with masks behind the header.
    Bytes packed(40);
    WriteLe32(&packed[0], 40);
    WriteLe32(&packed[4], 2);
    WriteLe32(&packed[8], 1);
    WriteLe16(&packed[12], 1);
    WriteLe16(&packed[14], 32);
    WriteLe32(&packed[16], kBiBitfields);
    Bytes tail = Le32s({0xFF0000, 0xFF00, 0xFF, 0x00102030, 0x00405060});
    packed.insert(packed.end(), tail.begin(), tail.end());
    TDib dib = LoadPackedDib(packed);
    EXPECT_EQ(dib.Info.BitCount, 24);
    EXPECT_EQ(dib.Bits, (Bytes{0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0}));

    // The same block said to be shorter: the second pixel is missing.
    dib = LoadPackedDib(std::span(packed).first(packed.size() - 1));
    EXPECT_EQ(dib.Bits, (Bytes{0x30, 0x20, 0x10, 0, 0, 0, 0, 0}));

    // Run-length data as long as the header's image size, where it fits.
    TDib rle = LoadDibFile(MakeBmp({40, 3, 2, 8, kBiRle8, {}, Palette4(256), {2, 7, 0, 1}}));
    Bytes rlePacked = SavePackedDib(rle);
    rlePacked.insert(rlePacked.end(), {9, 9});
    EXPECT_EQ(LoadPackedDib(rlePacked).ImageSize(), 4u);
    WriteLe32(&rlePacked[20], 0);
    EXPECT_EQ(LoadPackedDib(rlePacked).ImageSize(), 6u);

    Bytes v5(124, 0);
    WriteLe32(&v5[0], 124);
    Bytes bits2 = SavePackedDib(CreateDib(1, 1, 0, 24));
    WriteLe16(&bits2[14], 2);
    EXPECT_EQ(DibFailure([&] { LoadPackedDib(v5); }),
              "EDibInvalidDIB: DibImage.LoadFromClipboardFormat: Invalid Clipboard Data");
    EXPECT_EQ(DibFailure([&] { LoadPackedDib(std::span(packed).first(39)); }),
              "EDibInvalidDIB: DibImage.LoadFromClipboardFormat: Invalid Clipboard Data");
    EXPECT_EQ(DibFailure([&] { LoadPackedDib(bits2); }),
              "EDibInvalidDIB: DibStorage.LoadFromClipboardFormat: Invalid biBitCount");
    WriteLe32(&packed[4], 0);
    EXPECT_EQ(DibFailure([&] { LoadPackedDib(packed); }),
              "EDibInvalidDIB: DibStorage.LoadFromStream: Invalid Width or Height");
}

}  // namespace
