#include "core/report/DibFile.h"

#include "core/report/DibErrors.h"
#include "core/viewer/DibLayout.h"

#include <algorithm>
#include <cstring>

namespace {

enum class TSource { File, Packed };

const char* const kBadHeaderSize = "DibStorage.LoadFromStream: Invalid Bitmap Header Size";
const char* const kBadClipboardData = "DibImage.LoadFromClipboardFormat: Invalid Clipboard Data";
const char* const kBadWidthOrHeight = "DibStorage.LoadFromStream: Invalid Width or Height";
const char* const kBadMasks = "DibStorage.LoadFromStream: Invalid Masks";

bool IsWindowsBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }
bool IsCoreBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

// One colour entry (blue, green, red and, in 4-byte entries, a reserved
// byte); an entry cut off by the end of the input reads as black.
uint32_t ReadColor(std::span<const uint8_t> in, uint64_t at, size_t entryBytes)
{
    if (at > in.size() || in.size() - at < entryBytes) return 0;
    if (entryBytes == 4) return ReadLe32(&in[at]);
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16;
}

TDibPlan Plan(std::span<const uint8_t> in, TSource source)
{
    const bool file = source == TSource::File;
    const uint64_t size = in.size();
    TDibPlan p;

    uint64_t headerAt = 0, offBits = 0, dataEnd = size;
    if (file) {
        if (size < kDibFileHeaderBytes || in[0] != 'B' || in[1] != 'M')
            throw EDibInvalidDIBFile("DibStorage.LoadFromFile: File type is invalid");
        const uint32_t fileSize = ReadLe32(&in[2]);
        offBits = ReadLe32(&in[10]);
        headerAt = kDibFileHeaderBytes;
        // The bitmap ends where its file header says, unless that lies
        // outside the bytes we were given or before its own bits.
        if (fileSize >= offBits && fileSize <= size) dataEnd = fileSize;
    }
    const char* headerProblem = file ? kBadHeaderSize : kBadClipboardData;
    if (size - headerAt < 4) throw EDibInvalidDIB(headerProblem);
    const uint32_t headerSize = ReadLe32(&in[headerAt]);
    if ((headerSize != kDibInfoHeaderBytes && headerSize != 12) || size - headerAt < headerSize)
        throw EDibInvalidDIB(headerProblem);
    const uint8_t* h = &in[headerAt];

    int64_t width = 0, height = 0;
    int bits = 0;
    uint32_t compression = kBiRgb, clrImportant = 0;
    int32_t xPels = 0, yPels = 0;
    uint64_t colors = 0;
    size_t entryBytes = 4;
    if (headerSize == kDibInfoHeaderBytes) {
        width = int32_t(ReadLe32(h + 4));
        height = int32_t(ReadLe32(h + 8));
        bits = ReadLe16(h + 14);
        compression = ReadLe32(h + 16);
        xPels = int32_t(ReadLe32(h + 24));
        yPels = int32_t(ReadLe32(h + 28));
        const uint32_t clrUsed = ReadLe32(h + 32);
        clrImportant = ReadLe32(h + 36);
        if (!IsWindowsBitCount(bits))
            throw EDibInvalidDIB(file ? "DibStorage.LoadFromStream: Invalid BitCout"
                                      : "DibStorage.LoadFromClipboardFormat: Invalid biBitCount");
        colors = clrUsed != 0 ? clrUsed : bits <= 8 ? uint64_t(1) << bits : 0;
    } else {
        // The older core header: 16-bit sides, 3-byte colour entries, every
        // entry of an indexed bitmap present.
        width = ReadLe16(h + 4);
        height = ReadLe16(h + 6);
        bits = ReadLe16(h + 10);
        if (!IsCoreBitCount(bits))
            throw EDibInvalidDIB(file ? "DibStorage.LoadFromStream: Invalid BitCount"
                                      : "DibStorage.LoadFromClipboardFormat: Invalid biBitCount");
        colors = bits <= 8 ? uint64_t(1) << bits : 0;
        entryBytes = 3;
    }
    const bool bitFields = headerSize == kDibInfoHeaderBytes && compression == kBiBitfields;
    const uint64_t masksAt = headerAt + headerSize;
    const uint64_t tableAt = masksAt + (bitFields ? 12 : 0);
    const uint64_t tableEnd = tableAt + colors * entryBytes;  // colours < 2^32: no overflow
    if (file) {
        if (offBits < tableEnd) throw EDibInvalidDIBFile("DibStorage.LoadFromFile: bfOffBits is too small");
    } else {
        offBits = tableEnd;
    }

    if (width <= 0 || width > kMaxDibSide || height == 0 || height > kMaxDibSide || height < -kMaxDibSide)
        throw EDibInvalidDIB(kBadWidthOrHeight);

    const bool converted = bits == 16 || bits == 32;
    int outBits = bits;
    if (converted) {
        if (bitFields) {
            for (int i = 0; i < 3; ++i) {
                uint64_t at = masksAt + 4 * uint64_t(i);
                p.Masks[i] = at + 4 <= size ? ReadLe32(&in[at]) : 0;
            }
        } else if (bits == 16) {
            p.Masks[0] = 0x7C00, p.Masks[1] = 0x03E0, p.Masks[2] = 0x001F;
        } else {
            p.Masks[0] = 0xFF0000, p.Masks[1] = 0x00FF00, p.Masks[2] = 0x0000FF;
        }
        if (!p.Masks[0] || !p.Masks[1] || !p.Masks[2]) throw EDibInvalidDIB(kBadMasks);
        outBits = 24;
        compression = kBiRgb;
    } else {
        // Pixels kept as they are must be in a form the storage can name, so
        // that no one reads them under another layout.
        TDib probe;
        probe.Info.BitCount = uint16_t(bits);
        probe.Info.Compression = compression;
        GetDibFormat(probe);
    }

    const uint64_t available = offBits < dataEnd ? dataEnd - offBits : 0;
    uint64_t imageSize;
    if (compression == kBiRle4 || compression == kBiRle8) {
        imageSize = available;
        // A packed bitmap's own size of its run-length data, where it fits.
        const uint32_t sizeImage = headerSize == kDibInfoHeaderBytes ? ReadLe32(h + 20) : 0;
        if (!file && sizeImage != 0 && sizeImage < available) imageSize = sizeImage;
    } else {
        imageSize = DibStride(int32_t(width), outBits) * uint64_t(height < 0 ? -height : height);
    }
    if (imageSize > uint64_t(INT32_MAX)) throw EDibInvalidDIB(kBadWidthOrHeight);

    p.Info.Width = int32_t(width);
    p.Info.Height = int32_t(height);
    p.Info.Planes = 1;
    p.Info.BitCount = uint16_t(outBits);
    p.Info.Compression = compression;
    p.Info.SizeImage = uint32_t(imageSize);
    p.Info.XPelsPerMeter = xPels != 0 ? xPels : kDefaultPelsPerMeter;
    p.Info.YPelsPerMeter = yPels != 0 ? yPels : kDefaultPelsPerMeter;
    const uint32_t kept = uint32_t(std::min<uint64_t>(colors, kMaxDibColors));  // further entries are skipped
    p.Info.ClrUsed = kept;
    p.Info.ClrImportant = clrImportant;
    for (uint32_t k = 0; k < kept; ++k) p.Colors[k] = ReadColor(in, tableAt + k * entryBytes, entryBytes);
    p.ImageSize = uint32_t(imageSize);
    p.BitsAt = std::min(offBits, dataEnd);
    p.BitsEnd = dataEnd;
    p.SourceBitCount = bits;
    p.BytesUsed = dataEnd;
    return p;
}

