#include "core/settings/OptionValues.h"

#include <gtest/gtest.h>

namespace {

// Settings a user of an older version could hold: system colours, an opacity
// step of 70, lower-case types with a double-byte one.
TInitData Stored()
{
    TInitData s;
    s.ToolTransparency = 70;
    s.ListColor = 0x00336699;
    s.HiddenColor = 0xFF000011;
    s.TreeFont.Name = "\x82\x6c\x82\x72 UI Gothic";  // "ＭＳ" in code page 932
    s.TreeFont.Style = fsBold | fsItalic;
    // "ｊｐｇ" is 82 8B 82 90 82 87: its second bytes are 'x'-range letters'
    // neighbours; "表" is 95 5C.
    s.FileTypes = {"jpg", "Png", "\x82\x8b\x82\x90\x82\x87", "\x95\x5c" "a", ""};
    return s;
}

}  // namespace

TEST(OptionValues, ConfirmingWithoutChangesKeepsAllButTheTwoNormalisations)
{
    TInitData s = Stored();
    TInitData expected = Stored();
    StoreOptions(TakeOptions(s), s);
    expected.ToolTransparency = 10;
    expected.FileTypes = {"JPG", "PNG", "\x82\x8b\x82\x90\x82\x87", "\x95\x5c" "A", ""};
    EXPECT_EQ(s.ToolTransparency, expected.ToolTransparency);
    EXPECT_EQ(s.FileTypes, expected.FileTypes);
    // Everything else, compared through what the dialog edits and beyond.
    EXPECT_EQ(TakeOptions(s), TakeOptions(expected));
    EXPECT_EQ(s.HiddenColor, 0xFF000011u);
    EXPECT_EQ(s.TreeFont, Stored().TreeFont);
    EXPECT_EQ(s.RenExtText, expected.RenExtText);
}

TEST(OptionValues, EachPanelStoresIntoItsOwnSetting)
{
    TInitData s;
    TOptionValues v = TakeOptions(s);
    for (int i = 0; i < apCount; ++i) v.AttributeColors[size_t(i)] = TColor(0x100 + i);
    StoreOptions(v, s);
    EXPECT_EQ(s.ReadOnlyColor, 0x100u);
    EXPECT_EQ(s.HiddenColor, 0x101u);
    EXPECT_EQ(s.SystemColor, 0x102u);
    EXPECT_EQ(s.ArchiveColor, 0x103u);
    EXPECT_EQ(s.DirectoryColor, 0x104u);
    EXPECT_EQ(s.TemporaryColor, 0x105u);
    EXPECT_EQ(s.CompressedColor, 0x106u);
    EXPECT_EQ(s.OfflineColor, 0x107u);
}

TEST(OptionValues, OpacityStepsAndLabel)
{
    struct Case {
        int32_t stored;
        int32_t level;
        uint8_t alpha;
    };
    const Case cases[] = {{70, 10, 255}, {10, 10, 255}, {7, 7, 178}, {1, 1, 25}, {0, 0, 25}, {-3, 0, 25}, {5, 5, 127}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToolLevel(c.stored), c.level) << c.stored;
        EXPECT_EQ(ToolAlpha(c.stored), c.alpha) << c.stored;
    }
    EXPECT_EQ(OpacityLabel(0), L": 透過率(0%)");
    EXPECT_EQ(OpacityLabel(7), L": 透過率(70%)");
    EXPECT_EQ(OpacityLabel(10), L": 透過率(100%)");
}
