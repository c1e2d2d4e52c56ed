#pragma once
// The icon file (.ico) and the icon group of a program's resources: an icon
// file is a directory of images followed by the images; a resource group is
// the same directory naming each image by its resource id instead of an
// offset. Inputs are untrusted: every count, size and offset is checked
// against the bytes given.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// One image of an icon: its directory fields and its bytes (a BITMAPINFO
// header with double height, the colour table, the colour bits and the mask
// bits; or a PNG stream).
struct TIconImage {
    uint8_t Width = 0;   // 0 stands for 256
    uint8_t Height = 0;
    uint8_t ColorCount = 0;
    uint16_t Planes = 1;
    uint16_t BitCount = 32;
    std::vector<uint8_t> Bytes;
    bool operator==(const TIconImage&) const = default;
};

// One entry of a resource group: the directory fields and the id of the
// icon resource that holds the image.
struct TIconGroupEntry {
    uint8_t Width = 0, Height = 0, ColorCount = 0;
    uint16_t Planes = 1, BitCount = 0;
    uint32_t BytesInRes = 0;
    uint16_t Id = 0;
};

// The entries of a resource group's directory; none when the bytes are not
// one (wrong type, no images, shorter than their count).
std::optional<std::vector<TIconGroupEntry>> ReadIconGroup(std::span<const uint8_t> group);

// An icon file with the group's images, each fetched by its resource id
// through `image` (nothing: the group is refused). None when the group is
// refused.
std::optional<std::vector<uint8_t>> IconFileFromGroup(
    std::span<const uint8_t> group, const std::function<std::optional<std::vector<uint8_t>>(uint16_t id)>& image);

// The icon file holding these images, in this order.
std::vector<uint8_t> WriteIconFile(const std::vector<TIconImage>& images);
// The images of an icon file; none when the bytes are not one (a directory
// that does not fit, an image outside the file).
std::optional<std::vector<TIconImage>> ReadIconFile(std::span<const uint8_t> file);

// A 32-bit icon image of `width` x `height` (1 to 256) from bottom-up rows:
// `colorBits` 4 bytes a pixel (blue, green, red, alpha), `maskBits` one bit
// a pixel in rows padded to 4 bytes. Missing bytes count as zero.
TIconImage IconImageFromBits(int width, int height, std::span<const uint8_t> colorBits,
                             std::span<const uint8_t> maskBits);
