// The device-independent bitmap as a picture: files and clipboard blocks
// read against the bytes given, storage shared until written, drawing on
// its own bits, device bitmaps in and out, and the setters' rules.
#include "PixelCanvas.h"
#include "core/report/DibErrors.h"
#include "report/dib/DibCanvas.h"
#include "report/dib/DibImage.h"
#include "support/BmpBytes.h"
#include "support/Fixtures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Runs `f` and returns the message of the error it raised (empty when none).
template <class F>
std::string Raised(F f)
{
    try {
        f();
    } catch (const EShownError& e) {
        return e.what();
    }
    return {};
}

// A bottom-up 24-bit picture whose pixels the test names, row by row from
// the top.
std::vector<uint8_t> Bmp24(int width, const std::vector<std::vector<COLORREF>>& rows)
{
    bmptest::TBmpSpec spec;
    spec.Width = width;
    spec.Height = int32_t(rows.size());
    const size_t stride = size_t((width * 3 + 3) & ~3);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            line[size_t(x) * 3] = GetBValue((*row)[size_t(x)]);
            line[size_t(x) * 3 + 1] = GetGValue((*row)[size_t(x)]);
            line[size_t(x) * 3 + 2] = GetRValue((*row)[size_t(x)]);
        }
        spec.Pixels.insert(spec.Pixels.end(), line.begin(), line.end());
    }
    return bmptest::MakeBmp(spec);
}

HGLOBAL GlobalBlock(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

}  // namespace

TEST(DibImage, FilesRoundTripAndAFailedLoadKeepsThePicture)
{
    DibImage image;
    image.LoadFromFile(FixturePath(L"dib\\info8.bmp"));
    EXPECT_EQ(image.PixelFormat(), TDibFormat::Bits8);
    TTempFolder temp;
    ASSERT_TRUE(image.SaveToFile(temp / L"copy.bmp"));
    DibImage again;
    again.LoadFromFile(temp / L"copy.bmp");
    EXPECT_EQ(again.Pixels(), image.Pixels());

    const TDib before = image.Pixels();
    std::vector<uint8_t> damaged = ReadWholeFile(temp / L"copy.bmp");
    damaged[1] = 'X';
    EXPECT_EQ(Raised([&] { image.LoadFromBytes(damaged); }), "DibStorage.LoadFromFile: File type is invalid");
    EXPECT_EQ(Raised([&] { image.LoadFromFile(temp / L"missing.bmp"); }), "DibStorage.LoadFromFile: File type is invalid");
    EXPECT_EQ(image.Pixels(), before);
}

TEST(DibImage, ClipboardBlocksAreReadAsFarAsTheyReach)
{
    DibImage image;
    image.LoadFromBytes(Bmp24(2, {{RGB(255, 0, 0), RGB(0, 0, 255)}, {RGB(0, 255, 0), RGB(9, 9, 9)}}));
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = HPALETTE(1);
    image.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, UINT(CF_DIB));
    EXPECT_EQ(palette, nullptr);
    DibImage pasted;
    pasted.LoadFromClipboardFormat(format, data, nullptr);
    EXPECT_EQ(pasted.Pixels(), image.Pixels());

    // The same block cut after its first stored row: the second stays zero.
    std::vector<uint8_t> packed(GlobalSize(data));
    std::memcpy(packed.data(), GlobalLock(data), packed.size());
    GlobalUnlock(data);
    GlobalFree(data);
    const size_t headerBytes = 40;
    std::vector<uint8_t> cut(packed.begin(), packed.begin() + headerBytes + 8);
    HGLOBAL shortBlock = GlobalBlock(cut);
    pasted.LoadFromClipboardFormat(CF_DIB, shortBlock, nullptr);
    GlobalFree(shortBlock);
    TDib cutPixels = pasted.Pixels();
    EXPECT_EQ(std::vector<uint8_t>(cutPixels.Bits.begin(), cutPixels.Bits.begin() + 8),
              std::vector<uint8_t>(packed.begin() + headerBytes, packed.begin() + headerBytes + 8));
    EXPECT_EQ(std::vector<uint8_t>(cutPixels.Bits.begin() + 8, cutPixels.Bits.end()), std::vector<uint8_t>(8, 0));

    // A side past the limit, a wrong format, no data.
    std::vector<uint8_t> huge = packed;
    WriteLe32(&huge[4], uint32_t(kMaxDibSide + 1));
    HGLOBAL hugeBlock = GlobalBlock(huge);
    EXPECT_EQ(Raised([&] { pasted.LoadFromClipboardFormat(CF_DIB, hugeBlock, nullptr); }),
              "DibStorage.LoadFromStream: Invalid Width or Height");
    EXPECT_EQ(Raised([&] { pasted.LoadFromClipboardFormat(CF_BITMAP, hugeBlock, nullptr); }),
              "DibImage.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    EXPECT_EQ(Raised([&] { pasted.LoadFromClipboardFormat(CF_DIB, nullptr, nullptr); }),
              "DibImage.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
    GlobalFree(hugeBlock);

    // Through the real clipboard.
    image.SaveToClipboardFormat(format, data, palette);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, data);
    CloseClipboard();
    DibImage fromClipboard;
    fromClipboard.AssignFromClipboard();
    EXPECT_EQ(fromClipboard.Pixels(), image.Pixels());
}

