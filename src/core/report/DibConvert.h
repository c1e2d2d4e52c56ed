#pragma once
// Conversions between the pixel formats of a bitmap. Each step takes one
// form and gives another; handed any other form it raises EDibBadDIBType
// with its own name, as in "Convert8BitRLETo8BitRGB: Invalid Bitcount &
// Compression Combination". Every step returns a new bitmap and leaves its
// input alone, so a failed conversion changes nothing.
#include "core/report/Dib.h"

#include <cstdint>
#include <functional>
#include <string>

// How true-colour pictures are reduced to fewer colours.
inline constexpr int kConvertLow = 0;   // nearest colours of a fixed palette
inline constexpr int kConvertHigh = 1;  // a palette made for the picture, errors diffused

struct TDibConvertOptions {
    int Option = kConvertLow;        // the picture's ConvertOption: 0 Low, anything else High
    uint32_t Background = 0xFFFFFF;  // framework colour (0x00BBGGRR) of pixels run-length data skips
    // Called now and then during the slow steps with the percentage done.
    std::function<void(int percent)> Progress;
};

// Run-length data into plain rows. Pixels the data skips take the entry
// nearest to the background colour. Data that runs past the end of the
// picture or ends inside a code raises EDibBadDIBType "Bad RLE Data 1" to
// "4" (8 bits) or "5" to "8" (4 bits).
TDib Convert8BitRLETo8BitRGB(const TDib& dib, const TDibConvertOptions& options);
TDib Convert4BitRLETo4BitRGB(const TDib& dib, const TDibConvertOptions& options);
// Plain rows into run-length data (always bottom-up, as the form requires).
TDib Convert8BitRGBTo8BitRLE(const TDib& dib);
TDib Convert4BitRGBTo4BitRLE(const TDib& dib);

// Indexed pixels widened; the colour table is kept.
TDib Convert1BitRGBTo4BitRGB(const TDib& dib);
TDib Convert1BitRGBTo8BitRGB(const TDib& dib);
TDib Convert4BitRGBTo8BitRGB(const TDib& dib);
// Indexed pixels into 24-bit colours.
TDib Convert1BitRGBToTrueColor(const TDib& dib);
TDib Convert4BitRGBToTrueColor(const TDib& dib);
TDib Convert8BitRGBToTrueColor(const TDib& dib);
// 24-bit colours onto a palette: Low maps onto the fixed palettes (215
// colours, or the 16 of a standard display) by nearest colour; High makes a
// palette for the picture and diffuses the error.
TDib ConvertTrueColorTo8BitRGBLow(const TDib& dib, const TDibConvertOptions& options);
TDib ConvertTrueColorTo8BitRGBHigh(const TDib& dib, const TDibConvertOptions& options);
TDib ConvertTrueColorTo4BitRGBLow(const TDib& dib, const TDibConvertOptions& options);
TDib ConvertTrueColorTo4BitRGBHigh(const TDib& dib, const TDibConvertOptions& options);
// Fewer bits for indexed pixels: exact when the colours in use fit,
// otherwise through 24 bits and the reductions above (1 bit: black and
// white, errors diffused with High).
TDib Convert8BitRGBTo4BitRGB(const TDib& dib, const TDibConvertOptions& options);
TDib Convert8BitTo1BitRGB(const TDib& dib, const TDibConvertOptions& options);
TDib Convert4BitRGBTo1BitRGB(const TDib& dib, const TDibConvertOptions& options);
TDib ConvertTrueColorTo1BitRGB(const TDib& dib, const TDibConvertOptions& options);

// The picture in another pixel format, by the steps above (nothing to do
// when it is already in it). Fixed215 and Fixed2 give 8 bits on the fixed
// 215-colour palette and 1 bit on black and white.
TDib ConvertDibFormat(const TDib& dib, TDibFormat to, const TDibConvertOptions& options);

// The progress caption of a conversion that reports progress ("PixelFormat
// 24Bit -> 8Bit") and its step count (16 for 4-bit targets, 256 for 8-bit),
// or an empty caption for one that does not.
struct TDibProgressCaption {
    std::string Caption;
    int Steps = 0;
};
TDibProgressCaption PixelFormatProgress(TDibFormat from, TDibFormat to);
