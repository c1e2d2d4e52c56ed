#include "core/report/DibConvert.h"

#include "core/report/DibErrors.h"
#include "core/report/DibPalettes.h"
#include "core/report/DibSteps.h"
#include "core/viewer/DibLayout.h"

#include <algorithm>
#include <array>
#include <string>

void FailDibStep(const char* step, const char* reason)
{
    throw EDibBadDIBType(std::string(step) + ": " + reason);
}

void RequirePlainDib(const TDib& dib, const char* step, int bits)
{
    if (dib.Info.BitCount != bits) FailDibStep(step, "Invalid Bitcount");
    if (dib.Info.Compression != kBiRgb) FailDibStep(step, "Invalid Bitcount or Compression");
}

void RequireDibForm(const TDib& dib, const char* step, int bits, uint32_t compression)
{
    if (dib.Info.BitCount != bits || dib.Info.Compression != compression)
        FailDibStep(step, "Invalid Bitcount & Compression Combination");
}

TDib ReshapedDib(const TDib& like, int bits, uint32_t compression, std::span<const uint32_t> colors)
{
    TDib out;
    if (compression == kBiRgb) {
        // Checks that the new rows fit a storage (a widening can outgrow it).
        out = CreateDib(like.Info.Width, like.Info.Height, 0, bits);
    } else {
        out.Info.Width = like.Info.Width;
        out.Info.Height = like.Info.Height;
        out.Info.BitCount = uint16_t(bits);
    }
    out.Info.Compression = compression;
    out.Info.SizeImage = out.ImageSize();
    out.Info.XPelsPerMeter = like.Info.XPelsPerMeter;
    out.Info.YPelsPerMeter = like.Info.YPelsPerMeter;
    SetDibColors(out, colors);
    return out;
}

namespace {

// Plain indexed rows into plain rows of another depth, pixel by pixel.
template <class IndexOf>
TDib Repacked(const TDib& dib, int bits, std::span<const uint32_t> colors, IndexOf indexOf)
{
    TDib out = ReshapedDib(dib, bits, kBiRgb, colors);
    const uint64_t inStride = dib.Stride(), outStride = out.Stride();
    const int inBits = dib.Info.BitCount;
    for (int32_t y = 0; y < dib.Height(); ++y) {
        const uint8_t* in = dib.Bits.data() + uint64_t(y) * inStride;
        uint8_t* row = out.Bits.data() + uint64_t(y) * outStride;
        for (int32_t x = 0; x < dib.Width(); ++x) SetPixelIndex(row, bits, x, indexOf(PixelIndex(in, inBits, x)));
    }
    return out;
}

std::span<const uint32_t> TableOf(const TDib& dib) { return std::span(dib.Colors).first(dib.TableEntries()); }

TDib Widened(const TDib& dib, const char* step, int from, int to)
{
    RequirePlainDib(dib, step, from);
    return Repacked(dib, to, TableOf(dib), [](int index) { return index; });
}

TDib ToTrueColor(const TDib& dib, const char* step, int from)
{
    RequirePlainDib(dib, step, from);
    TDib out = ReshapedDib(dib, 24, kBiRgb, {});
    const uint64_t inStride = dib.Stride(), outStride = out.Stride();
    for (int32_t y = 0; y < dib.Height(); ++y) {
        const uint8_t* in = dib.Bits.data() + uint64_t(y) * inStride;
        uint8_t* row = out.Bits.data() + uint64_t(y) * outStride;
        for (int32_t x = 0; x < dib.Width(); ++x) {
            uint32_t c = dib.Colors[size_t(PixelIndex(in, from, x))];
            row[3 * x] = uint8_t(EntryBlue(c));
            row[3 * x + 1] = uint8_t(EntryGreen(c));
            row[3 * x + 2] = uint8_t(EntryRed(c));
        }
    }
    return out;
}

int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// 24-bit pixels onto a palette, by nearest colour or with the error spread
// over the neighbours (Floyd and Steinberg's weights).
TDib MapTrueColor(const TDib& dib, int bits, std::span<const uint32_t> palette, bool diffuse,
                  const TDibConvertOptions& options)
{
    TDib out = ReshapedDib(dib, bits, kBiRgb, palette);
    TNearestEntryMap nearest(palette);
    const int32_t width = dib.Width(), height = dib.Height();
    const uint64_t inStride = dib.Stride(), outStride = out.Stride();
    std::vector<int> error(diffuse ? 2 * 3 * (size_t(width) + 2) : 0);
    int* here = error.data();
    int* below = diffuse ? error.data() + 3 * (size_t(width) + 2) : nullptr;
    int reported = -1;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = dib.Bits.data() + uint64_t(y) * inStride;
        uint8_t* row = out.Bits.data() + uint64_t(y) * outStride;
        for (int32_t x = 0; x < width; ++x) {
            int c[3] = {in[3 * x + 2], in[3 * x + 1], in[3 * x]};  // red, green, blue
            if (diffuse)
                for (int k = 0; k < 3; ++k) c[k] = Clamp255(c[k] + here[3 * (x + 1) + k] / 16);
            const int index = nearest(c[0], c[1], c[2]);
            SetPixelIndex(row, bits, x, index);
            if (!diffuse) continue;
            const uint32_t got = palette[size_t(index)];
            const int e[3] = {c[0] - EntryRed(got), c[1] - EntryGreen(got), c[2] - EntryBlue(got)};
            for (int k = 0; k < 3; ++k) {
                here[3 * (x + 2) + k] += e[k] * 7;
                below[3 * x + k] += e[k] * 3;
                below[3 * (x + 1) + k] += e[k] * 5;
                below[3 * (x + 2) + k] += e[k];
            }
        }
        if (diffuse) {
            std::swap(here, below);
            std::fill(below, below + 3 * (size_t(width) + 2), 0);
        }
        int percent = int(int64_t(y + 1) * 100 / height);
        if (options.Progress && percent != reported) options.Progress(reported = percent);
    }
    return out;
}

