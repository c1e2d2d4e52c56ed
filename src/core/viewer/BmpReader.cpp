#include "core/viewer/BmpReader.h"

#include "core/viewer/DibLayout.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kFileHeader = 14;

bool KnownHeaderSize(uint32_t hs) { return hs == 12 || (hs >= 16 && hs <= 64) || hs == 108 || hs == 124; }

// The header sizes of the OS/2 2.x family; 40 is read as Windows.
bool IsOs2Header(uint32_t hs) { return hs != 12 && hs != 40 && hs != 52 && hs != 56 && hs < 108; }

void WriteInfo(const TBmpHeader& h, uint8_t* info)
{
    std::memset(info, 0, h.OutInfoBytes());
    WriteLe32(info + 0, 40);
    WriteLe32(info + 4, uint32_t(h.Width));
    WriteLe32(info + 8, uint32_t(h.Height));
    WriteLe16(info + 12, 1);
    WriteLe16(info + 14, uint16_t(h.OutBitCount()));
    WriteLe32(info + 16, kBiRgb);
    WriteLe32(info + 20, uint32_t(h.OutBitsBytes()));
    WriteLe32(info + 24, uint32_t(h.XPelsPerMeter));
    WriteLe32(info + 28, uint32_t(h.YPelsPerMeter));
    WriteLe32(info + 32, h.OutColors());
    for (size_t i = 0; i < h.Palette.size(); ++i) WriteLe32(info + 40 + 4 * i, h.Palette[i]);
}

// Expands one stored row into an output row (8-bit indices or 24-bit BGR).
void ConvertRow(const TBmpHeader& h, const uint8_t* src, uint8_t* dst, const TBitFieldChannel* ch)
{
    const int32_t w = h.Width;
    switch (h.BitCount) {
    case 1: case 2: case 4: {
        const int bits = h.BitCount, perByte = 8 / bits, mask = (1 << bits) - 1;
        for (int32_t x = 0; x < w; ++x) {
            int shift = 8 - bits * (x % perByte + 1);
            dst[x] = uint8_t((src[x / perByte] >> shift) & mask);
        }
        break;
    }
    case 8: std::memcpy(dst, src, size_t(w)); break;
    case 24: std::memcpy(dst, src, size_t(w) * 3); break;
    case 16: case 32: BitFieldRowToBgr(src, h.BitCount, w, ch, dst); break;
    }
}

// Run-length data into 8-bit index rows, bottom-up as stored. Pixels that
// fall outside the picture are dropped; skipped pixels keep index 0.
bool DecodeRle(std::span<const uint8_t> data, const TBmpHeader& h, uint8_t* bits, uint64_t stride,
               const std::function<bool(int, int)>& progress)
{
    const bool four = h.Compression == kBiRle4;
    int32_t x = 0, y = 0;
    size_t i = 0;
    auto put = [&](uint8_t index) {
        if (x < h.Width) {
            bits[uint64_t(y) * stride + x] = index;
            ++x;  // stays at the width, so no count of runs can overflow it
        }
    };
    while (i + 1 < data.size() && y < h.Height) {
        uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
            if ((y & 63) == 0 && progress && progress(y, h.Height)) return false;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up
            if (i + 1 >= data.size()) break;
            x = std::min(x + data[i], h.Width);
            y = std::min(y + data[i + 1], h.Height);
            i += 2;
        } else {  // a literal run, padded to a 16-bit boundary
            size_t bytes = four ? (value + 1) / 2 : value;
            for (int k = 0; k < value; ++k) {
                size_t at = i + (four ? k / 2 : k);
                if (at >= data.size()) return true;
                put(four ? ((k & 1) ? data[at] & 0x0F : data[at] >> 4) : data[at]);
            }
            i += bytes + (bytes & 1);
        }
    }
    return true;
}

}  // namespace

uint64_t TBmpHeader::OutBitsBytes() const { return DibStride(Width, OutBitCount()) * uint64_t(Height); }

bool LooksLikeBmp(std::span<const uint8_t> head)
{
    return head.size() >= kFileHeader + 4 && head[0] == 'B' && head[1] == 'M' &&
           KnownHeaderSize(ReadLe32(head.data() + kFileHeader));
}

