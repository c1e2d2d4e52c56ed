// The filter conditions dialog on copies of a filter list: names of new
// filters, the mask box, the size and date bounds, renaming, deleting,
// reordering, and what OK and Cancel leave in the caller's list.
#include "DialogTesting.h"
#include "core/dialogs/FilterRules.h"
#include "dialogs/DatePickers.h"
#include "dialogs/FilterDialog.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

using namespace std::chrono_literals;

const std::wstring kNewName = L"新しいフィルタ";

class FilterDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }

    void Add(const wchar_t* name, uint32_t conditions = 0)
    {
        Filters.push_back(std::make_unique<TSHFileFilter>());
        Filters.back()->Name = WideToAnsi(name);
        Filters.back()->Conditions = conditions;
    }
    TSubForm05010& Open()
    {
        Dialog.emplace(nullptr, Filters, [this](const TFilterListChange& change) {
            for (auto& [held, now] : Holders) now = change.Successor(held);
        });
        EXPECT_TRUE(Dialog->Create());
        return *Dialog;
    }
    void Select(int row)
    {
        Dialog->List().SelectOnly(row);
        Dialog->UpdateControls();
    }
    std::vector<std::wstring> Captions()
    {
        std::vector<std::wstring> captions;
        for (int i = 0; i < Dialog->RowCount(); ++i) captions.push_back(Dialog->Caption(i));
        return captions;
    }
    std::vector<std::wstring> ListNames()
    {
        std::vector<std::wstring> names;
        for (const auto& filter : Filters) names.push_back(AnsiToWide(filter->Name));
        return names;
    }
    void SetDateTimes(TDaySecond first, TDaySecond second)
    {
        SetPickerDaySecond(Dialog->Item(IDC_DATEC1D), Dialog->Item(IDC_DATEC1T), first);
        SetPickerDaySecond(Dialog->Item(IDC_DATEC2D), Dialog->Item(IDC_DATEC2T), second);
    }
    // What the pickers report when the user changed one of them.
    void PickerChanged(int id)
    {
        NMDATETIMECHANGE change{};
        change.nmhdr = {Dialog->Item(id), UINT_PTR(id), UINT(DTN_DATETIMECHANGE)};
        SendMessageW(Dialog->Handle(), WM_NOTIFY, WPARAM(id), reinterpret_cast<LPARAM>(&change));
    }

    TFilterList Filters;
    std::optional<TSubForm05010> Dialog;
    // Filters held as folder windows hold them, and where OK moved them.
    std::vector<std::pair<const TSHFileFilter*, const TSHFileFilter*>> Holders;
};

}  // namespace

TEST_F(FilterDialogTest, AnEmptyListLeavesEveryConditionDisabled)
{
    Open();
    Dialog->UpdateControls();
    EXPECT_EQ(Dialog->RowCount(), 0);
    for (int id : {IDC_CHECKA, IDC_CHECKB, IDC_CHECKC, IDC_CHECKD, IDC_CHECKE, IDC_EDITA, IDC_SIZEB1, IDC_COMBOB1,
                   IDC_DATEC1D, IDC_CHECKD1, IDC_CHECKE1, IDC_RADIOF1, IDC_RADIOF2})
        EXPECT_FALSE(ItemEnabled(*Dialog, id)) << id;
}

TEST_F(FilterDialogTest, NewFiltersTakeFreeNamesBeforeTheSelectedOne)
{
    Add(L"画像");
    Open();
    // Each new filter is selected while its name is edited; the next one is
    // inserted before it.
    for (int i = 0; i < 3; ++i) Dialog->AddFilter();
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"画像", kNewName + L"(2)", kNewName + L"(1)", kNewName}));
    EXPECT_EQ(Dialog->List().SelectedItems(), std::vector<int>{1});
    Select(0);
    Dialog->AddFilter();
    EXPECT_EQ(Dialog->Caption(0), kNewName + L"(3)");
    EXPECT_EQ(Dialog->Caption(1), L"画像");
    // A new filter's size bounds are one byte; the boxes show 1 KB.
    Select(0);
    EXPECT_EQ(Dialog->FilterCopy(0).Size1, 1);
    EXPECT_EQ(Dialog->SizeBox(0).Value(), 1);
}

