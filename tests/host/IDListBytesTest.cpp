#include "core/shell/IDListBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kDesktop = {0, 0};
const Bytes kOne = {5, 0, 'a', 'b', 'c', 0, 0};
const Bytes kThree = {3, 0, 'x', 4, 0, 'y', 'z', 5, 0, 'p', 'q', 'r', 0, 0};

TEST(IDListBytes, ReadsTheLayout)
{
    struct Case {
        const char* what;
        const Bytes* list;   // null for the absent list
        size_t size;
        long next;           // offset of IDListNext, -1 for null
        int count;
        long last;           // offset of IDListLastItem, -1 for null
        size_t parentBytes;
    };
    const Case cases[] = {
        {"null", nullptr, 0, -1, 0, -1, 0},
        {"desktop", &kDesktop, 2, -1, 0, -1, 0},
        {"one item", &kOne, 7, -1, 1, 0, 0},
        {"three items", &kThree, 14, 3, 3, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const uint8_t* list = c.list ? c.list->data() : nullptr;
        auto offset = [list](const uint8_t* p) { return p ? long(p - list) : -1L; };
        EXPECT_EQ(IDListSize(list), c.size);
        EXPECT_EQ(offset(IDListNext(list)), c.next);
        EXPECT_EQ(IDListItemCount(list), c.count);
        EXPECT_EQ(offset(IDListLastItem(list)), c.last);
        EXPECT_EQ(IDListParentBytes(list), c.parentBytes);
        if (c.list) EXPECT_TRUE(IsSoundIDList(list, c.list->size()));
    }
    EXPECT_EQ(IDItemSize(kThree.data() + 3), 4);
    // Walking by IDListNext visits every item of a longer list.
    const uint8_t* second = IDListNext(kThree.data());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(IDListNext(second), kThree.data() + 7);
    EXPECT_EQ(IDListNext(kThree.data() + 7), nullptr);
}

TEST(IDListBytes, RejectsUnsoundBytes)
{
    struct Case { const char* what; Bytes data; bool sound; };
    const Case cases[] = {
        {"no bytes", {}, true},
        {"desktop", {0, 0}, true},
        {"one byte", {0}, false},
        {"no terminator", {3, 0, 'x'}, false},
        {"half a terminator", {3, 0, 'x', 0}, false},
        {"length below two", {1, 0, 0, 0}, false},
        {"length past the end", {9, 0, 'x', 0, 0}, false},
        {"bytes after the terminator", {3, 0, 'x', 0, 0, 7}, false},
        {"large length, little-endian", {3, 1, 'x', 0, 0}, false},
        {"two items", {3, 0, 'x', 3, 0, 'y', 0, 0}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSoundIDList(c.data.data(), c.data.size()), c.sound) << c.what;
}

TEST(IDListBytes, ComparesWholeLists)
{
    const Bytes threeCopy = kThree;
    Bytes threeChanged = kThree;
    threeChanged[10] = 'Q';
    const Bytes twoOfThree = {3, 0, 'x', 4, 0, 'y', 'z', 0, 0};

    EXPECT_TRUE(IDListBytesEqual(nullptr, nullptr));
    EXPECT_FALSE(IDListBytesEqual(nullptr, kDesktop.data()));
    EXPECT_FALSE(IDListBytesEqual(kDesktop.data(), nullptr));
    EXPECT_TRUE(IDListBytesEqual(kDesktop.data(), Bytes{0, 0}.data()));
    EXPECT_TRUE(IDListBytesEqual(kThree.data(), threeCopy.data()));
    EXPECT_FALSE(IDListBytesEqual(kThree.data(), threeChanged.data()));
    EXPECT_FALSE(IDListBytesEqual(kThree.data(), twoOfThree.data()));
    EXPECT_FALSE(IDListBytesEqual(twoOfThree.data(), kThree.data()));
    EXPECT_FALSE(IDListBytesEqual(kOne.data(), kDesktop.data()));
}

} // namespace