bool ReadBmpHeader(std::span<const uint8_t> file, TBmpHeader& h, std::string& why)
{
    h = {};
    if (!LooksLikeBmp(file)) {
        why = "not a bitmap file";
        return false;
    }
    const uint8_t* p = file.data() + kFileHeader;
    const uint32_t hs = ReadLe32(p);
    if (kFileHeader + hs > file.size()) {
        why = "header cut short";
        return false;
    }
    h.BitsOffset = ReadLe32(file.data() + 10);
    int64_t width, height;
    uint32_t clrUsed = 0;
    size_t entrySize = 4;
    if (hs == 12) {
        width = ReadLe16(p + 4);
        height = int16_t(ReadLe16(p + 6));
        h.BitCount = ReadLe16(p + 10);
        entrySize = 3;
    } else {
        width = int32_t(ReadLe32(p + 4));
        height = int32_t(ReadLe32(p + 8));
        h.BitCount = ReadLe16(p + 14);
        if (hs >= 20) h.Compression = ReadLe32(p + 16);
        if (hs >= 32) {
            h.XPelsPerMeter = int32_t(ReadLe32(p + 24));
            h.YPelsPerMeter = int32_t(ReadLe32(p + 28));
        }
        if (hs >= 36) clrUsed = ReadLe32(p + 32);
    }
    const bool os2 = IsOs2Header(hs);
    if (os2 && (h.Compression == 3 || h.Compression == 4)) {
        why = "OS/2 Huffman or 24-bit run-length data";
        return false;
    }
    if (width <= 0 || width > kMaxDibSide || height == 0 || height > kMaxDibSide || height < -kMaxDibSide) {
        why = "width or height out of range";
        return false;
    }
    h.Width = int32_t(width);
    h.TopDown = height < 0;
    h.Height = int32_t(height < 0 ? -height : height);

    size_t maskBytes = 0;
    switch (h.Compression) {
    case kBiRgb:
        if (h.BitCount != 1 && h.BitCount != 2 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 &&
            h.BitCount != 24 && h.BitCount != 32) {
            why = "unsupported bit count";
            return false;
        }
        break;
    case kBiRle8:
    case kBiRle4:
        if (h.BitCount != (h.Compression == kBiRle8 ? 8 : 4) || h.TopDown) {
            why = "run-length data of the wrong form";
            return false;
        }
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (h.BitCount != 16 && h.BitCount != 32) {
            why = "bit fields need 16 or 32 bits";
            return false;
        }
        maskBytes = h.Compression == kBiAlphaBitfields ? 16 : 12;
        break;
    default:
        why = "compressed picture inside a bitmap (JPEG, PNG or unknown)";
        return false;
    }

    size_t tableAt = kFileHeader + hs;
    if (maskBytes) {
        // Version 2 and later headers carry the masks; a 40-byte header is
        // followed by them.
        size_t masksAt = hs >= 52 ? kFileHeader + 40 : tableAt;
        size_t have = hs >= 52 ? (hs >= 56 ? 16 : 12) : maskBytes;
        if (masksAt + have > file.size()) {
            why = "bit-field masks cut short";
            return false;
        }
        for (size_t i = 0; i < have / 4; ++i) h.Masks[i] = ReadLe32(file.data() + masksAt + 4 * i);
        if (hs < 52) tableAt += maskBytes;
        if (!h.Masks[0] && !h.Masks[1] && !h.Masks[2]) {
            why = "bit-field masks are zero";
            return false;
        }
        h.Compression = kBiBitfields;
    } else if (h.BitCount == 16) {
        h.Masks[0] = 0x7C00, h.Masks[1] = 0x03E0, h.Masks[2] = 0x001F;
    } else if (h.BitCount == 32) {
        h.Masks[0] = 0xFF0000, h.Masks[1] = 0x00FF00, h.Masks[2] = 0x0000FF;
    }
    if (h.BitCount == 16 || h.BitCount == 32) h.Compression = kBiRgb;  // converted to 24 bits

    if (h.BitCount <= 8) {
        size_t max = size_t(1) << h.BitCount;
        size_t stored = clrUsed && clrUsed < max ? clrUsed : max;
        h.Palette.assign(max, 0);
        for (size_t i = 0; i < stored; ++i) {
            size_t at = tableAt + i * entrySize;
            if (at + 3 > file.size() || (h.BitsOffset >= tableAt && at + 3 > h.BitsOffset)) break;
            h.Palette[i] = uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16;
        }
    }
    if (h.BitsOffset < tableAt || h.BitsOffset > file.size()) {
        why = "pixel data offset outside the file";
        return false;
    }
    return true;
}

TBmpDecode DecodeBmp(std::span<const uint8_t> file, const TBmpHeader& h, uint8_t* info, uint8_t* bits,
                     const std::function<bool(int, int)>& progress)
{
    WriteInfo(h, info);
    const uint64_t outStride = DibStride(h.Width, h.OutBitCount());
    std::memset(bits, 0, size_t(h.OutBitsBytes()));
    std::span<const uint8_t> data = file.subspan(size_t(h.BitsOffset));
    if (h.Compression == kBiRle8 || h.Compression == kBiRle4)
        return DecodeRle(data, h, bits, outStride, progress) ? TBmpDecode::Ok : TBmpDecode::Aborted;

    const TBitFieldChannel channels[3] = {TBitFieldChannel(h.Masks[0]), TBitFieldChannel(h.Masks[1]),
                                          TBitFieldChannel(h.Masks[2])};
    const uint64_t inStride = DibStride(h.Width, h.BitCount);
    for (int32_t row = 0; row < h.Height; ++row) {
        // Output rows are bottom-up; stored rows are bottom-up unless the
        // height was negative.
        uint64_t stored = h.TopDown ? uint64_t(h.Height - 1 - row) : uint64_t(row);
        uint64_t at = stored * inStride;
        if (at + inStride <= data.size())
            ConvertRow(h, data.data() + at, bits + uint64_t(row) * outStride, channels);
        if ((row & 63) == 63 && progress && progress(row + 1, h.Height)) return TBmpDecode::Aborted;
    }
    return TBmpDecode::Ok;
}
