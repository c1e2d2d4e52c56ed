#pragma once
// Byte layout of device-independent bitmaps (the Windows BITMAPINFO and its
// pixel rows), read without <windows.h>: the checks applied to a plug-in's
// untrusted output, and the little-endian helpers the bitmap reader uses.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                          kBiAlphaBitfields = 6;
inline constexpr uint32_t kInfoHeaderSize = 40;
// Pictures larger than this in either direction are refused: no decoder
// we know produces them, and the sizes below stay far from overflow.
inline constexpr int32_t kMaxDibSide = 1 << 17;

inline uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t ReadLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void WriteLe16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void WriteLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// One colour channel of a 16- or 32-bit pixel, isolated by its bit-field
// mask and scaled to 0..255 (a full channel gives 255, whatever its width).
struct TBitFieldChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;
    explicit TBitFieldChannel(uint32_t mask) : Mask(mask)
    {
        if (mask) {
            Shift = std::countr_zero(mask);
            Max = mask >> Shift;
        }
    }
    uint8_t operator()(uint32_t v) const
    {
        if (!Max) return 0;
        return uint8_t(uint64_t((v & Mask) >> Shift) * 255 / Max);
    }
};

// One row of `width` 16- or 32-bit pixels into 24-bit blue, green, red;
// `channels` are red, green and blue.
void BitFieldRowToBgr(const uint8_t* src, int bitCount, int32_t width, const TBitFieldChannel* channels,
                      uint8_t* dst);

// Bytes of one pixel row, padded to 4 bytes.
uint64_t DibStride(int32_t width, int bitCount);

// What a checked BITMAPINFO describes.
struct TDibFacts {
    int32_t Width = 0;
    int32_t Height = 0;       // absolute value
    bool TopDown = false;     // the header's height was negative
    int BitCount = 0;
    uint32_t Compression = 0;
    uint32_t Colors = 0;      // colour-table entries present
    uint64_t Stride = 0;      // 0 for run-length data
    uint64_t ImageBytes = 0;  // bytes of pixel data the header describes
};

// Checks a BITMAPINFO of `infoBytes` bytes and pixel data of `bitsBytes`
// bytes (the LocalSize of the plug-in's two handles): header size, width
// and height, planes, bit count and compression, the colour table within
// the info block, and the pixel rows within the bits block. On failure
// returns false with a short reason in `why`.
bool CheckDib(const uint8_t* info, size_t infoBytes, size_t bitsBytes, TDibFacts& facts, std::string& why);

// Reverses the order of the rows in place (top-down to bottom-up).
void FlipDibRows(uint8_t* bits, uint64_t stride, int32_t height);
