#pragma once
// A device-independent bitmap as the picture class holds it, without
// <windows.h>: the 40-byte BITMAPINFOHEADER, room for 256 colour entries and
// the pixel bytes, kept as they are (1, 4 and 8 bits, run-length 4 and 8,
// 24 bits). The platform's graphic wraps one of these and draws its bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

inline constexpr int kMaxDibColors = 256;
inline constexpr int32_t kDefaultPelsPerMeter = 3780;  // 96 dots per inch
inline constexpr size_t kDibFileHeaderBytes = 14;
inline constexpr size_t kDibInfoHeaderBytes = 40;

// The fields of BITMAPINFOHEADER.
struct TDibInfo {
    int32_t Width = 1;
    int32_t Height = 1;  // negative: rows stored top-down
    uint16_t Planes = 1;
    uint16_t BitCount = 8;
    uint32_t Compression = 0;
    uint32_t SizeImage = 0;
    int32_t XPelsPerMeter = kDefaultPelsPerMeter;
    int32_t YPelsPerMeter = kDefaultPelsPerMeter;
    uint32_t ClrUsed = 256;
    uint32_t ClrImportant = 0;
    bool operator==(const TDibInfo&) const = default;
};

// The pixel formats a storage can be in, and the two forms the converter
// makes for drawing on the fixed palettes.
enum class TDibFormat {
    Bits1 = 0,
    Bits4 = 1,
    Bits4Rle = 2,
    Bits8 = 3,
    Bits8Rle = 4,
    Bits24 = 5,
    Fixed215 = 6,  // 8 bits on the fixed 215-colour palette
    Fixed2 = 7,    // 1 bit on the fixed black and white palette
};

struct TDib {
    TDibInfo Info;
    std::array<uint32_t, kMaxDibColors> Colors{};  // RGBQUAD entries as 0x00RRGGBB
    std::vector<uint8_t> Bits;

    int32_t Width() const { return Info.Width; }
    int32_t Height() const { return Info.Height < 0 ? -Info.Height : Info.Height; }
    bool TopDown() const { return Info.Height < 0; }
    uint32_t ImageSize() const { return uint32_t(Bits.size()); }
    // Bytes of one row of uncompressed pixels.
    uint64_t Stride() const;
    // Colour entries the table holds and a BITMAPINFO of it carries: the
    // colours used, or for an indexed bitmap with none given all 2^bits.
    uint32_t TableEntries() const;
    bool operator==(const TDib&) const = default;
};

// A blank bitmap, all bits zero and the colour table black: width > 0,
// height != 0 (its sign kept), 0 <= colours <= 256, 1, 4, 8 or 24 bits.
// Raises EDibInvalidDIBPara "DibStorage.CreateDIB: Invalid Parameters".
TDib CreateDib(int32_t width, int32_t height, int colors, int bitCount);
// The same bitmap's header alone, for storages that hold their bits
// elsewhere; its bits take DibImageBytes(info) bytes.
TDibInfo CreateDibInfo(int32_t width, int32_t height, int colors, int bitCount);
uint64_t DibImageBytes(const TDibInfo& info);
// What a new storage holds: 1 x 1, 8 bits, 256 colours.
TDib NewDib();

// The pixel format of the storage's bit count and compression. Any other
// combination raises EDibInvalidDIB naming the bit count.
TDibFormat GetDibFormat(const TDib& dib);
// Bits per pixel of a format (24 for none of the indexed ones).
int FormatBitCount(TDibFormat format);

// The BITMAPINFO the platform hands to drawing calls and writes to files
// and the clipboard: the 40-byte header, then TableEntries() colours.
std::vector<uint8_t> DibInfoBytes(const TDib& dib);
// The same for a header and colour table held apart from their bits.
uint32_t DibTableEntries(const TDibInfo& info);
std::vector<uint8_t> DibInfoBytes(const TDibInfo& info, const std::array<uint32_t, kMaxDibColors>& colors);

// The property setters of the picture. Each makes a new blank bitmap when
// the value differs (the picture is lost) and returns whether it did.
// Width <= 0 raises EDibInvalidDIBPara "DibImage.SetWidth: Invalid Width";
// height 0 "DibImage.SetWidth: Invalid Height"; a bit count other than 1,
// 4, 8 and 24 "DibImage.SetBitCount: Invalid BitCount".
bool SetDibWidth(TDib& dib, int32_t width);
bool SetDibHeight(TDib& dib, int32_t height);
bool SetDibBitCount(TDib& dib, int bitCount);
// The same rules on a header alone: the blank header a setter makes, or
// nothing when the value is the current one.
std::optional<TDibInfo> DibInfoForWidth(const TDibInfo& info, int32_t width);
std::optional<TDibInfo> DibInfoForHeight(const TDibInfo& info, int32_t height);
std::optional<TDibInfo> DibInfoForBitCount(const TDibInfo& info, int bitCount);
// A palette's entries (at most 256 are kept) become the colour table and
// the colours used; none empties the table.
void SetDibColors(TDib& dib, std::span<const uint32_t> colors);