bool IsHigh(const TDibConvertOptions& options) { return options.Option != kConvertLow; }

// 24-bit pixels onto 8, 4 or 1 bits: Low by nearest colour of the fixed
// palettes, High on a palette made for the picture with the error diffused.
// Two colours are always black and white.
TDib ReducedTrueColor(const TDib& dib, const char* step, int bits, bool high, const TDibConvertOptions& options)
{
    RequirePlainDib(dib, step, 24);
    if (bits == 1) return MapTrueColor(dib, 1, FixedPalette2(), high, options);
    if (high) return MapTrueColor(dib, bits, MedianCutPalette(dib, 1 << bits), true, options);
    return MapTrueColor(dib, bits, bits == 8 ? FixedPalette215() : FixedPalette16(), false, options);
}

// Indexed pixels onto fewer bits: the colours in use, in their order, when
// they fit; otherwise through 24 bits and `reduce`.
template <class Reduce>
TDib ReducedIndexed(const TDib& dib, const char* step, int from, int to, Reduce reduce)
{
    RequirePlainDib(dib, step, from);
    std::array<bool, kMaxDibColors> used{};
    const uint64_t stride = dib.Stride();
    for (int32_t y = 0; y < dib.Height(); ++y)
        for (int32_t x = 0; x < dib.Width(); ++x) used[size_t(PixelIndex(dib.Bits.data() + uint64_t(y) * stride, from, x))] = true;
    std::array<int, kMaxDibColors> remap{};
    std::vector<uint32_t> colors;
    for (int i = 0; i < kMaxDibColors; ++i)
        if (used[size_t(i)]) remap[size_t(i)] = int(colors.size()), colors.push_back(dib.Colors[size_t(i)]);
    if (colors.size() <= size_t(1) << to)
        return Repacked(dib, to, colors, [&](int index) { return remap[size_t(index)]; });
    return reduce(ToTrueColor(dib, step, from));
}

} // namespace

TDib Convert1BitRGBTo4BitRGB(const TDib& dib) { return Widened(dib, "Convert1BitRGBTo4BitRGB", 1, 4); }
TDib Convert1BitRGBTo8BitRGB(const TDib& dib) { return Widened(dib, "Convert1BitRGBTo8BitRGB", 1, 8); }
TDib Convert4BitRGBTo8BitRGB(const TDib& dib) { return Widened(dib, "Convert4BitRGBTo8BitRGB", 4, 8); }

TDib Convert1BitRGBToTrueColor(const TDib& dib) { return ToTrueColor(dib, "Convert1BitRGBToTrueColor", 1); }
TDib Convert4BitRGBToTrueColor(const TDib& dib) { return ToTrueColor(dib, "Convert4BitRGBToTrueColor", 4); }
TDib Convert8BitRGBToTrueColor(const TDib& dib) { return ToTrueColor(dib, "Convert8BitRGBToTrueColor", 8); }

TDib ConvertTrueColorTo8BitRGBLow(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedTrueColor(dib, "ConvertTrueColorTo8BitRGBLow", 8, false, options);
}

TDib ConvertTrueColorTo8BitRGBHigh(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedTrueColor(dib, "ConvertTrueColorTo8BitRGBHigh", 8, true, options);
}

TDib ConvertTrueColorTo4BitRGBLow(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedTrueColor(dib, "ConvertTrueColorTo4BitRGBLow", 4, false, options);
}

TDib ConvertTrueColorTo4BitRGBHigh(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedTrueColor(dib, "ConvertTrueColorTo4BitRGBHigh", 4, true, options);
}

TDib ConvertTrueColorTo1BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedTrueColor(dib, "ConvertTrueColorTo1BitRGB", 1, IsHigh(options), options);
}