TEST_F(FilterDialogTest, TheMaskBoxRefusesForbiddenCharacters)
{
    Add(L"f", fcName);
    Open();
    Select(0);
    TypeText(*Dialog, IDC_EDITA, L"*.txt;*.doc");
    EXPECT_EQ(Dialog->FilterCopy(0).Masks, (std::vector<std::string>{"*.txt", "*.doc"}));

    // Each forbidden character is told once and taken out everywhere.
    struct Case {
        const wchar_t *typed, *left;
        std::vector<std::string> masks;
        int messages;
        bool pasted;
    } cases[] = {{L"*.txt/", L"*.txt", {"*.txt"}, 1, false},
                 {L"a/b/c", L"abc", {"abc"}, 1, false},
                 {L"a/b:c", L"abc", {"abc"}, 2, true}};
    for (const Case& c : cases) {
        TDialogAnswerer answerer(IDOK, Dialog->Handle());
        if (c.pasted) PasteText(*Dialog, IDC_EDITA, c.typed);
        else TypeText(*Dialog, IDC_EDITA, c.typed);
        EXPECT_EQ(answerer.Count(), c.messages) << c.typed;
        EXPECT_EQ(answerer.Text, L"ファイルマスクには次の文字は使えません。\n\u3000\u3000\u3000\\ / : , \" < > |");
        EXPECT_EQ(answerer.Caption, L"Quirevue");
        EXPECT_EQ(GetWindowTextLengthW(Dialog->Item(IDC_EDITA)), int(wcslen(c.left)));
        EXPECT_EQ(Dialog->FilterCopy(0).Masks, c.masks) << c.typed;
    }
}

TEST_F(FilterDialogTest, SizeBoundsStayInKilobytesThatTheFieldHolds)
{
    Add(L"f", fcSize);
    Filters[0]->SizeCompare1 = 3;  // 以上
    Filters[0]->SizeCompare2 = 1;
    Filters[0]->Size2 = 5 * 1024;
    Open();
    Select(0);
    // Loading changed nothing.
    EXPECT_EQ(Dialog->FilterCopy(0).Size1, 1);
    EXPECT_TRUE(ItemEnabled(*Dialog, IDC_SIZEB2));
    Dialog->SizeBox(0).SetValue(10);
    EXPECT_EQ(Dialog->SizeBox(1).Value(), 11);
    EXPECT_EQ(Dialog->FilterCopy(0).Size1, 10 * 1024);
    EXPECT_EQ(Dialog->FilterCopy(0).Size2, 11 * 1024);
    Dialog->SizeBox(0).SetValue(999999999);
    EXPECT_EQ(Dialog->SizeBox(0).Value(), kSizeBox1Max);
    EXPECT_EQ(Dialog->FilterCopy(0).Size2, kSizeBox2Max * 1024);
    EXPECT_GT(Dialog->FilterCopy(0).Size2, 0);
}

TEST_F(FilterDialogTest, TheSecondDateStaysLaterThanTheFirst)
{
    Add(L"f", fcDate);
    Open();
    Select(0);
    SetDateTimes({40000, 3600}, {39990, 7200});
    PickerChanged(IDC_DATEC2D);
    EXPECT_EQ(PickerDaySecond(Dialog->Item(IDC_DATEC2D), Dialog->Item(IDC_DATEC2T)).Day, 40000);
    EXPECT_DOUBLE_EQ(Dialog->FilterCopy(0).Date2, 40000 + 7200 / 86400.0);

    SetDateTimes({40000, 3600}, {40000, 3000});
    PickerChanged(IDC_DATEC2T);
    TDaySecond second = PickerDaySecond(Dialog->Item(IDC_DATEC2D), Dialog->Item(IDC_DATEC2T));
    EXPECT_EQ(second.Day, 40000);
    EXPECT_EQ(second.Second, 3601);
    EXPECT_DOUBLE_EQ(Dialog->FilterCopy(0).Date1, 40000 + 3600 / 86400.0);
}