TEST(DibImage, SharedStorageIsCopiedBeforeAWrite)
{
    DibImage a;
    a.LoadFromFile(FixturePath(L"dib\\info8.bmp"));
    const TDib original = a.Pixels();
    DibImage b;
    b.Assign(a);
    EXPECT_TRUE(b.SharesStorageWith(a));
    EXPECT_EQ(a.StorageUsers(), 2);
    b.SetPixelFormat(TDibFormat::Bits24);
    EXPECT_EQ(b.PixelFormat(), TDibFormat::Bits24);
    EXPECT_EQ(a.PixelFormat(), TDibFormat::Bits8);
    EXPECT_FALSE(b.SharesStorageWith(a));

    DibImage c;
    c.Assign(a);
    int changes = 0;
    c.OnChange = [&] { ++changes; };
    {
        DibCanvas canvas(c);
        EXPECT_FALSE(c.SharesStorageWith(a));
        RECT all{0, 0, c.Width(), c.Height()};
        FillRect(canvas.Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.Pixels(), original);
    EXPECT_NE(c.Pixels().Bits, original.Bits);
}

TEST(DibImage, DrawsItsBitsAndTheFixedPalettes)
{
    DibImage image;
    image.LoadFromBytes(Bmp24(2, {{RGB(255, 0, 0), RGB(0, 0, 255)}}));
    TPixelCanvas canvas(20, 10);
    image.Draw(canvas.Dc, {0, 0, 20, 10});
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(15, 5), RGB(0, 0, 255));

    // Black and white: every pixel drawn is one of the two.
    image.LoadFromBytes(Bmp24(2, {{RGB(250, 250, 250), RGB(10, 10, 10)}}));
    image.PaletteMode = 2;
    canvas.Clear(RGB(0, 255, 0));
    image.Draw(canvas.Dc, {0, 0, 20, 10});
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)) + canvas.Count(RGB(0, 0, 0)), 200);
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(17, 2), RGB(0, 0, 0));
    EXPECT_EQ(image.PixelFormat(), TDibFormat::Bits24) << "drawing leaves the picture as it is";
}

TEST(DibImage, DeviceBitmapsInAndOut)
{
    // A 32-bit bitmap comes in as 24 bits.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB};
    uint32_t* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    bits[0] = 0x00FF0000;  // red
    bits[1] = 0x0000FF00;  // green
    DibImage image;
    image.AssignBitmap(section);
    DeleteObject(section);
    EXPECT_EQ(image.BitCount(), 24);
    const TDib pixels = image.Pixels();
    EXPECT_EQ(std::vector<uint8_t>(pixels.Bits.begin(), pixels.Bits.begin() + 6),
              (std::vector<uint8_t>{0, 0, 255, 0, 255, 0}));

    // A 4-bit picture goes out as a 4-bit bitmap with its colours.
    DibImage indexed;
    indexed.LoadFromFile(FixturePath(L"dib\\info4.bmp"));
    auto bitmap = indexed.AssignToBitmap();
    BITMAP facts{};
    GetObjectW(bitmap->Handle(), sizeof facts, &facts);
    EXPECT_EQ(facts.bmBitsPixel, 4);
    TPixelCanvas fromDib(indexed.Width(), indexed.Height()), fromBitmap(indexed.Width(), indexed.Height());
    indexed.Draw(fromDib.Dc, {0, 0, indexed.Width(), indexed.Height()});
    bitmap->Draw(fromBitmap.Dc, {0, 0, indexed.Width(), indexed.Height()});
    for (int y = 0; y < indexed.Height(); ++y)
        for (int x = 0; x < indexed.Width(); ++x) ASSERT_EQ(fromDib.Pixel(x, y), fromBitmap.Pixel(x, y)) << x << "," << y;
}

TEST(DibImage, SettersPalettesAndProgress)
{
    DibImage image;
    image.LoadFromBytes(Bmp24(3, {{RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}, {0, 0, 0}}));
    const TDib before = image.Pixels();
    image.SetWidth(3);
    EXPECT_EQ(image.Pixels(), before);
    image.SetWidth(5);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.Pixels().Bits, std::vector<uint8_t>(16 * 2, 0));
    EXPECT_EQ(Raised([&] { image.SetWidth(0); }), "DibImage.SetWidth: Invalid Width");
    EXPECT_EQ(Raised([&] { image.SetHeight(0); }), "DibImage.SetWidth: Invalid Height");
    EXPECT_EQ(Raised([&] { image.SetBitCount(16); }), "DibImage.SetBitCount: Invalid BitCount");
    EXPECT_EQ(image.Palette(), nullptr) << "24 bits: no colour table";

    // Progress of a reduction, by its caption.
    image.LoadFromBytes(Bmp24(3, {{RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}}));
    std::vector<TProgressStage> stages;
    std::string caption;
    image.OnProgress = [&](TProgressStage stage, int, const std::string& text) {
        stages.push_back(stage);
        caption = text;
    };
    image.SetPixelFormat(TDibFormat::Bits8);
    EXPECT_EQ(caption, "PixelFormat 24Bit -> 8Bit");
    ASSERT_GE(stages.size(), 2u);
    EXPECT_EQ(stages.front(), TProgressStage::Starting);
    EXPECT_EQ(stages.back(), TProgressStage::Ending);

    // A palette's entries become the colour table.
    const uint32_t twoEntries[] = {0xFF0000, 0x00FF00};
    HPALETTE two = MakePalette(twoEntries, 2);
    image.SetPalette(two);
    DeleteObject(two);
    EXPECT_EQ(image.Pixels().Info.ClrUsed, 2u);
    EXPECT_EQ(image.Pixels().Colors[1], 0x00FF00u);
    EXPECT_TRUE(image.PaletteModified);
    PALETTEENTRY entries[4] = {};
    EXPECT_EQ(GetPaletteEntries(image.Palette(), 0, 4, entries), 2u);
    image.PaletteMode = 1;
    EXPECT_EQ(GetPaletteEntries(image.Palette(), 0, 0, nullptr), 215u);
}
