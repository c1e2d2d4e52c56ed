#include "core/shell/ClipboardLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ClipboardLayout, IDListArrayHoldsParentThenItemsAtTheirOffsets)
{
    const Bytes parent = {4, 0, 'p', 'q', 3, 0, 'r', 0, 0};  // two identifiers
    const Bytes first = {3, 0, 'a', 0, 0};
    const Bytes second = {5, 0, 'b', 'c', 'd', 0, 0};
    const Bytes desktop = {0, 0};

    struct Case {
        const char* what;
        const Bytes* parent;
        std::vector<const Bytes*> items;
        Bytes expected;
    };
    const Case cases[] = {
        {"two items", &parent, {&first, &second},
         {2, 0, 0, 0, 16, 0, 0, 0, 25, 0, 0, 0, 30, 0, 0, 0,  // count, offsets
          4, 0, 'p', 'q', 3, 0, 'r', 0, 0,                   // parent at 16
          3, 0, 'a', 0, 0,                                   // first at 25
          5, 0, 'b', 'c', 'd', 0, 0}},                       // second at 30
        {"desktop parent", &desktop, {&first},
         {1, 0, 0, 0, 12, 0, 0, 0, 14, 0, 0, 0, 0, 0, 3, 0, 'a', 0, 0}},
        {"no items", &parent, {}, {0, 0, 0, 0, 8, 0, 0, 0, 4, 0, 'p', 'q', 3, 0, 'r', 0, 0}},
        {"no parent", nullptr, {&first}, {}},
        {"an absent item", &parent, {&first, nullptr}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<const uint8_t*> items;
        for (const Bytes* item : c.items) items.push_back(item ? item->data() : nullptr);
        EXPECT_EQ(BuildIDListArray(c.parent ? c.parent->data() : nullptr, items), c.expected);
    }
}

TEST(ClipboardLayout, DropFilesListsWideNamesEndedTwice)
{
    const Bytes header = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    struct Case {
        const char* what;
        std::vector<std::u16string> paths;
        Bytes names;
    };
    const Case cases[] = {
        {"two names", {u"C:\\a", u"C:\\b"},
         {'C', 0, ':', 0, '\\', 0, 'a', 0, 0, 0, 'C', 0, ':', 0, '\\', 0, 'b', 0, 0, 0, 0, 0}},
        {"Japanese and beyond the basic plane", {u"C:\\\u65e5\U0001F600"},
         {'C', 0, ':', 0, '\\', 0, 0xE5, 0x65, 0x3D, 0xD8, 0x00, 0xDE, 0, 0, 0, 0}},
        {"an empty name is left out", {u"", u"D:\\x"}, {'D', 0, ':', 0, '\\', 0, 'x', 0, 0, 0, 0, 0}},
        {"none", {}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes expected = header;
        expected.insert(expected.end(), c.names.begin(), c.names.end());
        EXPECT_EQ(BuildWideDropFiles(c.paths), expected);
    }
}

TEST(ClipboardLayout, PasteMovesOnlyWhenOnlyAMoveIsOffered)
{
    const struct {
        uint32_t effect;
        bool move;
    } cases[] = {
        {kDropEffectMove, true},
        {kDropEffectCopy | kDropEffectLink, false},
        {kDropEffectCopy, false},
        {kDropEffectCopy | kDropEffectMove | kDropEffectLink, false},
        {kDropEffectMove | kDropEffectLink, true},
        {0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(PasteShouldMove(c.effect), c.move) << c.effect;
}

}  // namespace