TEST_F(FilterDialogTest, RenamingToAnotherFiltersNameIsRefused)
{
    Add(L"a");
    Add(L"b");
    Open();
    {
        TDialogAnswerer answerer(IDOK, Dialog->Handle());
        EXPECT_FALSE(Dialog->RenameFilter(1, L"a"));
        EXPECT_EQ(answerer.Text, L"同じ名前が既に存在します。");
    }
    EXPECT_EQ(Dialog->Caption(1), L"b");
    EXPECT_TRUE(Dialog->RenameFilter(1, L"b"));
    EXPECT_TRUE(Dialog->RenameFilter(1, L"c"));
    EXPECT_EQ(Dialog->Caption(1), L"c");
}

TEST_F(FilterDialogTest, DroppingPlacesAFilterBeforeTheTarget)
{
    for (const wchar_t* name : {L"a", L"b", L"c"}) Add(name);
    Open();
    Dialog->MoveFilter(0, 1);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    Dialog->MoveFilter(2, 0);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    EXPECT_EQ(Dialog->List().SelectedItems(), std::vector<int>{0});
}

TEST_F(FilterDialogTest, CancelLeavesTheListExactlyAsItWas)
{
    for (const wchar_t* name : {L"a", L"b", L"c"}) Add(name);
    const TSHFileFilter* first = Filters[0].get();
    Open();
    Dialog->MoveFilter(2, 0);
    Select(0);
    ClickButton(*Dialog, IDC_RADIOF2);
    Select(1);
    {
        TDialogAnswerer answerer(IDYES, Dialog->Handle());
        Dialog->DeleteSelected();
        EXPECT_EQ(answerer.Text, L"選択中のフィルタ条件をを削除しますか？");
    }
    EXPECT_EQ(Dialog->RowCount(), 2);
    Dialog->PressCancel();
    EXPECT_EQ(ListNames(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(Filters[0].get(), first);
    EXPECT_EQ(Filters[2]->FilterMode, 0);
}

TEST_F(FilterDialogTest, OkReplacesTheListAndMovesHoldersByName)
{
    for (const wchar_t* name : {L"keep", L"renamed", L"deleted"}) Add(name);
    Holders = {{Filters[0].get(), nullptr}, {Filters[1].get(), nullptr}, {Filters[2].get(), nullptr}};
    Open();
    Select(0);
    ClickButton(*Dialog, IDC_CHECKA);
    ClickButton(*Dialog, IDC_RADIOF2);
    EXPECT_TRUE(Dialog->RenameFilter(1, L"other"));
    Select(2);
    {
        TDialogAnswerer no(IDNO, Dialog->Handle());
        Dialog->DeleteSelected();
    }
    EXPECT_EQ(Dialog->RowCount(), 3);
    {
        TDialogAnswerer yes(IDYES, Dialog->Handle());
        Dialog->DeleteSelected();
    }
    Dialog->PressOk();
    EXPECT_EQ(Dialog->ModalResult(), IDOK);
    EXPECT_EQ(ListNames(), (std::vector<std::wstring>{L"keep", L"other"}));
    EXPECT_EQ(Filters[0]->FilterMode, 1);
    EXPECT_EQ(Filters[0]->Conditions, fcName);
    EXPECT_EQ(Holders[0].second, Filters[0].get());
    EXPECT_EQ(Holders[1].second, nullptr);  // its name is gone
    EXPECT_EQ(Holders[2].second, nullptr);
}
