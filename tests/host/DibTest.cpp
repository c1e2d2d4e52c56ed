#include "core/report/Dib.h"
#include "core/viewer/DibLayout.h"
#include "DibTestHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(Dib, CreateMakesAZeroedBitmapOrRefusesItsParameters)
{
    TDib dib = CreateDib(5, -3, 16, 4);
    EXPECT_EQ(dib.Info.Width, 5);
    EXPECT_EQ(dib.Info.Height, -3);
    EXPECT_EQ(dib.Info.BitCount, 4);
    EXPECT_EQ(dib.Info.ClrUsed, 16u);
    EXPECT_EQ(dib.Info.SizeImage, 0u);
    EXPECT_EQ(dib.Info.XPelsPerMeter, 3780);
    EXPECT_EQ(dib.Info.YPelsPerMeter, 3780);
    EXPECT_EQ(dib.Bits, std::vector<uint8_t>(12, 0));  // rows of 4 bytes

    TDib blank = NewDib();
    EXPECT_EQ(blank.Info.Width, 1);
    EXPECT_EQ(blank.Info.Height, 1);
    EXPECT_EQ(blank.Info.BitCount, 8);
    EXPECT_EQ(blank.Info.ClrUsed, 256u);

    struct Case { int32_t w, h; int colors, bits; };
    const Case refused[] = {{0, 1, 0, 8},   {1, 0, 0, 8},   {1, 1, -1, 8}, {1, 1, 257, 8},
                            {1, 1, 0, 16},  {1, 1, 0, 32},  {-1, 1, 0, 24}, {kMaxDibSide + 1, 1, 0, 1},
                            {kMaxDibSide, kMaxDibSide, 0, 24}};
    for (const Case& c : refused)
        EXPECT_EQ(DibFailure([&] { CreateDib(c.w, c.h, c.colors, c.bits); }),
                  "EDibInvalidDIBPara: DibStorage.CreateDIB: Invalid Parameters")
            << c.w << " x " << c.h << ", " << c.colors << " colours, " << c.bits << " bits";
}

TEST(Dib, PixelFormatByBitCountAndCompression)
{
    struct Case { int bits; uint32_t compression; const char* failure; TDibFormat format; };
    const Case cases[] = {
        {1, kBiRgb, nullptr, TDibFormat::Bits1},
        {4, kBiRgb, nullptr, TDibFormat::Bits4},
        {4, kBiRle4, nullptr, TDibFormat::Bits4Rle},
        {8, kBiRgb, nullptr, TDibFormat::Bits8},
        {8, kBiRle8, nullptr, TDibFormat::Bits8Rle},
        {24, kBiRgb, nullptr, TDibFormat::Bits24},
        {1, kBiRle8, "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(1Bit)", {}},
        {4, kBiRle8, "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(4Bit)", {}},
        {8, kBiRle4, "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(8Bit)", {}},
        {24, kBiBitfields, "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(24Bit)", {}},
        {16, kBiRgb, "EDibInvalidDIB: DibStorage.GetPixelFormat: Invalid DIB(Illegal BitCount)", {}},
    };
    for (const Case& c : cases) {
        TDib dib;
        dib.Info.BitCount = uint16_t(c.bits);
        dib.Info.Compression = c.compression;
        if (c.failure) EXPECT_EQ(DibFailure([&] { GetDibFormat(dib); }), c.failure);
        else EXPECT_EQ(GetDibFormat(dib), c.format) << c.bits << " bits";
    }
}

TEST(Dib, SettersMakeABlankBitmapOnlyWhenTheValueChanges)
{
    TDib dib = CreateDib(4, 3, 16, 4);
    dib.Bits[0] = 0x12;
    EXPECT_FALSE(SetDibWidth(dib, 4));
    EXPECT_EQ(dib.Bits[0], 0x12);
    EXPECT_TRUE(SetDibWidth(dib, 9));
    EXPECT_EQ(dib.Info.Height, 3);
    EXPECT_EQ(dib.Info.BitCount, 4);
    EXPECT_EQ(dib.Info.ClrUsed, 16u);
    EXPECT_EQ(dib.Bits, std::vector<uint8_t>(24, 0));  // rows of 8 bytes
    EXPECT_TRUE(SetDibHeight(dib, -2));
    EXPECT_EQ(dib.Info.Height, -2);
    EXPECT_TRUE(SetDibBitCount(dib, 24));
    EXPECT_EQ(dib.Info.ClrUsed, 0u);
    EXPECT_TRUE(SetDibBitCount(dib, 1));
    EXPECT_EQ(dib.Info.ClrUsed, 2u);
    EXPECT_EQ(DibFailure([&] { SetDibWidth(dib, 0); }), "EDibInvalidDIBPara: DibImage.SetWidth: Invalid Width");
    EXPECT_EQ(DibFailure([&] { SetDibHeight(dib, 0); }), "EDibInvalidDIBPara: DibImage.SetWidth: Invalid Height");
    EXPECT_EQ(DibFailure([&] { SetDibBitCount(dib, 16); }),
              "EDibInvalidDIBPara: DibImage.SetBitCount: Invalid BitCount");

    const uint32_t entries[300] = {0x112233, 0x445566};
    SetDibColors(dib, entries);
    EXPECT_EQ(dib.Info.ClrUsed, 256u);
    SetDibColors(dib, std::span(entries, 2));
    EXPECT_EQ(dib.Info.ClrUsed, 2u);
    EXPECT_EQ(dib.Colors[1], 0x445566u);
    EXPECT_EQ(dib.Colors[2], 0u);
    SetDibColors(dib, {});
    EXPECT_EQ(dib.Info.ClrUsed, 0u);
    EXPECT_EQ(dib.Colors[0], 0u);
}

TEST(Dib, InfoBytesCarryTheWholeTable)
{
    TDib dib = CreateDib(2, 2, 0, 4);  // none used: all 16 entries go along
    dib.Colors[15] = 0xABCDEF;
    std::vector<uint8_t> info = DibInfoBytes(dib);
    ASSERT_EQ(info.size(), 40u + 64);
    EXPECT_EQ(ReadLe32(&info[0]), 40u);
    EXPECT_EQ(ReadLe16(&info[14]), 4);
    EXPECT_EQ(ReadLe32(&info[32]), 0u);
    EXPECT_EQ(ReadLe32(&info[40 + 60]), 0xABCDEFu);
    EXPECT_EQ(DibInfoBytes(CreateDib(2, 2, 0, 24)).size(), 40u);
}

}  // namespace