TDib Load(std::span<const uint8_t> in, const TDibPlan& plan)
{
    TDib dib;
    dib.Info = plan.Info;
    dib.Colors = plan.Colors;
    dib.Bits.resize(plan.ImageSize);
    ReadDibBits(in, plan, dib.Bits);
    return dib;
}

std::vector<uint8_t> Packed(const TDib& dib, size_t before)
{
    std::vector<uint8_t> info = DibInfoBytes(dib);
    std::vector<uint8_t> out(before);
    out.reserve(before + info.size() + dib.Bits.size());
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), dib.Bits.begin(), dib.Bits.end());
    return out;
}

} // namespace

TDibPlan PlanDibFile(std::span<const uint8_t> file) { return Plan(file, TSource::File); }

TDibPlan PlanPackedDib(std::span<const uint8_t> data) { return Plan(data, TSource::Packed); }

void ReadDibBits(std::span<const uint8_t> input, const TDibPlan& plan, std::span<uint8_t> bits)
{
    std::fill(bits.begin(), bits.end(), uint8_t(0));
    const uint64_t end = std::min<uint64_t>(plan.BitsEnd, input.size());
    if (plan.BitsAt >= end) return;
    std::span<const uint8_t> data = input.subspan(size_t(plan.BitsAt), size_t(end - plan.BitsAt));

    if (plan.SourceBitCount != 16 && plan.SourceBitCount != 32) {
        size_t n = std::min(data.size(), bits.size());
        if (n) std::memcpy(bits.data(), data.data(), n);
        return;
    }
    const TBitFieldChannel channels[3] = {TBitFieldChannel(plan.Masks[0]), TBitFieldChannel(plan.Masks[1]),
                                          TBitFieldChannel(plan.Masks[2])};
    const int32_t width = plan.Info.Width;
    const int32_t height = plan.Info.Height < 0 ? -plan.Info.Height : plan.Info.Height;
    const uint64_t inStride = DibStride(width, plan.SourceBitCount);
    const uint64_t outStride = DibStride(width, 24);
    const uint64_t pixelBytes = uint64_t(plan.SourceBitCount / 8);
    for (int32_t row = 0; row < height; ++row) {
        const uint64_t at = uint64_t(row) * inStride;
        const uint64_t out = uint64_t(row) * outStride;
        if (at >= data.size() || out + outStride > bits.size()) break;
        // A row cut short keeps its missing pixels zero.
        const uint64_t pixels = std::min<uint64_t>(uint64_t(width), (data.size() - at) / pixelBytes);
        BitFieldRowToBgr(&data[at], plan.SourceBitCount, int32_t(pixels), channels, &bits[out]);
    }
}

TDib LoadDibFile(std::span<const uint8_t> file) { return Load(file, PlanDibFile(file)); }

TDib LoadPackedDib(std::span<const uint8_t> data) { return Load(data, PlanPackedDib(data)); }

std::vector<uint8_t> SaveDibFile(const TDib& dib)
{
    std::vector<uint8_t> out = Packed(dib, kDibFileHeaderBytes);
    out[0] = 'B';
    out[1] = 'M';
    WriteLe32(&out[2], uint32_t(out.size()));
    WriteLe32(&out[10], uint32_t(out.size() - dib.Bits.size()));
    return out;
}

std::vector<uint8_t> SavePackedDib(const TDib& dib) { return Packed(dib, 0); }
