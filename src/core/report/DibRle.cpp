// The run-length steps of the converter.
#include "core/report/DibConvert.h"
#include "core/report/DibErrors.h"
#include "core/report/DibPalettes.h"
#include "core/report/DibSteps.h"
#include "core/viewer/DibLayout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Reasons 1 to 4 of "Bad RLE Data", offset by 4 for run-length 4.
enum TRleProblem { kCutShort = 0, kRunPastRow = 1, kLiteralPastRow = 2, kPastPicture = 3 };

TDib DecodeRle(const TDib& dib, const char* step, int bits, const TDibConvertOptions& options)
{
    TDib out = ReshapedDib(dib, bits, kBiRgb, std::span(dib.Colors).first(dib.TableEntries()));
    const int firstReason = bits == 8 ? 1 : 5;
    auto bad = [&](TRleProblem p) {
        throw EDibBadDIBType(std::string(step) + ": Bad RLE Data " + std::to_string(firstReason + p));
    };
    const uint32_t entries = dib.TableEntries();
    const uint32_t bg = EntryOfColorRef(options.Background);
    const int background =
        entries ? NearestEntry(std::span(dib.Colors).first(entries), EntryRed(bg), EntryGreen(bg), EntryBlue(bg)) : 0;
    std::fill(out.Bits.begin(), out.Bits.end(), uint8_t(bits == 8 ? background : background << 4 | background));

    const int32_t width = dib.Width(), height = dib.Height();
    const uint64_t stride = out.Stride();
    // Runs may fill a row's padding (encoders round odd widths up), never more.
    const int64_t rowPixels = int64_t(stride * 8 / uint64_t(bits));
    const uint8_t* d = dib.Bits.data();
    const size_t n = dib.Bits.size();
    int64_t x = 0, y = 0;
    auto put = [&](int64_t at, int index) {
        if (at < width) SetPixelIndex(&out.Bits[size_t(uint64_t(y) * stride)], bits, int32_t(at), index);
    };
    size_t i = 0;
    while (i < n) {
        if (n - i < 2) bad(kCutShort);
        const uint8_t count = d[i], value = d[i + 1];
        i += 2;
        if (count > 0) {  // a run of one value (two alternating nibbles in 4 bits)
            if (y >= height) bad(kPastPicture);
            if (x + count > rowPixels) bad(kRunPastRow);
            for (int k = 0; k < count; ++k) put(x + k, bits == 8 ? value : (k & 1) ? value & 0x0F : value >> 4);
            x += count;
            continue;
        }
        if (value == 0) {  // end of line; one past the last row is where encoders leave off
            x = 0;
            y = std::min<int64_t>(y + 1, height);
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up
            if (n - i < 2) bad(kCutShort);
            if (x + d[i] > rowPixels || y + d[i + 1] > height) bad(kPastPicture);
            x += d[i];
            y += d[i + 1];
            i += 2;
        } else {  // `value` pixels as they stand, padded to a 16-bit boundary
            const size_t bytes = bits == 8 ? value : (size_t(value) + 1) / 2;
            if (n - i < bytes) bad(kCutShort);
            if (y >= height) bad(kPastPicture);
            if (x + value > rowPixels) bad(kLiteralPastRow);
            for (int k = 0; k < value; ++k)
                put(x + k, bits == 8 ? d[i + k] : (k & 1) ? d[i + k / 2] & 0x0F : d[i + k / 2] >> 4);
            x += value;
            i += std::min(bytes + (bytes & 1), n - i);
        }
    }
    return out;
}

// One row of indices as run-length codes: runs of two or more, literal
// stretches of three or more, single pixels as runs of one.
void EncodeRow(const uint8_t* row, int bits, int32_t width, std::vector<uint8_t>& o)
{
    auto at = [&](int32_t x) { return PixelIndex(row, bits, x); };
    auto value = [&](int index) { return uint8_t(bits == 8 ? index : index << 4 | index); };
    int32_t i = 0;
    while (i < width) {
        int32_t run = 1;
        while (i + run < width && run < 255 && at(i + run) == at(i)) ++run;
        if (run >= 2) {
            o.push_back(uint8_t(run));
            o.push_back(value(at(i)));
            i += run;
            continue;
        }
        int32_t j = i;
        while (j < width && j - i < 255 && !(j + 2 < width && at(j) == at(j + 1) && at(j) == at(j + 2))) ++j;
        const int32_t length = j - i;
        if (length < 3) {
            for (int32_t k = i; k < j; ++k) o.push_back(1), o.push_back(value(at(k)));
        } else {
            o.push_back(0);
            o.push_back(uint8_t(length));
            size_t start = o.size();
            for (int32_t k = 0; k < length; ++k) {
                if (bits == 8) o.push_back(uint8_t(at(i + k)));
                else if (k & 1) o.back() = uint8_t(o.back() | at(i + k));
                else o.push_back(uint8_t(at(i + k) << 4));
            }
            if ((o.size() - start) & 1) o.push_back(0);
        }
        i = j;
    }
}

TDib EncodeRle(const TDib& dib, const char* step, int bits)
{
    TDib out = ReshapedDib(dib, bits, bits == 8 ? kBiRle8 : kBiRle4, std::span(dib.Colors).first(dib.TableEntries()));
    out.Info.Height = dib.Height();
    const uint64_t stride = dib.Stride();
    std::vector<uint8_t> o;
    for (int32_t r = 0; r < dib.Height(); ++r) {
        // Run-length rows go bottom-up whatever the order of the plain rows.
        int32_t stored = dib.TopDown() ? dib.Height() - 1 - r : r;
        EncodeRow(dib.Bits.data() + uint64_t(stored) * stride, bits, dib.Width(), o);
        if (r + 1 < dib.Height()) o.push_back(0), o.push_back(0);
    }
    o.push_back(0);
    o.push_back(1);
    if (o.size() > size_t(INT32_MAX)) throw EDibCompressionFailed(std::string(step) + ": Compression Failed");
    out.Bits = std::move(o);
    out.Info.SizeImage = out.ImageSize();
    return out;
}

} // namespace

TDib Convert8BitRLETo8BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    const char* step = "Convert8BitRLETo8BitRGB";
    RequireDibForm(dib, step, 8, kBiRle8);
    return DecodeRle(dib, step, 8, options);
}

TDib Convert4BitRLETo4BitRGB(const TDib& dib, const TDibConvertOptions& options)
{
    const char* step = "Convert4BitRLETo4BitRGB";
    RequireDibForm(dib, step, 4, kBiRle4);
    return DecodeRle(dib, step, 4, options);
}

TDib Convert8BitRGBTo8BitRLE(const TDib& dib)
{
    const char* step = "Convert8BitRGBTo8BitRLE";
    RequireDibForm(dib, step, 8, kBiRgb);
    return EncodeRle(dib, step, 8);
}

TDib Convert4BitRGBTo4BitRLE(const TDib& dib)
{
    const char* step = "Convert4BitRGBTo4BitRLE";
    RequireDibForm(dib, step, 4, kBiRgb);
    return EncodeRle(dib, step, 4);
}
