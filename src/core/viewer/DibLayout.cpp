#include "core/viewer/DibLayout.h"

#include <algorithm>
#include <cstring>

uint64_t DibStride(int32_t width, int bitCount)
{
    return ((uint64_t(width) * uint64_t(bitCount) + 31) / 32) * 4;
}

void BitFieldRowToBgr(const uint8_t* src, int bitCount, int32_t width, const TBitFieldChannel* channels,
                      uint8_t* dst)
{
    for (int32_t x = 0; x < width; ++x) {
        uint32_t v = bitCount == 16 ? ReadLe16(src + 2 * x) : ReadLe32(src + 4 * x);
        dst[3 * x + 0] = channels[2](v);
        dst[3 * x + 1] = channels[1](v);
        dst[3 * x + 2] = channels[0](v);
    }
}

bool CheckDib(const uint8_t* info, size_t infoBytes, size_t bitsBytes, TDibFacts& f, std::string& why)
{
    f = {};
    if (!info || infoBytes < kInfoHeaderSize) {
        why = "information block smaller than a header";
        return false;
    }
    uint32_t headerSize = ReadLe32(info);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124) {
        why = "unknown header size " + std::to_string(headerSize);
        return false;
    }
    if (headerSize > infoBytes) {
        why = "header larger than its block";
        return false;
    }
    int32_t width = int32_t(ReadLe32(info + 4));
    int32_t height = int32_t(ReadLe32(info + 8));
    uint16_t planes = ReadLe16(info + 12);
    int bits = ReadLe16(info + 14);
    uint32_t compression = ReadLe32(info + 16);
    uint32_t sizeImage = ReadLe32(info + 20);
    uint32_t clrUsed = ReadLe32(info + 32);
    if (width <= 0 || width > kMaxDibSide || height == 0 || height < -kMaxDibSide || height > kMaxDibSide) {
        why = "width or height out of range";
        return false;
    }
    if (planes != 1) {
        why = "planes is not 1";
        return false;
    }
    bool bitsOk = false;
    switch (compression) {
    case kBiRgb: bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; break;
    case kBiRle8: bitsOk = bits == 8 && height > 0; break;
    case kBiRle4: bitsOk = bits == 4 && height > 0; break;
    case kBiBitfields: bitsOk = bits == 16 || bits == 32; break;
    default: break;
    }
    if (!bitsOk) {
        why = "unsupported bit count " + std::to_string(bits) + " with compression " + std::to_string(compression);
        return false;
    }
    uint64_t tableAt = headerSize;
    // A plain header is followed by the three masks of a bit-field DIB.
    if (compression == kBiBitfields && headerSize == 40) tableAt += 12;
    uint64_t colors = clrUsed;
    if (bits <= 8) {
        uint64_t max = uint64_t(1) << bits;
        if (colors == 0) colors = max;
        if (colors > max) {
            why = "colour count beyond the bit count";
            return false;
        }
    }
    if (tableAt + colors * 4 > infoBytes) {
        why = "colour table beyond its block";
        return false;
    }
    f.Width = width;
    f.Height = height < 0 ? -height : height;
    f.TopDown = height < 0;
    f.BitCount = bits;
    f.Compression = compression;
    f.Colors = uint32_t(colors);
    if (compression == kBiRle8 || compression == kBiRle4) {
        if (sizeImage == 0 || sizeImage > bitsBytes) {
            why = "run-length data size missing or beyond its block";
            return false;
        }
        f.ImageBytes = sizeImage;
        return true;
    }
    f.Stride = DibStride(width, bits);
    f.ImageBytes = f.Stride * uint64_t(f.Height);
    if (f.ImageBytes > bitsBytes) {
        why = "pixel rows beyond their block";
        return false;
    }
    return true;
}

void FlipDibRows(uint8_t* bits, uint64_t stride, int32_t height)
{
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bits + top * stride, bits + (top + 1) * stride, bits + bottom * stride);
}
