#include "core/shell/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CompareNames, NaturalOrderWithoutRegardToCase)
{
    struct Case { std::wstring a, b; int sign; };
    const Case cases[] = {
        {L"file2", L"file10", -1},
        {L"file10", L"file2", 1},
        {L"2", L"10", -1},
        {L"a9b", L"a10a", -1},
        {L"abc", L"ABD", -1},
        {L"ABC", L"abd", -1},
        {L"abc", L"ab", 1},
        {L"", L"a", -1},
        {L"same", L"same", 0},
        {L"", L"", 0},
        {L"File1", L"file1", -1},              // equal but for case: plain order decides
        {L"file1", L"File1", 1},
        {L"a01", L"a1", -1},                   // equal values: plain order decides
        {L"x9", L"x09", 1},
        {L"a001b", L"a1c", -1},                // the value ties, the rest decides
        {L"file.txt", L"file1.txt", -1},
        {L"a_b", L"ab", -1},                   // '_' sorts before letters
        {L"a b", L"a1", -1},
        {L"a1", L"aa", -1},                    // digits before letters
        {L"ｂ", L"Ａ", 1},
        {L"Äpfel", L"äpfel2", -1},
        {L"99999999999999999999999", L"100000000000000000000000", -1}, // no overflow
        {L"v1.10.2", L"v1.9.12", 1},
        {L"写真2", L"写真10", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(CompareNames(c.a, c.b)), c.sign) << std::string(c.a.begin(), c.a.end());
    }
}

// The order must be strict and total, or sorting 100,000 rows misbehaves.
TEST(CompareNames, IsATotalOrder)
{
    const std::vector<std::wstring> names = {
        L"", L"a", L"A", L"a1", L"A1", L"a01", L"a001", L"a1b", L"a01b", L"a10", L"a2", L"a!", L"a.",
        L"a b", L"a_", L"aa", L"Aa", L"b", L"0", L"00", L"1", L"01", L"10", L"9", L"ａ", L"Ａ", L"é", L"É",
    };
    for (const auto& a : names) {
        for (const auto& b : names) {
            int ab = Sign(CompareNames(a, b));
            EXPECT_EQ(ab, -Sign(CompareNames(b, a)));
            EXPECT_EQ(ab == 0, a == b);
            for (const auto& c : names) {
                if (ab < 0 && CompareNames(b, c) < 0) EXPECT_LT(CompareNames(a, c), 0);
            }
        }
    }
}

struct Row {
    bool folder;
    uint64_t size;
    uint64_t lastWrite;
    uint32_t attributes;
    std::wstring type;
    std::wstring name;

    TRowKey Key() const { return {folder, size, lastWrite, attributes, &type, &name}; }
};

TEST(CompareRows, FoldersFirstForEveryColumn)
{
    const Row folder{true, 0, 100, 0x10, L"ファイル フォルダー", L"zzz"};
    const Row file{false, 0, 1, 0x01, L"Aaa", L"aaa"};
    for (int column : {rcName, rcSize, rcType, rcLastWrite, rcAttributes, 9}) {
        EXPECT_LT(CompareRows(folder.Key(), file.Key(), column), 0) << column;
        EXPECT_GT(CompareRows(file.Key(), folder.Key(), column), 0) << column;
    }
}

