#include "core/fileops/IconFile.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::vector<uint8_t> Group(const std::vector<TIconGroupEntry>& entries)
{
    std::vector<uint8_t> b = {0, 0, 1, 0, uint8_t(entries.size()), 0};
    for (const TIconGroupEntry& e : entries) {
        b.insert(b.end(), {e.Width, e.Height, e.ColorCount, 0, uint8_t(e.Planes), 0, uint8_t(e.BitCount), 0});
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(e.BytesInRes >> (8 * i)));
        b.push_back(uint8_t(e.Id));
        b.push_back(uint8_t(e.Id >> 8));
    }
    return b;
}

}  // namespace

TEST(IconFile, AGroupBecomesAFileWithEveryImage)
{
    std::map<uint16_t, std::vector<uint8_t>> resources = {{7, {1, 2, 3}}, {9, {4, 5, 6, 7, 8}}};
    std::vector<uint8_t> group = Group({{16, 16, 0, 1, 32, 3, 7}, {32, 32, 16, 1, 4, 5, 9}});
    auto fetch = [&](uint16_t id) -> std::optional<std::vector<uint8_t>> {
        auto it = resources.find(id);
        if (it == resources.end()) return std::nullopt;
        return it->second;
    };
    std::optional<std::vector<uint8_t>> file = IconFileFromGroup(group, fetch);
    ASSERT_TRUE(file);
    // 6 + 2 x 16 bytes of directory, then the images in order.
    ASSERT_EQ(file->size(), 6u + 32u + 8u);
    EXPECT_EQ((*file)[6 + 8], 3);                    // first entry's size
    EXPECT_EQ((*file)[6 + 12], 38);                  // first image right after the directory
    EXPECT_EQ((*file)[6 + 16 + 12], 41);
    std::optional<std::vector<TIconImage>> back = ReadIconFile(*file);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[0].Bytes, resources[7]);
    EXPECT_EQ((*back)[1].Bytes, resources[9]);
    EXPECT_EQ((*back)[1].Width, 32);
    EXPECT_EQ((*back)[1].ColorCount, 16);
    EXPECT_EQ((*back)[1].BitCount, 4);

    // A group naming an image that is not there is refused.
    resources.erase(9);
    EXPECT_FALSE(IconFileFromGroup(group, fetch));
}

TEST(IconFile, BrokenBytesAreRefused)
{
    std::vector<uint8_t> good = WriteIconFile({TIconImage{16, 16, 0, 1, 32, {1, 2, 3, 4}}});
    ASSERT_TRUE(ReadIconFile(good));
    struct Case {
        const char* what;
        size_t at;
        uint8_t value;
    };
    const Case cases[] = {
        {"not an icon type", 2, 2}, {"no images", 4, 0}, {"more images than the directory holds", 4, 9},
        {"an image past the end", 6 + 8, 200}, {"an image offset past the end", 6 + 12, 250},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        bad[c.at] = c.value;
        EXPECT_FALSE(ReadIconFile(bad)) << c.what;
    }
    EXPECT_FALSE(ReadIconFile(std::vector<uint8_t>(good.begin(), good.begin() + 10)));
    EXPECT_FALSE(ReadIconGroup(std::vector<uint8_t>{0, 0, 1, 0, 1, 0}));
}

TEST(IconFile, AnImageFromBitsHasItsHeaderAndBothPlanes)
{
    std::vector<uint8_t> color(32 * 32 * 4, 0x80), mask(32 * 4, 0xFF);
    TIconImage image = IconImageFromBits(32, 32, color, mask);
    EXPECT_EQ(image.Width, 32);
    EXPECT_EQ(image.BitCount, 32);
    ASSERT_EQ(image.Bytes.size(), 40u + 4096u + 128u);
    EXPECT_EQ(image.Bytes[8], 64);  // double height
    EXPECT_EQ(image.Bytes[14], 32);
    EXPECT_EQ(image.Bytes[40], 0x80);
    EXPECT_EQ(image.Bytes.back(), 0xFF);
    // Short input leaves zeros, never reads past it.
    TIconImage small = IconImageFromBits(256, 256, {}, {});
    EXPECT_EQ(small.Width, 0);
    EXPECT_EQ(small.Bytes.size(), 40u + 256u * 256u * 4u + 32u * 256u);
}
