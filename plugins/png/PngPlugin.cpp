// The PNG plug-in on libpng and zlib. Palette and grey pictures come out as
// 8-bit indexed bitmaps, colour ones as 24-bit BGR; transparency is laid
// over white, the usual page behind a picture.
#include "plugins/common/SpiPlugin.h"

#include "core/viewer/DibLayout.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

namespace {

const char* const kFilters[] = {"*.png", "Portable Network Graphics"};

bool IsOurs(const uint8_t* head, size_t bytes) { return bytes >= 8 && png_sig_cmp(head, 0, 8) == 0; }

struct TReader {
    std::span<const uint8_t> Data;
    size_t At = 0;
};

void ReadData(png_structp png, png_bytep out, png_size_t length)
{
    auto* r = static_cast<TReader*>(png_get_io_ptr(png));
    if (length > r->Data.size() - r->At) png_error(png, "data ran out");
    std::memcpy(out, r->Data.data() + r->At, length);
    r->At += length;
}

void NoWarning(png_structp, png_const_charp) {}

// A reader that is always destroyed.
struct TPng {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    TReader Reader;
    explicit TPng(std::span<const uint8_t> data) : Reader{data}
    {
        Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, NoWarning);
        if (Png) Info = png_create_info_struct(Png);
        if (Info) png_set_read_fn(Png, &Reader, ReadData);
    }
    ~TPng() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

uint16_t Dpi(png_structp png, png_infop info, bool x)
{
    png_uint_32 px = 0, py = 0;
    int unit = 0;
    if (!png_get_pHYs(png, info, &px, &py, &unit) || unit != PNG_RESOLUTION_METER) return 0;
    return DpiFromPelsPerMeter(x ? px : py);
}

int Info(std::span<const uint8_t> file, TPictureInfo& picture)
{
    TPng p(file);
    if (!p.Info) return kSusieNoMemory;
    if (setjmp(png_jmpbuf(p.Png))) return kSusieCorrupt;
    png_read_info(p.Png, p.Info);
    picture.Width = int32_t(png_get_image_width(p.Png, p.Info));
    picture.Height = int32_t(png_get_image_height(p.Png, p.Info));
    picture.XDensity = Dpi(p.Png, p.Info, true);
    picture.YDensity = Dpi(p.Png, p.Info, false);
    picture.ColorDepth = int16_t(png_get_bit_depth(p.Png, p.Info) * png_get_channels(p.Png, p.Info));
    return kSusieOk;
}

// BGRA over white into BGR.
void Flatten(const uint8_t* bgra, uint8_t* bgr, int32_t width)
{
    for (int32_t x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        unsigned a = bgra[3];
        for (int c = 0; c < 3; ++c) bgr[c] = uint8_t((bgra[c] * a + 255 * (255 - a) + 127) / 255);
    }
}

int Decode(std::span<const uint8_t> file, TSpiOutput& out, const TSpiProgress& progress)
{
    TPng p(file);
    if (!p.Info) return kSusieNoMemory;
    std::vector<uint8_t> scratch;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(p.Png))) return kSusieCorrupt;
    png_read_info(p.Png, p.Info);
    const int32_t width = int32_t(png_get_image_width(p.Png, p.Info));
    const int32_t height = int32_t(png_get_image_height(p.Png, p.Info));
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return kSusieCorrupt;
    const int type = png_get_color_type(p.Png, p.Info);
    const bool transparent = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(p.Png, p.Info, PNG_INFO_tRNS);
    const bool indexed = !transparent && (type == PNG_COLOR_TYPE_PALETTE || type == PNG_COLOR_TYPE_GRAY);

    png_set_strip_16(p.Png);
    png_set_packing(p.Png);
    png_color palette[256] = {};
    int colors = 0;
    if (indexed && type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp table = nullptr;
        png_get_PLTE(p.Png, p.Info, &table, &colors);
        colors = std::min(colors, 256);
        for (int i = 0; i < colors; ++i) palette[i] = table[i];
    } else if (indexed) {
        png_set_expand_gray_1_2_4_to_8(p.Png);
    } else {
        png_set_expand(p.Png);
        png_set_gray_to_rgb(p.Png);
        png_set_bgr(p.Png);
        if (!transparent) png_set_strip_alpha(p.Png);
    }
    const int passes = png_set_interlace_handling(p.Png);
    png_read_update_info(p.Png, p.Info);

    const int bitCount = indexed ? 8 : 24;
    const uint64_t stride = DibStride(width, bitCount);
    if (!out.Allocate(40 + (indexed ? 1024 : 0), stride * uint64_t(height))) return kSusieNoMemory;
    uint32_t ppm = 0;
    png_uint_32 px = 0, py = 0;
    int unit = 0;
    if (png_get_pHYs(p.Png, p.Info, &px, &py, &unit) && unit == PNG_RESOLUTION_METER) ppm = px;
    WriteInfoHeader(out.Info(), width, height, bitCount, indexed ? 256 : 0, int32_t(ppm), int32_t(unit ? py : 0));
    if (indexed && type == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < colors; ++i)
            WriteLe32(out.Info() + 40 + 4 * i, palette[i].blue | palette[i].green << 8 | palette[i].red << 16);
    } else if (indexed) {
        WriteGreyPalette(out.Info() + 40);
    }

    uint8_t* const bits = out.Bits();
    auto bitmapRow = [&](int32_t y) { return bits + uint64_t(height - 1 - y) * stride; };
    const int total = height * passes;
    int done = 0;
    if (transparent) {
        // Alpha needs a BGRA buffer: one row, or the whole picture when
        // interlaced passes revisit every row.
        const size_t rowBytes = size_t(width) * 4;
        scratch.resize(rowBytes * (passes > 1 ? size_t(height) : 1));
        for (int pass = 0; pass < passes; ++pass) {
            for (int32_t y = 0; y < height; ++y, ++done) {
                uint8_t* row = scratch.data() + (passes > 1 ? rowBytes * size_t(y) : 0);
                png_read_row(p.Png, row, nullptr);
                if (pass == passes - 1) Flatten(row, bitmapRow(y), width);
                if ((done & 63) == 63 && progress.Report(done, total)) return kSusieAborted;
            }
        }
    } else {
        for (int pass = 0; pass < passes; ++pass) {
            for (int32_t y = 0; y < height; ++y, ++done) {
                png_read_row(p.Png, bitmapRow(y), nullptr);
                if ((done & 63) == 63 && progress.Report(done, total)) return kSusieAborted;
            }
        }
    }
    png_read_end(p.Png, nullptr);
    return kSusieOk;
}

}  // namespace

const TSpiFormat kSpiFormat = {"Quirevue PNG plug-in 1.0 (libpng)", kFilters, 2, IsOurs, Info, Decode};
