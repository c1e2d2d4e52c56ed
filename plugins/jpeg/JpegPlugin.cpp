// The JPEG plug-in on libjpeg-turbo: rows are decoded straight into the
// host's bitmap memory, bottom-up, in the DIB's own BGR order, so the
// picture is never held twice.
#include "plugins/common/SpiPlugin.h"

#include "core/viewer/DibLayout.h"
#include "core/viewer/JpegDecompressor.h"

#include <vector>

namespace {

const char* const kFilters[] = {"*.jpg;*.jpeg;*.jpe;*.jfif", "JPEG"};

bool IsOurs(const uint8_t* head, size_t bytes) { return bytes >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF; }

uint16_t Density(const jpeg_decompress_struct& d, UINT16 value)
{
    if (d.density_unit == 1) return value;
    if (d.density_unit == 2) return DpiFromPelsPerMeter(value * 100.0);
    return 0;
}

int Info(std::span<const uint8_t> file, TPictureInfo& info)
{
    TDecompressor d;
    if (setjmp(d.Errors.Jump)) return kSusieCorrupt;
    jpeg_create_decompress(&d.Info);
    jpeg_mem_src(&d.Info, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&d.Info, TRUE) != JPEG_HEADER_OK) return kSusieUnknownFormat;
    info.Width = int32_t(d.Info.image_width);
    info.Height = int32_t(d.Info.image_height);
    info.XDensity = Density(d.Info, d.Info.X_density);
    info.YDensity = Density(d.Info, d.Info.Y_density);
    info.ColorDepth = int16_t(d.Info.num_components == 1 ? 8 : 24);
    return kSusieOk;
}

// Adobe's CMYK JPEGs store inverted ink; either way each channel scales
// the white that is left.
void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        bgr[0] = uint8_t(y * k / 255);
        bgr[1] = uint8_t(m * k / 255);
        bgr[2] = uint8_t(c * k / 255);
    }
}

int Decode(std::span<const uint8_t> file, TSpiOutput& out, const TSpiProgress& progress)
{
    TDecompressor d;
    std::vector<uint8_t> cmykRow;
    if (setjmp(d.Errors.Jump)) return kSusieCorrupt;
    jpeg_create_decompress(&d.Info);
    jpeg_mem_src(&d.Info, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&d.Info, TRUE) != JPEG_HEADER_OK) return kSusieUnknownFormat;
    const bool grey = d.Info.num_components == 1;
    const bool cmyk = d.Info.jpeg_color_space == JCS_CMYK || d.Info.jpeg_color_space == JCS_YCCK;
    d.Info.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    d.Info.dct_method = JDCT_ISLOW;
    const int32_t width = int32_t(d.Info.image_width), height = int32_t(d.Info.image_height);
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return kSusieCorrupt;
    const int bitCount = grey ? 8 : 24;
    const uint64_t stride = DibStride(width, bitCount);
    if (!out.Allocate(40 + (grey ? 1024 : 0), stride * uint64_t(height))) return kSusieNoMemory;
    int32_t ppmX = 0, ppmY = 0;
    if (d.Info.density_unit == 1) ppmX = int32_t(d.Info.X_density / 0.0254 + 0.5), ppmY = int32_t(d.Info.Y_density / 0.0254 + 0.5);
    else if (d.Info.density_unit == 2) ppmX = d.Info.X_density * 100, ppmY = d.Info.Y_density * 100;
    WriteInfoHeader(out.Info(), width, height, bitCount, grey ? 256 : 0, ppmX, ppmY);
    if (grey) WriteGreyPalette(out.Info() + 40);

    jpeg_start_decompress(&d.Info);
    if (cmyk) cmykRow.resize(size_t(width) * 4);
    const bool inverted = d.Info.saw_Adobe_marker;
    const int32_t reportEvery = std::max<int32_t>(height / 50, 16);
    int32_t nextReport = reportEvery;
    uint8_t* const bits = out.Bits();
    while (d.Info.output_scanline < d.Info.output_height) {
        // Several rows per call where the decoder offers them; rows go
        // bottom-up into the bitmap.
        JSAMPROW rows[4];
        int want = cmyk ? 1 : std::min<int>(4, int(d.Info.output_height - d.Info.output_scanline));
        for (int i = 0; i < want; ++i)
            rows[i] = cmyk ? cmykRow.data() : bits + uint64_t(height - 1 - int32_t(d.Info.output_scanline) - i) * stride;
        JDIMENSION y = d.Info.output_scanline;
        JDIMENSION got = jpeg_read_scanlines(&d.Info, rows, JDIMENSION(want));
        if (got == 0) break;  // suspended: the data ran out
        if (cmyk) CmykRowToBgr(cmykRow.data(), bits + uint64_t(height - 1 - int32_t(y)) * stride, JDIMENSION(width), inverted);
        if (int32_t(d.Info.output_scanline) >= nextReport) {
            nextReport += reportEvery;
            if (progress.Report(int(d.Info.output_scanline), height)) {
                jpeg_abort_decompress(&d.Info);
                return kSusieAborted;
            }
        }
    }
    if (d.Info.output_scanline < d.Info.output_height) return kSusieCorrupt;
    jpeg_finish_decompress(&d.Info);
    return kSusieOk;
}

}  // namespace

const TSpiFormat kSpiFormat = {"Quirevue JPEG plug-in 1.0 (libjpeg-turbo)", kFilters, 2, IsOurs, Info, Decode};
