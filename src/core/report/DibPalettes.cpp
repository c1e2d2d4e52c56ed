#include "core/report/DibPalettes.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint8_t kRedLevels[6] = {0, 51, 102, 153, 204, 255};
constexpr uint8_t kGreenLevels[7] = {0, 42, 85, 128, 170, 213, 255};
constexpr uint8_t kBlueLevels[5] = {0, 64, 128, 191, 255};
// Greys the levels above do not give.
constexpr uint8_t kGreyLevels[5] = {36, 73, 109, 146, 182};

std::array<uint32_t, 215> MakePalette215()
{
    std::array<uint32_t, 215> p{};
    size_t i = 0;
    for (uint8_t r : kRedLevels)
        for (uint8_t g : kGreenLevels)
            for (uint8_t b : kBlueLevels) p[i++] = RgbEntry(r, g, b);
    for (uint8_t v : kGreyLevels) p[i++] = RgbEntry(v, v, v);
    return p;
}

// Histogram cells of 5 bits a channel, with the sums that give a cell's
// mean colour.
struct TCell {
    uint32_t Key;  // r5 << 10 | g5 << 5 | b5
    uint64_t Count, R, G, B;
};

int Channel(uint32_t key, int axis) { return int(key >> (10 - 5 * axis) & 31); }

struct TBox {
    size_t Begin, End;  // cells [Begin, End)
    uint64_t Count;
    int Axis, Range;
};

TBox MeasureBox(const std::vector<TCell>& cells, size_t begin, size_t end)
{
    TBox box{begin, end, 0, 0, 0};
    int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        box.Count += cells[i].Count;
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], Channel(cells[i].Key, a));
            hi[a] = std::max(hi[a], Channel(cells[i].Key, a));
        }
    }
    for (int a = 0; a < 3; ++a)
        if (hi[a] - lo[a] > box.Range) box.Range = hi[a] - lo[a], box.Axis = a;
    return box;
}

} // namespace

std::span<const uint32_t> FixedPalette215()
{
    static const std::array<uint32_t, 215> palette = MakePalette215();
    return palette;
}

std::span<const uint32_t> FixedPalette2()
{
    static const std::array<uint32_t, 2> palette = {0x000000, 0xFFFFFF};
    return palette;
}

std::span<const uint32_t> FixedPalette16()
{
    static const std::array<uint32_t, 16> palette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return palette;
}

int NearestEntry(std::span<const uint32_t> palette, int r, int g, int b)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int dr = EntryRed(palette[i]) - r, dg = EntryGreen(palette[i]) - g, db = EntryBlue(palette[i]) - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = int(i);
    }
    return best;
}

TNearestEntryMap::TNearestEntryMap(std::span<const uint32_t> palette) : Palette(palette), Map(32 * 32 * 32, -1) {}

uint8_t TNearestEntryMap::operator()(int r, int g, int b)
{
    int16_t& cell = Map[size_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))];
    // Each cell stands for the middle of its 8 x 8 x 8 colours.
    if (cell < 0) cell = int16_t(NearestEntry(Palette, (r & ~7) + 4, (g & ~7) + 4, (b & ~7) + 4));
    return uint8_t(cell);
}

namespace {

// The histogram cells a picture's pixels fall in, each with its pixel count
// and colour sums, in the order of their keys.
std::vector<TCell> Histogram(const TDib& dib)
{
    const uint64_t stride = dib.Stride();
    const uint64_t pixels = uint64_t(dib.Width()) * uint64_t(dib.Height());
    auto forEachPixel = [&](auto visit) {
        for (int32_t y = 0; y < dib.Height(); ++y) {
            const uint8_t* row = dib.Bits.data() + uint64_t(y) * stride;
            for (int32_t x = 0; x < dib.Width(); ++x) visit(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        }
    };
    auto keyOf = [](uint32_t r, uint32_t g, uint32_t b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); };
    std::vector<TCell> cells;
    if (pixels <= 32 * 32 * 32) {
        // Few pixels: sort them rather than fill the whole table.
        std::vector<uint64_t> sorted;
        sorted.reserve(size_t(pixels));
        forEachPixel([&](uint32_t r, uint32_t g, uint32_t b) {
            sorted.push_back(uint64_t(keyOf(r, g, b)) << 24 | r << 16 | g << 8 | b);
        });
        std::sort(sorted.begin(), sorted.end());
        for (uint64_t v : sorted) {
            const uint32_t key = uint32_t(v >> 24);
            if (cells.empty() || cells.back().Key != key) cells.push_back({key, 0, 0, 0, 0});
            TCell& c = cells.back();
            ++c.Count, c.R += v >> 16 & 0xFF, c.G += v >> 8 & 0xFF, c.B += v & 0xFF;
        }
        return cells;
    }
    cells.resize(32 * 32 * 32);
    for (uint32_t k = 0; k < cells.size(); ++k) cells[k].Key = k;
    forEachPixel([&](uint32_t r, uint32_t g, uint32_t b) {
        TCell& c = cells[keyOf(r, g, b)];
        ++c.Count, c.R += r, c.G += g, c.B += b;
    });
    std::erase_if(cells, [](const TCell& c) { return c.Count == 0; });
    return cells;
}

} // namespace

std::vector<uint32_t> MedianCutPalette(const TDib& dib, int count)
{
    std::vector<TCell> cells = Histogram(dib);
    if (cells.empty()) return {0};

    std::vector<TBox> boxes = {MeasureBox(cells, 0, cells.size())};
    while (int(boxes.size()) < count) {
        // Split the box of the most pixels among those that can be split.
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
            return (a.Range > 0 ? a.Count : 0) < (b.Range > 0 ? b.Count : 0);
        });
        if (widest->Range == 0) break;
        TBox box = *widest;
        auto begin = cells.begin() + ptrdiff_t(box.Begin), end = cells.begin() + ptrdiff_t(box.End);
        std::sort(begin, end, [axis = box.Axis](const TCell& a, const TCell& b) {
            return Channel(a.Key, axis) < Channel(b.Key, axis);
        });
        // The median by pixels, leaving at least one cell on each side.
        uint64_t half = box.Count / 2, seen = 0;
        size_t cut = box.Begin;
        while (cut < box.End - 1 && seen + cells[cut].Count <= half) seen += cells[cut++].Count;
        if (cut == box.Begin) ++cut;
        *widest = MeasureBox(cells, box.Begin, cut);
        boxes.push_back(MeasureBox(cells, cut, box.End));
    }
    std::vector<uint32_t> palette;
    for (const TBox& box : boxes) {
        uint64_t n = 0, r = 0, g = 0, b = 0;
        for (size_t i = box.Begin; i < box.End; ++i) n += cells[i].Count, r += cells[i].R, g += cells[i].G, b += cells[i].B;
        palette.push_back(RgbEntry(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)));
    }
    return palette;
}
