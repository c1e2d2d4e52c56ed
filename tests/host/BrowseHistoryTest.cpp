#include "core/shell/AddressHistory.h"
#include "core/shell/BrowseHistory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using History = TBrowseHistory<int>;

TEST(BrowseHistory, BackAndForwardThroughThreeFolders)
{
    History h;
    h.Visit(1);  // 1 -> 2
    h.Visit(2);  // 2 -> 3
    EXPECT_EQ(h.StepBack(3, -1), 2);
    EXPECT_EQ(h.BackList(), std::vector<int>{1});
    EXPECT_EQ(h.ForwardList(), std::vector<int>{3});
    EXPECT_EQ(h.StepForward(2, -1), 3);
    EXPECT_EQ(h.BackList(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(h.ForwardList().empty());
}

TEST(BrowseHistory, RulesOfTheLists)
{
    History h;
    for (int i = 1; i <= 12; ++i) h.Visit(i);
    EXPECT_EQ(h.BackList().size(), History::kMaxBackEntries) << "at most nine, the oldest go";
    EXPECT_EQ(h.BackList().front(), 4);
    h.Visit(12);
    EXPECT_EQ(h.BackList().size(), History::kMaxBackEntries) << "no repeat of the newest entry";

    // Several steps at once: the newer entries move over, newest first.
    EXPECT_EQ(h.StepBack(13, 6), 10);
    EXPECT_EQ(h.ForwardList(), (std::vector<int>{13, 12, 11}));
    EXPECT_EQ(h.StepBack(10, 99), std::nullopt) << "no such entry";
    // A new visit drops the forward list.
    h.Visit(10);
    EXPECT_TRUE(h.ForwardList().empty());
    // A node that is gone leaves both lists; nothing selected is not recorded.
    h.Forget(10);
    h.Forget(4);
    EXPECT_EQ(h.BackList(), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(h.StepBack(std::nullopt, -1), 9);
    EXPECT_TRUE(h.ForwardList().empty());
    EXPECT_EQ(History().StepForward(1, -1), std::nullopt);
}

TEST(AddressHistory, ThirtyPathsOldestFirstEachOnce)
{
    std::vector<std::wstring> history;
    for (int i = 0; i < 32; ++i) RememberAddress(history, L"C:\\f" + std::to_wstring(i));
    ASSERT_EQ(history.size(), kMaxAddressHistory);
    EXPECT_EQ(history.front(), L"C:\\f2");
    EXPECT_EQ(history.back(), L"C:\\f31");
    RememberAddress(history, L"C:\\f10");
    RememberAddress(history, L"");
    EXPECT_EQ(history.size(), kMaxAddressHistory) << "a path already there, and an empty one";
    EXPECT_EQ(history.front(), L"C:\\f2");

    ForgetAddress(history, L"c:\\F10");
    EXPECT_EQ(history.size(), kMaxAddressHistory - 1) << "a refused text in another case";
    EXPECT_EQ(std::count(history.begin(), history.end(), L"C:\\f10"), 0);
    ForgetAddress(history, L"D:\\not there");
    EXPECT_EQ(history.size(), kMaxAddressHistory - 1) << "a text not in the history deletes nothing";
}

}  // namespace
