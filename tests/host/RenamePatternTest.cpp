#include "core/dialogs/RenamePattern.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<TRenameRow> Rows(std::initializer_list<const wchar_t*> names)
{
    std::vector<TRenameRow> rows;
    for (const wchar_t* name : names) rows.push_back(name ? TRenameRow{false, name, L""} : TRenameRow{true, L"", L""});
    return rows;
}

std::vector<std::wstring> NewNames(const std::vector<TRenameRow>& rows)
{
    std::vector<std::wstring> names;
    for (const TRenameRow& row : rows) names.push_back(row.NewName);
    return names;
}

TRenamePattern Photo()
{
    TRenamePattern p;
    p.HeaderText1 = L"photo";
    p.HeaderParent = false;
    p.Digits = 3;
    return p;
}

}  // namespace

TEST(RenamePattern, NumbersFollowTheListPositionSkipRowsIncluded)
{
    auto rows = Rows({L"a.jpg", L"b.jpg", L"c.jpg"});
    UpdateNewNames(rows, Photo(), L"Trip", FoldCaseBasic);
    EXPECT_EQ(NewNames(rows), (std::vector<std::wstring>{L"photo001.jpg", L"photo002.jpg", L"photo003.jpg"}));

    auto skipped = Rows({L"a.jpg", nullptr, L"b.jpg", L"c.jpg"});
    UpdateNewNames(skipped, Photo(), L"Trip", FoldCaseBasic);
    EXPECT_EQ(NewNames(skipped),
              (std::vector<std::wstring>{L"photo001.jpg", L"", L"photo003.jpg", L"photo004.jpg"}));
}

TEST(RenamePattern, EveryPartInItsPlace)
{
    TRenamePattern p;
    p.HeaderText1 = L"H1-";
    p.HeaderParent = true;
    p.HeaderOriginal = true;
    p.HeaderText2 = L"-H2-";
    p.Digits = 2;
    p.Start = 5;
    p.Step = 5;
    p.FooterText1 = L"-F1-";
    p.FooterParent = true;
    p.FooterOriginal = true;
    p.FooterText2 = L"-F2";
    p.Search = L"TRIP";
    p.Replacement = L"Tour";
    EXPECT_EQ(MakeNewName(p, L"trip.day.jpg", L"MyTrip", 1, FoldCaseBasic),
              L"H1-MyTourTour.day-H2-10-F1-MyTourTour.day-F2.jpg");
}

TEST(RenamePattern, ExtensionRules)
{
    struct Case {
        int rule;
        const wchar_t *oldName, *expected;
    } cases[] = {
        {erKeep, L"a.JpG", L"xa.JpG"},   {erUpper, L"a.JpG", L"xa.JPG"}, {erLower, L"a.JpG", L"xa.jpg"},
        {erReplace, L"a.JpG", L"xa.tmp"}, {erKeep, L"README", L"xREADME"}, {erUpper, L"README", L"xREADME"},
        {erLower, L"README", L"xREADME"}, {erReplace, L"README", L"xREADME.tmp"},
    };
    for (const Case& c : cases) {
        TRenamePattern p;
        p.HeaderText1 = L"x";
        p.HeaderParent = false;
        p.HeaderOriginal = true;
        p.ExtRule = c.rule;
        EXPECT_EQ(MakeNewName(p, c.oldName, L"", 0, FoldCaseBasic), c.expected) << c.rule << " " << c.oldName;
    }
}

TEST(RenamePattern, ForbiddenCharactersAreFoundInEveryTypedText)
{
    TRenamePattern p;
    wchar_t found = 0;
    EXPECT_EQ(FindForbiddenInPattern(p, &found), std::wstring::npos);
    std::wstring TRenamePattern::*texts[] = {&TRenamePattern::HeaderText1, &TRenamePattern::HeaderText2,
                                             &TRenamePattern::FooterText1, &TRenamePattern::FooterText2,
                                             &TRenamePattern::Search,      &TRenamePattern::Replacement,
                                             &TRenamePattern::ExtText};
    for (auto text : texts) {
        TRenamePattern bad;
        bad.*text = L"ok?";
        EXPECT_NE(FindForbiddenInPattern(bad, &found), std::wstring::npos);
        EXPECT_EQ(found, L'?');
    }
}

TEST(RenamePattern, OkIsRefusedForNamesThatWouldClash)
{
    using P = TRenameProblem;
    struct Case {
        const char* what;
        std::vector<TRenameRow> rows;
        std::vector<TFolderEntry> others;
        bool folderMode;
        P expected;
        size_t row;
    } cases[] = {
        {"distinct names", {{false, L"a", L"x1"}, {false, L"b", L"x2"}}, {}, false, P::None, 0},
        {"neighbours equal", {{false, L"a", L"x"}, {false, L"b", L"x"}}, {}, false, P::NeighboursEqual, 0},
        {"neighbours differ in case only", {{false, L"a", L"x"}, {false, L"b", L"X"}}, {}, false, P::NeighboursEqual, 0},
        {"two skip rows side by side", {{false, L"a", L"x1"}, {true, L"", L""}, {true, L"", L""}}, {}, false,
         P::NeighboursEqual, 1},
        {"same name apart", {{false, L"a", L"Photo1.txt"}, {false, L"b", L"x"}, {false, L"c", L"PHOTO1.TXT"}}, {},
         false, P::SameNewName, 0},
        {"an unusable name", {{false, L"a", L"x."}, {false, L"b", L"y"}}, {}, false, P::UnusableName, 0},
        {"a file outside is pushed aside", {{false, L"a", L"x"}}, {{L"X", false}}, false, P::None, 0},
        {"a folder outside blocks a file", {{false, L"a", L"b"}, {false, L"c", L"x"}}, {{L"X", true}}, false,
         P::NameTaken, 1},
        {"a folder outside is pushed aside", {{false, L"a", L"x"}}, {{L"x", true}}, true, P::None, 0},
        {"a file outside blocks a folder", {{false, L"a", L"x"}}, {{L"x", false}}, true, P::NameTaken, 0},
    };
    for (const Case& c : cases) {
        TRenameCheck check = CheckRenameRows(c.rows, c.others, c.folderMode, FoldCaseBasic);
        EXPECT_EQ(check.Problem, c.expected) << c.what;
        if (c.expected != P::None) EXPECT_EQ(check.Row, c.row) << c.what;
    }
}

#include "core/dialogs/RowMove.h"

TEST(RowMove, ADroppedRowLandsBeforeTheTarget)
{
    struct Case {
        size_t from, target;
        std::vector<int> order;
        size_t at;
    } cases[] = {
        {0, 1, {0, 1, 2, 3}, 0},  // on the row directly below: no change
        {3, 0, {3, 0, 1, 2}, 0},  // on the first row: to the top
        {0, 3, {1, 2, 0, 3}, 2},
        {2, 2, {0, 1, 2, 3}, 2},
        {1, 9, {0, 1, 2, 3}, 1},  // no such row
    };
    for (const Case& c : cases) {
        std::vector<int> rows{0, 1, 2, 3};
        EXPECT_EQ(MoveRowBefore(rows, c.from, c.target), c.at);
        EXPECT_EQ(rows, c.order) << c.from << "->" << c.target;
    }
}
