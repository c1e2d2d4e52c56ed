#include "core/settings/TextList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using List = std::vector<std::string>;

TEST(TextList, JoinsAndSplitsTheCanonicalForm)
{
    struct Case { List list; std::string text; };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"*.txt"}, "*.txt"},
        {{"*.jpg", "*.png"}, "*.jpg;*.png"},
        {{"Copy of *.txt"}, "\"Copy of *.txt\""},
        {{"a;b"}, "\"a;b\""},
        {{"x\"y"}, "\"x\"\"y\""},
        {{"tab\there"}, "\"tab\there\""},
        {{"a", ""}, "a;"},
        {{"", "a"}, ";a"},
        {{"", ""}, ";"},
        {{"a", "", "b"}, "a;;b"},
        {{"\x95\x5C*.txt", "\x83\x74 \x83\x42"}, "\x95\x5C*.txt;\"\x83\x74 \x83\x42\""}, // 表*.txt; "フ ィ"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinTextList(c.list), c.text);
        EXPECT_EQ(SplitTextList(c.text), c.list) << c.text;
    }
}

TEST(TextList, ReadsLooseText)
{
    struct Case { std::string text; List list; };
    const Case cases[] = {
        {"  a  b ", {"a", "b"}},               // runs of spaces separate
        {"a ; b", {"a", "b"}},
        {"a\t\r\nb", {"a", "b"}},
        {"a; ", {"a"}},                         // only a ';' at the very end adds an entry
        {"a ;", {"a", ""}},
        {"a;;", {"a", "", ""}},
        {"\"a b", {"a b"}},                     // quote left open runs to the end
        {"\"a\"b;c", {"a", "b", "c"}},
        {"x\"y", {"x\"y"}},                     // a quote inside an unquoted entry is kept
        {"\"\x81\";z", {"\x81", "z"}},          // a broken double-byte pair does not swallow the quote
        {"\x81;z", {"\x81", "z"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitTextList(c.text), c.list) << c.text;
}

// Whatever the entries hold, the text reads back as the same list.
TEST(TextList, AnyListSurvivesJoinAndSplit)
{
    const std::string pieces[] = {"a", " ", ";", "\"", "\t", "\x95\x5C", "\x81", "\x83\x74", "*", "\x7F", "\xFF"};
    std::mt19937 random(932);
    for (int round = 0; round < 2000; ++round) {
        List list(random() % 4);
        for (std::string& entry : list)
            for (int n = random() % 5; n > 0; --n) entry += pieces[random() % std::size(pieces)];
        EXPECT_EQ(SplitTextList(JoinTextList(list)), list) << JoinTextList(list);
    }
}

TEST(TextList, LimitKeepsWholeEntries)
{
    EXPECT_EQ(JoinTextList({"abc", "de", "f g"}, 6), "abc;de");
    EXPECT_EQ(JoinTextList({"abc", "de", "f g"}, 7), "abc;de");
    EXPECT_EQ(JoinTextList({"abc", "de", "f g"}, 12), "abc;de;\"f g\"");
    EXPECT_EQ(JoinTextList({"abcdef"}, 5), "");
    // The lone empty entry that is left still reads back as one entry.
    EXPECT_EQ(JoinTextList({"", "abcdef"}, 5), "\"\"");
}

} // namespace
