#include "core/viewer/DibLayout.h"
#include "core/viewer/SusieLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Info(int32_t w, int32_t h, int bits, uint32_t compression = kBiRgb, uint32_t clrUsed = 0,
                          size_t tableBytes = 0, uint32_t headerSize = 40, uint32_t sizeImage = 0)
{
    std::vector<uint8_t> b(std::max<size_t>(headerSize, 40) + tableBytes);
    WriteLe32(b.data(), headerSize);
    WriteLe32(b.data() + 4, uint32_t(w));
    WriteLe32(b.data() + 8, uint32_t(h));
    WriteLe16(b.data() + 12, 1);
    WriteLe16(b.data() + 14, uint16_t(bits));
    WriteLe32(b.data() + 16, compression);
    WriteLe32(b.data() + 20, sizeImage);
    WriteLe32(b.data() + 32, clrUsed);
    return b;
}

TEST(DibLayout, ChecksAPlugInsBitmapAgainstItsBlocks)
{
    struct Case { const char* what; std::vector<uint8_t> info; size_t bits; bool ok; size_t infoBytes = 0; };
    const uint64_t row24 = DibStride(10, 24);  // 32 bytes
    const Case cases[] = {
        {"24-bit bottom-up", Info(10, 5, 24), row24 * 5, true},
        {"24-bit top-down", Info(10, -5, 24), row24 * 5, true},
        {"rows beyond the bits", Info(10, 5, 24), row24 * 5 - 1, false},
        {"8-bit with its 256 colours", Info(4, 4, 8, kBiRgb, 0, 1024), 16, true},
        {"8-bit, table cut short", Info(4, 4, 8, kBiRgb, 0, 1020), 16, false},
        {"4-bit with 3 colours used", Info(8, 2, 4, kBiRgb, 3, 12), 8, true},
        {"4-bit claiming 17 colours", Info(8, 2, 4, kBiRgb, 17, 68), 8, false},
        {"bit fields need their masks", Info(4, 4, 32, kBiBitfields, 0, 8), 64, false},
        {"bit fields with masks", Info(4, 4, 32, kBiBitfields, 0, 12), 64, true},
        {"bit fields in a v4 header", Info(4, 4, 16, kBiBitfields, 0, 0, 108), 32, true},
        {"width zero", Info(0, 4, 24), 64, false},
        {"width negative", Info(-4, 4, 24), 64, false},
        {"height zero", Info(4, 0, 24), 64, false},
        {"height of four million", Info(4, 4208915, 24), 1 << 20, false},
        {"bit count 3", Info(4, 4, 3), 64, false},
        {"RLE8 within its block", Info(4, 4, 8, kBiRle8, 0, 1024, 40, 20), 20, true},
        {"RLE8 larger than its block", Info(4, 4, 8, kBiRle8, 0, 1024, 40, 21), 20, false},
        {"RLE8 without a size", Info(4, 4, 8, kBiRle8, 0, 1024, 40, 0), 20, false},
        {"RLE top-down", Info(4, -4, 8, kBiRle8, 0, 1024, 40, 20), 20, false},
        {"JPEG inside", Info(4, 4, 0, kBiJpeg), 64, false},
        {"core header", Info(4, 4, 24, kBiRgb, 0, 0, 12), 64, false},
        {"header bigger than its block", Info(4, 4, 24, kBiRgb, 0, 0, 124), 64, false, 100},
    };
    for (const Case& c : cases) {
        TDibFacts facts;
        std::string why;
        bool ok = CheckDib(c.info.data(), c.infoBytes ? c.infoBytes : c.info.size(), c.bits, facts, why);
        EXPECT_EQ(ok, c.ok) << c.what << ": " << why;
        if (ok) EXPECT_LE(facts.ImageBytes, c.bits) << c.what;
    }
    TDibFacts facts;
    std::string why;
    EXPECT_FALSE(CheckDib(nullptr, 40, 100, facts, why));
    std::vector<uint8_t> small = Info(4, 4, 24);
    EXPECT_FALSE(CheckDib(small.data(), 39, 100, facts, why));
}

TEST(DibLayout, TopDownFactsAndRowFlip)
{
    std::vector<uint8_t> info = Info(1, -3, 32);
    TDibFacts f;
    std::string why;
    ASSERT_TRUE(CheckDib(info.data(), info.size(), 12, f, why));
    EXPECT_TRUE(f.TopDown);
    EXPECT_EQ(f.Height, 3);
    EXPECT_EQ(f.Stride, 4u);
    std::vector<uint8_t> rows = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    FlipDibRows(rows.data(), 4, 3);
    EXPECT_EQ(rows, (std::vector<uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(SusieLayout, PictureInfoRecord)
{
    uint8_t bytes[kPictureInfoBuffer] = {};
    TPictureInfo in{1, 2, 6000, 4000, 72, 65535, -1};
    WritePictureInfo(in, bytes);
    EXPECT_EQ(bytes[8], 0x70);  // 6000 = 0x1770
    EXPECT_EQ(bytes[9], 0x17);
    TPictureInfo out = ReadPictureInfo(bytes);
    EXPECT_EQ(out.Width, 6000);
    EXPECT_EQ(out.Height, 4000);
    EXPECT_EQ(out.YDensity, 65535);  // zero-extended
    EXPECT_EQ(out.ColorDepth, -1);   // sign-extended
    EXPECT_EQ(bytes[kPictureInfoHandleAt], 0);
}

TEST(SusieLayout, MessagesOfTheResultCodes)
{
    EXPECT_EQ(*SusieResultMessage(1), L"[Code1] Plug-Inでの読込みを中止しました。");
    EXPECT_EQ(*SusieResultMessage(-1), L"[Code-1] Plug-Inに機能がインプリメントされていません。");
    EXPECT_EQ(*SusieResultMessage(8), L"[Code8] Plug-Inの内部エラーが発生しました。");
    EXPECT_FALSE(SusieResultMessage(0));
    EXPECT_FALSE(SusieResultMessage(9));
    EXPECT_FALSE(SusieResultMessage(-2));
}

}  // namespace
