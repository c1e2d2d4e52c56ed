// How a folder window's record is read: columns, sort key, filter by name.
#include "core/settings/WindowRecord.h"
#include "core/shell/FileFilter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Order(const TColumnLayout& layout) { return {std::begin(layout.Order), std::end(layout.Order)}; }

}  // namespace

TEST(WindowRecord, OnlyAPermutationOfTheFiveColumnsIsTakenAsTheOrder)
{
    const struct {
        const char* Name;
        std::vector<int> Ids;
        std::vector<int> Expected;
    } cases[] = {
        {"shuffled", {4, 0, 3, 1, 2}, {4, 0, 3, 1, 2}},
        {"duplicate ids", {0, 0, 1, 2, 3}, {0, 1, 2, 3, 4}},
        {"out of range", {0, 1, 2, 3, 7}, {0, 1, 2, 3, 4}},
        {"negative", {-1, 1, 2, 3, 4}, {0, 1, 2, 3, 4}},
        {"too few", {3, 2, 1}, {0, 1, 2, 3, 4}},
        {"sixth ignored", {1, 0, 2, 3, 4, 0}, {1, 0, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<TColumnData> records;
        for (int id : c.Ids) records.push_back({id, 33, 1});
        EXPECT_EQ(Order(ColumnLayoutFromRecords(records)), c.Expected);
    }
}

TEST(WindowRecord, WidthsGoByIdentityAndDirectionsByPosition)
{
    std::vector<TColumnData> records = {{2, 10, -1}, {0, 20, 1}, {1, 30, -5}, {4, 40, 1}, {3, 50, 1}};
    TColumnLayout layout = ColumnLayoutFromRecords(records);
    EXPECT_EQ(layout.Widths[2], 10);
    EXPECT_EQ(layout.Widths[0], 20);
    EXPECT_EQ(layout.Widths[3], 50);
    EXPECT_EQ(layout.Directions[0], -1);
    EXPECT_EQ(layout.Directions[1], 1);
    EXPECT_EQ(layout.Directions[2], -1);  // any negative value is descending
    EXPECT_EQ(RecordsFromColumnLayout(layout)[0], (TColumnData{2, 10, -1}));
    // Record and restore mirror each other.
    TColumnLayout again = ColumnLayoutFromRecords(RecordsFromColumnLayout(layout));
    EXPECT_EQ(Order(again), Order(layout));
}

TEST(WindowRecord, TheLastFilterOfTheNameIsTaken)
{
    TInitData settings;
    for (const char* name : {"A", "B", "A"}) {
        settings.Filters.push_back(std::make_unique<TSHFileFilter>());
        settings.Filters.back()->Name = name;
    }
    EXPECT_EQ(FilterNamed(settings, "A"), settings.Filters[2].get());
    EXPECT_EQ(FilterNamed(settings, "B"), settings.Filters[1].get());
    EXPECT_EQ(FilterNamed(settings, "a"), nullptr);
    EXPECT_EQ(FilterNamed(settings, ""), nullptr);
}
