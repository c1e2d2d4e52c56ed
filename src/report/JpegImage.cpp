#include "report/JpegImage.h"

#include "core/commands/ShownError.h"
#include "core/viewer/DibLayout.h"
#include "core/viewer/JpegDecompressor.h"

namespace {

const char* const kNotJpeg = "JPEG image is not valid";

// Decodes into `dib` (bottom-up rows); false on any error. Kept apart from
// objects with destructors, which longjmp would skip.
bool Decode(std::span<const uint8_t> bytes, TDib& dib)
{
    TDecompressor d;
    if (setjmp(d.Errors.Jump)) return false;
    jpeg_create_decompress(&d.Info);
    jpeg_mem_src(&d.Info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&d.Info, TRUE) != JPEG_HEADER_OK) return false;
    const bool grey = d.Info.num_components == 1;
    // CMYK pictures are left to the plug-in viewer; the report takes the
    // usual colour and grey ones.
    if (!grey && d.Info.num_components != 3) return false;
    d.Info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    const int32_t width = int32_t(d.Info.image_width), height = int32_t(d.Info.image_height);
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return false;
    if (DibStride(width, grey ? 8 : 24) * uint64_t(height) > uint64_t(INT32_MAX)) return false;
    dib.Info = CreateDibInfo(width, height, grey ? 256 : 0, grey ? 8 : 24);
    if (grey)
        for (int i = 0; i < 256; ++i) dib.Colors[size_t(i)] = uint32_t(i) * 0x010101u;
    dib.Bits.assign(size_t(DibImageBytes(dib.Info)), 0);
    const uint64_t stride = dib.Stride();
    jpeg_start_decompress(&d.Info);
    while (d.Info.output_scanline < d.Info.output_height) {
        JSAMPROW row = dib.Bits.data() + uint64_t(height - 1 - int32_t(d.Info.output_scanline)) * stride;
        if (jpeg_read_scanlines(&d.Info, &row, 1) == 0) return false;  // the data ran out
    }
    jpeg_finish_decompress(&d.Info);
    return true;
}

} // namespace

void TJpegImage::LoadFromBytes(std::span<const uint8_t> bytes)
{
    TDib decoded;
    if (bytes.size() < 3 || !Decode(bytes, decoded)) throw EInvalidGraphic(kNotJpeg);
    Data.assign(bytes.begin(), bytes.end());
    Decoded = std::move(decoded);
}

void TJpegImage::LoadFromFile(const std::wstring& path)
{
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > INT32_MAX) throw EInvalidGraphic(kNotJpeg);
    std::vector<uint8_t> bytes(size_t(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()))
        throw EInvalidGraphic(kNotJpeg);
    LoadFromBytes(bytes);
}

void TJpegImage::Draw(HDC dc, const RECT& rect) const
{
    if (!Empty()) StretchDibPixels(dc, rect, Decoded);
}

std::unique_ptr<TGraphic> TJpegImage::Clone() const
{
    auto copy = std::make_unique<TJpegImage>();
    copy->Data = Data;
    copy->Decoded = Decoded;
    return copy;
}

void StretchDibPixels(HDC dc, const RECT& rect, const TDib& dib)
{
    StretchDibPixels(dc, rect, dib, dib.Width(), dib.Height());
}

void StretchDibPixels(HDC dc, const RECT& rect, const TDib& dib, int sourceWidth, int sourceHeight)
{
    const std::vector<uint8_t> info = DibInfoBytes(dib);
    // Rows from the picture's top: a bottom-up bitmap counts them from its
    // last row.
    const int sourceY = dib.TopDown() ? 0 : dib.Height() - sourceHeight;
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, sourceY, sourceWidth,
                  sourceHeight, dib.Bits.data(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                  SRCCOPY);
    SetStretchBltMode(dc, mode);
}
