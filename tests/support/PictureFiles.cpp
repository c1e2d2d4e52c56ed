#include "support/PictureFiles.h"

#include "support/TempFolder.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

void TestPixel(int x, int y, uint8_t bgr[3])
{
    bgr[0] = uint8_t(x * 7);
    bgr[1] = uint8_t(y * 5);
    bgr[2] = uint8_t((x + y) * 3);
}

bool WriteTestBmp(const std::wstring& path, int width, int height)
{
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> f(54 + size_t(stride) * height);
    BITMAPFILEHEADER fh{0x4D42, DWORD(f.size()), 0, 0, 54};
    BITMAPINFOHEADER ih{sizeof ih, width, height, 1, 24, BI_RGB, 0, 3780, 3780, 0, 0};
    memcpy(f.data(), &fh, 14);
    memcpy(f.data() + 14, &ih, 40);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) TestPixel(x, y, f.data() + 54 + size_t(height - 1 - y) * stride + 3 * x);
    return WriteWholeFile(path, f);
}

namespace {

std::vector<uint8_t> RowRgb(int width, int y, bool alpha)
{
    std::vector<uint8_t> row(size_t(width) * (alpha ? 4 : 3));
    for (int x = 0; x < width; ++x) {
        uint8_t bgr[3];
        TestPixel(x, y, bgr);
        uint8_t* p = row.data() + size_t(x) * (alpha ? 4 : 3);
        p[0] = bgr[2], p[1] = bgr[1], p[2] = bgr[0];
        if (alpha) p[3] = uint8_t(x % 2 ? 255 : 0);
    }
    return row;
}

}  // namespace

bool WriteTestJpeg(const std::wstring& path, int width, int height, int quality, int dpi)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    c.density_unit = 1;
    c.X_density = c.Y_density = UINT16(dpi);
    jpeg_start_compress(&c, TRUE);
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row = RowRgb(width, y, false);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> bytes(out, out + outSize);
    jpeg_destroy_compress(&c);
    free(out);
    return WriteWholeFile(path, bytes);
}

bool WriteTestPng(const std::wstring& path, int width, int height, bool alpha, int dpi)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> bytes;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &bytes, [](png_structp p, png_bytep data, png_size_t n) {
        auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        out->insert(out->end(), data, data + n);
    }, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_uint_32 ppm = png_uint_32(dpi / 0.0254 + 0.5);
    png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row = RowRgb(width, y, alpha);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return WriteWholeFile(path, bytes);
}