TEST(CompareRows, EachColumnThenName)
{
    struct Case { Row a, b; int column; int sign; };
    const Case cases[] = {
        {{false, 1, 0, 0, L"", L"b"}, {false, 2, 0, 0, L"", L"a"}, rcSize, -1},
        {{false, 5ull << 30, 0, 0, L"", L"a"}, {false, 1ull << 30, 0, 0, L"", L"b"}, rcSize, 1},
        {{false, 7, 0, 0, L"", L"b"}, {false, 7, 0, 0, L"", L"a"}, rcSize, 1},
        {{false, 7, 0, 0, L"", L"x2"}, {false, 7, 0, 0, L"", L"x10"}, rcSize, -1},
        {{false, 0, 0, 0, L"apple", L"b"}, {false, 0, 0, 0, L"Text", L"a"}, rcType, -1},
        {{false, 0, 0, 0, L"JPEG Image", L"b"}, {false, 0, 0, 0, L"jpeg image", L"a"}, rcType, 1},
        {{false, 0, 0, 0, L"Doc", L"a"}, {false, 0, 0, 0, L"Document", L"b"}, rcType, -1},
        {{false, 0, 0, 0, L"File 10", L"a"}, {false, 0, 0, 0, L"File 2", L"b"}, rcType, -1}, // type is no number
        {{false, 0, 200, 0, L"", L"a"}, {false, 0, 100, 0, L"", L"b"}, rcLastWrite, 1},
        {{false, 0, 1ull << 60, 0, L"", L"a"}, {false, 0, 100, 0, L"", L"b"}, rcLastWrite, 1},
        {{false, 0, 100, 0, L"", L"a"}, {false, 0, 100, 0, L"", L"b"}, rcLastWrite, -1},
        {{false, 0, 0, 0x21, L"", L"a"}, {false, 0, 0, 0x20, L"", L"b"}, rcAttributes, 1},
        {{false, 0, 0, 0x20, L"", L"B"}, {false, 0, 0, 0x20, L"", L"a"}, rcAttributes, 1},
        {{false, 9, 9, 9, L"z", L"a"}, {false, 0, 0, 0, L"a", L"b"}, rcName, -1},
        {{true, 9, 0, 0x10, L"", L"a"}, {true, 1, 0, 0x10, L"", L"b"}, rcSize, 1},
        {{false, 1, 2, 3, L"t", L"same"}, {false, 1, 2, 3, L"t", L"same"}, rcType, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(Sign(CompareRows(c.a.Key(), c.b.Key(), c.column)), c.sign) << "case " << i;
        EXPECT_EQ(Sign(CompareRows(c.b.Key(), c.a.Key(), c.column)), -c.sign) << "case " << i;
    }
}

TEST(CompareRows, MissingTextsReadAsEmpty)
{
    const std::wstring name = L"a";
    const std::wstring type = L"Text";
    TRowKey bare{false, 0, 0, 0, nullptr, nullptr};
    TRowKey named{false, 0, 0, 0, &type, &name};
    EXPECT_LT(CompareRows(bare, named, rcType), 0);
    EXPECT_LT(CompareRows(bare, named, rcName), 0);
    EXPECT_EQ(CompareRows(bare, bare, rcType), 0);
}

std::vector<std::wstring> SortedNames(std::vector<Row> rows, int column)
{
    std::mt19937 random(2024);
    std::shuffle(rows.begin(), rows.end(), random);
    std::sort(rows.begin(), rows.end(),
              [column](const Row& a, const Row& b) { return CompareRows(a.Key(), b.Key(), column) < 0; });
    std::vector<std::wstring> names;
    for (const Row& row : rows) names.push_back(row.name);
    return names;
}

TEST(CompareRows, SortsShuffledRows)
{
    const std::vector<Row> rows = {
        {false, 2048, 300, 0x20, L"テキスト ドキュメント", L"memo10.txt"},
        {false, 100, 200, 0x21, L"テキスト ドキュメント", L"memo2.txt"},
        {false, 5ull << 30, 100, 0x20, L"Disk Image", L"backup.img"},
        {false, 100, 400, 0x20, L"JPEG image", L"Photo.jpg"},
        {true, 0, 500, 0x10, L"ファイル フォルダー", L"src"},
        {true, 0, 50, 0x11, L"ファイル フォルダー", L"Docs2"},
        {true, 0, 60, 0x10, L"ファイル フォルダー", L"docs10"},
        {false, 0, 100, 0x22, L"", L"empty"},
    };
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(SortedNames(rows, rcName),
              (Names{L"Docs2", L"docs10", L"src", L"backup.img", L"empty", L"memo2.txt", L"memo10.txt", L"Photo.jpg"}));
    EXPECT_EQ(SortedNames(rows, rcSize),
              (Names{L"Docs2", L"docs10", L"src", L"empty", L"memo2.txt", L"Photo.jpg", L"memo10.txt", L"backup.img"}));
    EXPECT_EQ(SortedNames(rows, rcType),
              (Names{L"Docs2", L"docs10", L"src", L"empty", L"backup.img", L"Photo.jpg", L"memo2.txt", L"memo10.txt"}));
    EXPECT_EQ(SortedNames(rows, rcLastWrite),
              (Names{L"Docs2", L"docs10", L"src", L"backup.img", L"empty", L"memo2.txt", L"memo10.txt", L"Photo.jpg"}));
    EXPECT_EQ(SortedNames(rows, rcAttributes),
              (Names{L"docs10", L"src", L"Docs2", L"backup.img", L"memo10.txt", L"Photo.jpg", L"memo2.txt", L"empty"}));
}

} // namespace
