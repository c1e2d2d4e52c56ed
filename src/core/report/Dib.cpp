#include "core/report/Dib.h"

#include "core/report/DibErrors.h"
#include "core/viewer/DibLayout.h"

#include <algorithm>

uint64_t TDib::Stride() const { return DibStride(Info.Width, Info.BitCount); }

uint32_t TDib::TableEntries() const { return DibTableEntries(Info); }

uint32_t DibTableEntries(const TDibInfo& info)
{
    if (info.ClrUsed != 0) return std::min<uint32_t>(info.ClrUsed, kMaxDibColors);
    return info.BitCount <= 8 ? uint32_t(1) << info.BitCount : 0;
}

TDibInfo CreateDibInfo(int32_t width, int32_t height, int colors, int bitCount)
{
    bool bitsOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    // The side limit keeps every size below within 32 bits, as ImageSize is.
    bool sizeOk = width > 0 && width <= kMaxDibSide && height != 0 && height >= -kMaxDibSide &&
                  height <= kMaxDibSide;
    if (!bitsOk || !sizeOk || colors < 0 || colors > kMaxDibColors ||
        DibStride(width, bitCount) * uint64_t(height < 0 ? -int64_t(height) : height) > uint64_t(INT32_MAX))
        throw EDibInvalidDIBPara("DibStorage.CreateDIB: Invalid Parameters");
    TDibInfo info;
    info.Width = width;
    info.Height = height;
    info.BitCount = uint16_t(bitCount);
    info.Compression = kBiRgb;
    info.SizeImage = 0;
    info.ClrUsed = uint32_t(colors);
    return info;
}

uint64_t DibImageBytes(const TDibInfo& info)
{
    return DibStride(info.Width, info.BitCount) * uint64_t(info.Height < 0 ? -int64_t(info.Height) : info.Height);
}

TDib CreateDib(int32_t width, int32_t height, int colors, int bitCount)
{
    TDib dib;
    dib.Info = CreateDibInfo(width, height, colors, bitCount);
    dib.Bits.assign(size_t(DibImageBytes(dib.Info)), 0);
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

std::vector<uint8_t> DibInfoBytes(const TDib& dib) { return DibInfoBytes(dib.Info, dib.Colors); }

std::vector<uint8_t> DibInfoBytes(const TDibInfo& i, const std::array<uint32_t, kMaxDibColors>& colors)
{
    const uint32_t entries = DibTableEntries(i);
    std::vector<uint8_t> b(kDibInfoHeaderBytes + 4 * size_t(entries));
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
    for (uint32_t k = 0; k < entries; ++k) WriteLe32(&b[kDibInfoHeaderBytes + 4 * k], colors[k]);
    return b;
}

namespace {

int ColorCountOf(const TDibInfo& info) { return int(std::min<uint32_t>(info.ClrUsed, kMaxDibColors)); }

// A setter on a whole bitmap: a new blank one when the header changes.
bool TakeInfo(TDib& dib, const std::optional<TDibInfo>& info)
{
    if (!info) return false;
    TDib blank;
    blank.Info = *info;
    blank.Bits.assign(size_t(DibImageBytes(*info)), 0);
    dib = std::move(blank);
    return true;
}

} // namespace

std::optional<TDibInfo> DibInfoForWidth(const TDibInfo& info, int32_t width)
{
    if (width <= 0) throw EDibInvalidDIBPara("DibImage.SetWidth: Invalid Width");
    if (width == info.Width) return std::nullopt;
    return CreateDibInfo(width, info.Height, ColorCountOf(info), info.BitCount);
}

std::optional<TDibInfo> DibInfoForHeight(const TDibInfo& info, int32_t height)
{
    if (height == 0) throw EDibInvalidDIBPara("DibImage.SetWidth: Invalid Height");
    if (height == info.Height) return std::nullopt;
    return CreateDibInfo(info.Width, height, ColorCountOf(info), info.BitCount);
}

std::optional<TDibInfo> DibInfoForBitCount(const TDibInfo& info, int bitCount)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        throw EDibInvalidDIBPara("DibImage.SetBitCount: Invalid BitCount");
    if (bitCount == info.BitCount) return std::nullopt;
    return CreateDibInfo(info.Width, info.Height, bitCount == 24 ? 0 : 1 << bitCount, bitCount);
}

bool SetDibWidth(TDib& dib, int32_t width) { return TakeInfo(dib, DibInfoForWidth(dib.Info, width)); }
bool SetDibHeight(TDib& dib, int32_t height) { return TakeInfo(dib, DibInfoForHeight(dib.Info, height)); }
bool SetDibBitCount(TDib& dib, int bitCount) { return TakeInfo(dib, DibInfoForBitCount(dib.Info, bitCount)); }

void SetDibColors(TDib& dib, std::span<const uint32_t> colors)
{
    size_t count = std::min<size_t>(colors.size(), kMaxDibColors);
    dib.Colors.fill(0);
    std::copy_n(colors.begin(), count, dib.Colors.begin());
    dib.Info.ClrUsed = uint32_t(count);
}
