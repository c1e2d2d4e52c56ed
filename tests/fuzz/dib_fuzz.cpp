// Any bytes, as a bitmap file and (past the file header) as the clipboard's
// packed form: reading never reads or writes out of bounds; a bitmap it
// takes is in a form the storage names, writes as a file that reads back
// the same and writes again to the same bytes; small pictures convert to
// every pixel format, and run-length data encoded by us decodes to the
// pixels it came from.
#include "core/report/DibConvert.h"
#include "core/report/DibErrors.h"
#include "core/report/DibFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Larger pictures are read up to their header: their bits would only be
// zeros and time.
constexpr uint32_t kMaxBitsRead = 1u << 20;
constexpr int64_t kMaxPixelsConverted = 1 << 12;

void Require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "dib_fuzz: %s\n", what);
    std::abort();
}

int PixelIndex(const TDib& dib, int32_t x, int32_t y)
{
    const uint8_t* row = dib.Bits.data() + uint64_t(y) * dib.Stride();
    return dib.Info.BitCount == 8 ? row[x] : (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
}

void CheckConversions(const TDib& dib)
{
    const TDibFormat from = GetDibFormat(dib);
    const bool runLength = from == TDibFormat::Bits4Rle || from == TDibFormat::Bits8Rle;
    for (int to = 0; to <= int(TDibFormat::Fixed2); ++to) {
        TDibConvertOptions options;
        options.Option = to & 1;
        TDib out;
        try {
            out = ConvertDibFormat(dib, TDibFormat(to), options);
        } catch (const EDibBadDIBType& e) {
            // Only run-length data of our input may be bad.
            Require(runLength && std::strstr(e.what(), "Bad RLE Data") != nullptr, "a conversion step failed");
            return;
        }
        Require(out.Info.BitCount == FormatBitCount(TDibFormat(to)), "a conversion gives its bit count");
        Require(out.Info.Width == dib.Info.Width && out.Height() == dib.Height(), "a conversion keeps the size");
        if (to == int(TDibFormat::Bits4) || to == int(TDibFormat::Bits8)) {
            TDibFormat rle = to == int(TDibFormat::Bits4) ? TDibFormat::Bits4Rle : TDibFormat::Bits8Rle;
            TDib back = ConvertDibFormat(ConvertDibFormat(out, rle, options), TDibFormat(to), options);
            for (int32_t y = 0; y < out.Height(); ++y)
                for (int32_t x = 0; x < out.Width(); ++x)
                    Require(PixelIndex(back, x, out.TopDown() ? out.Height() - 1 - y : y) == PixelIndex(out, x, y),
                            "run-length data we write decodes to its pixels");
        }
    }
}

void CheckBitmap(std::span<const uint8_t> input, bool file)
{
    TDibPlan plan;
    try {
        plan = file ? PlanDibFile(input) : PlanPackedDib(input);
    } catch (const EDibError&) {
        return;
    }
    Require(plan.BitsAt <= plan.BitsEnd && plan.BitsEnd <= input.size(), "the bits lie in the input");
    Require(plan.Info.SizeImage == plan.ImageSize, "the header gives the image size");
    if (plan.ImageSize > kMaxBitsRead) return;
    TDib dib = file ? LoadDibFile(input) : LoadPackedDib(input);
    Require(dib.ImageSize() == plan.ImageSize, "the bits are as many as planned");
    Require(dib.TableEntries() <= 256, "at most 256 colours are kept");
    GetDibFormat(dib);  // raises, and so fails here, for a form the storage cannot name

    std::vector<uint8_t> once = SaveDibFile(dib);
    TDib again = LoadDibFile(once);
    Require(again == dib, "a written file reads back the same");
    Require(SaveDibFile(again) == once, "a written file writes again to the same bytes");
    Require(LoadPackedDib(SavePackedDib(dib)) == dib, "a packed bitmap reads back the same");

    if (int64_t(dib.Width()) * dib.Height() <= kMaxPixelsConverted) CheckConversions(dib);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> input(data, size);
    CheckBitmap(input, true);
    if (size > kDibFileHeaderBytes) CheckBitmap(input.subspan(kDibFileHeaderBytes), false);
    return 0;
}
