#include "core/fileops/IconFile.h"

#include <algorithm>

namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kFileEntry = 16;
constexpr size_t kGroupEntry = 14;
constexpr uint16_t kIconType = 1;

uint16_t Get16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t Get32(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// The image count of a directory of `entrySize`-byte entries that fits.
std::optional<size_t> DirectoryCount(std::span<const uint8_t> bytes, size_t entrySize)
{
    if (bytes.size() < kDirectoryHeader || Get16(bytes, 0) != 0 || Get16(bytes, 2) != kIconType) return std::nullopt;
    size_t count = Get16(bytes, 4);
    if (count == 0 || bytes.size() < kDirectoryHeader + count * entrySize) return std::nullopt;
    return count;
}

}  // namespace

std::optional<std::vector<TIconGroupEntry>> ReadIconGroup(std::span<const uint8_t> group)
{
    std::optional<size_t> count = DirectoryCount(group, kGroupEntry);
    if (!count) return std::nullopt;
    std::vector<TIconGroupEntry> entries;
    for (size_t i = 0; i < *count; ++i) {
        size_t at = kDirectoryHeader + i * kGroupEntry;
        TIconGroupEntry e;
        e.Width = group[at];
        e.Height = group[at + 1];
        e.ColorCount = group[at + 2];
        e.Planes = Get16(group, at + 4);
        e.BitCount = Get16(group, at + 6);
        e.BytesInRes = Get32(group, at + 8);
        e.Id = Get16(group, at + 12);
        entries.push_back(e);
    }
    return entries;
}

std::optional<std::vector<uint8_t>> IconFileFromGroup(
    std::span<const uint8_t> group, const std::function<std::optional<std::vector<uint8_t>>(uint16_t id)>& image)
{
    std::optional<std::vector<TIconGroupEntry>> entries = ReadIconGroup(group);
    if (!entries) return std::nullopt;
    std::vector<TIconImage> images;
    for (const TIconGroupEntry& e : *entries) {
        std::optional<std::vector<uint8_t>> bytes = image(e.Id);
        if (!bytes || bytes->empty()) return std::nullopt;
        images.push_back({e.Width, e.Height, e.ColorCount, e.Planes, e.BitCount, std::move(*bytes)});
    }
    return WriteIconFile(images);
}

std::vector<uint8_t> WriteIconFile(const std::vector<TIconImage>& images)
{
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, kIconType);
    Put16(out, uint16_t(images.size()));
    uint32_t offset = uint32_t(kDirectoryHeader + images.size() * kFileEntry);
    for (const TIconImage& image : images) {
        out.push_back(image.Width);
        out.push_back(image.Height);
        out.push_back(image.ColorCount);
        out.push_back(0);
        Put16(out, image.Planes);
        Put16(out, image.BitCount);
        Put32(out, uint32_t(image.Bytes.size()));
        Put32(out, offset);
        offset += uint32_t(image.Bytes.size());
    }
    for (const TIconImage& image : images) out.insert(out.end(), image.Bytes.begin(), image.Bytes.end());
    return out;
}

std::optional<std::vector<TIconImage>> ReadIconFile(std::span<const uint8_t> file)
{
    std::optional<size_t> count = DirectoryCount(file, kFileEntry);
    if (!count) return std::nullopt;
    std::vector<TIconImage> images;
    for (size_t i = 0; i < *count; ++i) {
        size_t at = kDirectoryHeader + i * kFileEntry;
        uint64_t size = Get32(file, at + 8);
        uint64_t offset = Get32(file, at + 12);
        if (size == 0 || offset + size > file.size()) return std::nullopt;
        TIconImage image;
        image.Width = file[at];
        image.Height = file[at + 1];
        image.ColorCount = file[at + 2];
        image.Planes = Get16(file, at + 4);
        image.BitCount = Get16(file, at + 6);
        image.Bytes.assign(file.begin() + ptrdiff_t(offset), file.begin() + ptrdiff_t(offset + size));
        images.push_back(std::move(image));
    }
    return images;
}

TIconImage IconImageFromBits(int width, int height, std::span<const uint8_t> colorBits,
                             std::span<const uint8_t> maskBits)
{
    width = std::clamp(width, 1, 256);
    height = std::clamp(height, 1, 256);
    const size_t colorBytes = size_t(width) * 4 * size_t(height);
    const size_t maskBytes = size_t((width + 31) / 32 * 4) * size_t(height);
    TIconImage image;
    image.Width = uint8_t(width == 256 ? 0 : width);
    image.Height = uint8_t(height == 256 ? 0 : height);
    image.BitCount = 32;
    std::vector<uint8_t>& b = image.Bytes;
    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    Put32(b, 40);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height * 2));
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 0);  // BI_RGB
    Put32(b, uint32_t(colorBytes + maskBytes));
    for (int i = 0; i < 4; ++i) Put32(b, 0);
    size_t start = b.size();
    b.resize(start + colorBytes + maskBytes, 0);
    std::copy_n(colorBits.begin(), std::min(colorBits.size(), colorBytes), b.begin() + ptrdiff_t(start));
    std::copy_n(maskBits.begin(), std::min(maskBits.size(), maskBytes), b.begin() + ptrdiff_t(start + colorBytes));
    return image;
}