TDib Convert8BitRGBTo4BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedIndexed(dib, "Convert8BitRGBTo4BitRGB", 8, 4, [&](const TDib& rgb) {
        return IsHigh(options) ? ConvertTrueColorTo4BitRGBHigh(rgb, options) : ConvertTrueColorTo4BitRGBLow(rgb, options);
    });
}

TDib Convert8BitTo1BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedIndexed(dib, "Convert8BitTo1BitRGB", 8, 1,
                          [&](const TDib& rgb) { return ConvertTrueColorTo1BitRGB(rgb, options); });
}

TDib Convert4BitRGBTo1BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    return ReducedIndexed(dib, "Convert4BitRGBTo1BitRGB", 4, 1,
                          [&](const TDib& rgb) { return ConvertTrueColorTo1BitRGB(rgb, options); });
}

namespace {

TDib ToTrueColorFrom(const TDib& dib, TDibFormat plain)
{
    switch (plain) {
    case TDibFormat::Bits1: return Convert1BitRGBToTrueColor(dib);
    case TDibFormat::Bits4: return Convert4BitRGBToTrueColor(dib);
    case TDibFormat::Bits8: return Convert8BitRGBToTrueColor(dib);
    default: return dib;
    }
}

// Between the plain formats 1, 4, 8 and 24 bits.
TDib ConvertPlain(const TDib& dib, TDibFormat from, TDibFormat to, const TDibConvertOptions& o)
{
    using F = TDibFormat;
    if (from == to) return dib;
    switch (to) {
    case F::Bits1:
        if (from == F::Bits4) return Convert4BitRGBTo1BitRGB(dib, o);
        if (from == F::Bits8) return Convert8BitTo1BitRGB(dib, o);
        return ConvertTrueColorTo1BitRGB(dib, o);
    case F::Bits4:
        if (from == F::Bits1) return Convert1BitRGBTo4BitRGB(dib);
        if (from == F::Bits8) return Convert8BitRGBTo4BitRGB(dib, o);
        return IsHigh(o) ? ConvertTrueColorTo4BitRGBHigh(dib, o) : ConvertTrueColorTo4BitRGBLow(dib, o);
    case F::Bits8:
        if (from == F::Bits1) return Convert1BitRGBTo8BitRGB(dib);
        if (from == F::Bits4) return Convert4BitRGBTo8BitRGB(dib);
        return IsHigh(o) ? ConvertTrueColorTo8BitRGBHigh(dib, o) : ConvertTrueColorTo8BitRGBLow(dib, o);
    default: return ToTrueColorFrom(dib, from);
    }
}

} // namespace

TDib ConvertDibFormat(const TDib& dib, TDibFormat to, const TDibConvertOptions& options)
{
    using F = TDibFormat;
    F from = GetDibFormat(dib);
    if (from == to) return dib;
    // Leave run-length form first; every other step takes plain rows.
    TDib decoded;
    if (from == F::Bits8Rle) decoded = Convert8BitRLETo8BitRGB(dib, options), from = F::Bits8;
    if (from == F::Bits4Rle) decoded = Convert4BitRLETo4BitRGB(dib, options), from = F::Bits4;
    const TDib& plain = decoded.Bits.empty() ? dib : decoded;
    switch (to) {
    case F::Fixed215: return ConvertTrueColorTo8BitRGBLow(ToTrueColorFrom(plain, from), options);
    case F::Fixed2: {
        TDibConvertOptions low = options;
        low.Option = kConvertLow;
        return ConvertTrueColorTo1BitRGB(ToTrueColorFrom(plain, from), low);
    }
    case F::Bits8Rle: return Convert8BitRGBTo8BitRLE(ConvertPlain(plain, from, F::Bits8, options));
    case F::Bits4Rle: return Convert4BitRGBTo4BitRLE(ConvertPlain(plain, from, F::Bits4, options));
    default: return ConvertPlain(plain, from, to, options);
    }
}

TDibProgressCaption PixelFormatProgress(TDibFormat from, TDibFormat to)
{
    auto name = [](TDibFormat f) -> const char* {
        switch (f) {
        case TDibFormat::Bits4: return "4Bit";
        case TDibFormat::Bits4Rle: return "4BitRLE";
        case TDibFormat::Bits8: return "8Bit";
        case TDibFormat::Bits8Rle: return "8BitRLE";
        case TDibFormat::Bits24: return "24Bit";
        default: return nullptr;
        }
    };
    const bool fromOk = from == TDibFormat::Bits8 || from == TDibFormat::Bits8Rle || from == TDibFormat::Bits24;
    const bool toFour = to == TDibFormat::Bits4 || to == TDibFormat::Bits4Rle;
    const bool toEight = to == TDibFormat::Bits8 || to == TDibFormat::Bits8Rle;
    if (!fromOk || !(toFour || (toEight && from == TDibFormat::Bits24))) return {};
    return {std::string("PixelFormat ") + name(from) + " -> " + name(to), toFour ? 16 : 256};
}
