#include "core/report/Dib.h"

#include "core/report/DibErrors.h"
#include "core/viewer/DibLayout.h"

#include <algorithm>

uint64_t TDib::Stride() const { return DibStride(Info.Width, Info.BitCount); }

uint32_t TDib::TableEntries() const
{
    if (Info.ClrUsed != 0) return std::min<uint32_t>(Info.ClrUsed, kMaxDibColors);
    return Info.BitCount <= 8 ? uint32_t(1) << Info.BitCount : 0;
}

TDib CreateDib(int32_t width, int32_t height, int colors, int bitCount)
{
    bool bitsOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    // The side limit keeps every size below within 32 bits, as ImageSize is.
    bool sizeOk = width > 0 && width <= kMaxDibSide && height != 0 && height >= -kMaxDibSide &&
                  height <= kMaxDibSide;
    if (!bitsOk || !sizeOk || colors < 0 || colors > kMaxDibColors ||
        DibStride(width, bitCount) * uint64_t(height < 0 ? -int64_t(height) : height) > uint64_t(INT32_MAX))
        throw EDibInvalidDIBPara("DibStorage.CreateDIB: Invalid Parameters");
    TDib dib;
    dib.Info.Width = width;
    dib.Info.Height = height;
    dib.Info.BitCount = uint16_t(bitCount);
    dib.Info.Compression = kBiRgb;
    dib.Info.SizeImage = 0;
    dib.Info.ClrUsed = uint32_t(colors);
    dib.Bits.assign(size_t(dib.Stride() * uint64_t(dib.Height())), 0);
    return dib;
}

TDib NewDib() { return CreateDib(1, 1, 256, 8); }

TDibFormat GetDibFormat(const TDib& dib)
{
    const uint32_t c = dib.Info.Compression;
    switch (dib.Info.BitCount) {
    case 1:
        if (c == kBiRgb) return TDibFormat::Bits1;
        throw EDibInvalidDIB("DibStorage.GetPixelFormat: Invalid DIB(1Bit)");
    case 4:
        if (c == kBiRgb) return TDibFormat::Bits4;
        if (c == kBiRle4) return TDibFormat::Bits4Rle;
        throw EDibInvalidDIB("DibStorage.GetPixelFormat: Invalid DIB(4Bit)");
    case 8:
        if (c == kBiRgb) return TDibFormat::Bits8;
        if (c == kBiRle8) return TDibFormat::Bits8Rle;
        throw EDibInvalidDIB("DibStorage.GetPixelFormat: Invalid DIB(8Bit)");
    case 24:
        if (c == kBiRgb) return TDibFormat::Bits24;
        throw EDibInvalidDIB("DibStorage.GetPixelFormat: Invalid DIB(24Bit)");
    default:
        throw EDibInvalidDIB("DibStorage.GetPixelFormat: Invalid DIB(Illegal BitCount)");
    }
}

int FormatBitCount(TDibFormat format)
{
    switch (format) {
    case TDibFormat::Bits1: case TDibFormat::Fixed2: return 1;
    case TDibFormat::Bits4: case TDibFormat::Bits4Rle: return 4;
    case TDibFormat::Bits8: case TDibFormat::Bits8Rle: case TDibFormat::Fixed215: return 8;
    case TDibFormat::Bits24: break;
    }
    return 24;
}

std::vector<uint8_t> DibInfoBytes(const TDib& dib)
{
    const TDibInfo& i = dib.Info;
    std::vector<uint8_t> b(kDibInfoHeaderBytes + 4 * size_t(dib.TableEntries()));
    WriteLe32(&b[0], uint32_t(kDibInfoHeaderBytes));
    WriteLe32(&b[4], uint32_t(i.Width));
    WriteLe32(&b[8], uint32_t(i.Height));
    WriteLe16(&b[12], i.Planes);
    WriteLe16(&b[14], i.BitCount);
    WriteLe32(&b[16], i.Compression);
    WriteLe32(&b[20], i.SizeImage);
    WriteLe32(&b[24], uint32_t(i.XPelsPerMeter));
    WriteLe32(&b[28], uint32_t(i.YPelsPerMeter));
    WriteLe32(&b[32], std::min<uint32_t>(i.ClrUsed, kMaxDibColors));
    WriteLe32(&b[36], i.ClrImportant);
    for (uint32_t k = 0; k < dib.TableEntries(); ++k) WriteLe32(&b[kDibInfoHeaderBytes + 4 * k], dib.Colors[k]);
    return b;
}

namespace {

int ColorCountOf(const TDib& dib) { return int(std::min<uint32_t>(dib.Info.ClrUsed, kMaxDibColors)); }

} // namespace

bool SetDibWidth(TDib& dib, int32_t width)
{
    if (width <= 0) throw EDibInvalidDIBPara("DibImage.SetWidth: Invalid Width");
    if (width == dib.Info.Width) return false;
    dib = CreateDib(width, dib.Info.Height, ColorCountOf(dib), dib.Info.BitCount);
    return true;
}

bool SetDibHeight(TDib& dib, int32_t height)
{
    if (height == 0) throw EDibInvalidDIBPara("DibImage.SetWidth: Invalid Height");
    if (height == dib.Info.Height) return false;
    dib = CreateDib(dib.Info.Width, height, ColorCountOf(dib), dib.Info.BitCount);
    return true;
}

bool SetDibBitCount(TDib& dib, int bitCount)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        throw EDibInvalidDIBPara("DibImage.SetBitCount: Invalid BitCount");
    if (bitCount == dib.Info.BitCount) return false;
    dib = CreateDib(dib.Info.Width, dib.Info.Height, bitCount == 24 ? 0 : 1 << bitCount, bitCount);
    return true;
}

void SetDibColors(TDib& dib, std::span<const uint32_t> colors)
{
    size_t count = std::min<size_t>(colors.size(), kMaxDibColors);
    dib.Colors.fill(0);
    std::copy_n(colors.begin(), count, dib.Colors.begin());
    dib.Info.ClrUsed = uint32_t(count);
}
