#include "core/dialogs/RenamePlan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr uint32_t kNotFound = 2, kAccessDenied = 5, kExists = 183;

// A folder in memory that compares names without regard to case, as the
// file system does. Each object carries the content it was made with, so a
// test can see that nothing was lost or swapped.
class TFakeFolder {
public:
    TFakeFolder(std::initializer_list<std::pair<const wchar_t*, bool>> entries)
    {
        for (auto [name, isFolder] : entries) Objects[Key(name)] = {name, isFolder, name};
    }

    // Names refused as source or target, as an immutable file refuses them.
    std::set<std::wstring> Blocked;
    // Names nothing can be moved into (a name that is only ever a target on
    // the way back makes the rollback fail).
    std::set<std::wstring> RefusedTargets;
    int Moves = 0;

    uint32_t Move(const std::wstring& from, const std::wstring& to)
    {
        ++Moves;
        if (Blocked.count(Key(from)) || Blocked.count(Key(to))) return kAccessDenied;
        if (RefusedTargets.count(Key(to))) return kAccessDenied;
        auto it = Objects.find(Key(from));
        if (it == Objects.end()) return kNotFound;
        if (Key(from) != Key(to) && Objects.count(Key(to))) return kExists;
        TObject object = it->second;
        Objects.erase(it);
        object.Name = to;
        Objects[Key(to)] = object;
        return 0;
    }
    TMoveFunction Mover()
    {
        return [this](const std::wstring& from, const std::wstring& to) { return Move(from, to); };
    }

    std::vector<TFolderEntry> Entries() const
    {
        std::vector<TFolderEntry> entries;
        for (const auto& [key, object] : Objects) entries.push_back({object.Name, object.IsFolder});
        return entries;
    }
    // Name -> the content the object was made with.
    std::map<std::wstring, std::wstring> Contents() const
    {
        std::map<std::wstring, std::wstring> contents;
        for (const auto& [key, object] : Objects) contents[object.Name] = object.Content;
        return contents;
    }

private:
    struct TObject {
        std::wstring Name;
        bool IsFolder = false;
        std::wstring Content;
    };
    static std::wstring Key(const std::wstring& name) { return FoldName(name, FoldCaseBasic); }
    std::map<std::wstring, TObject> Objects;
};

std::vector<TRenameRow> Renames(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs)
{
    std::vector<TRenameRow> rows;
    for (auto [from, to] : pairs) rows.push_back({false, from, to});
    return rows;
}

TRenameOutcome RunRows(TFakeFolder& folder, const std::vector<TRenameRow>& rows, bool folderMode = false)
{
    TRenamePlan plan = MakeRenamePlan(rows, folder.Entries(), folderMode, FoldCaseBasic);
    return RunRenamePlan(plan, folder.Mover());
}

}  // namespace

TEST(RenamePlan, NamesCanBeExchangedAndCaseChanged)
{
    TFakeFolder folder{{L"1.txt", false}, {L"2.txt", false}, {L"a.txt", false}};
    TRenameOutcome outcome = RunRows(folder, Renames({{L"2.txt", L"1.txt"}, {L"1.txt", L"2.txt"}, {L"a.txt", L"A.TXT"}}));
    EXPECT_TRUE(outcome.Completed);
    EXPECT_EQ(folder.Contents(), (std::map<std::wstring, std::wstring>{
                                     {L"1.txt", L"2.txt"}, {L"2.txt", L"1.txt"}, {L"A.TXT", L"a.txt"}}));
}

TEST(RenamePlan, AnObjectOfTheSameKindIsPushedAsideUnderAFreeName)
{
    // "tmpa.jpg" and "old_photo001.jpg" are taken: the run picks other names
    // and leaves those objects alone.
    TFakeFolder folder{{L"a.jpg", false},           {L"b.jpg", false},       {L"PHOTO001.JPG", false},
                       {L"old_PHOTO001.JPG", false}, {L"tmpa.jpg", false}};
    TRenamePlan plan = MakeRenamePlan(Renames({{L"a.jpg", L"photo001.jpg"}, {L"b.jpg", L"photo002.jpg"}}),
                                      folder.Entries(), false, FoldCaseBasic);
    EXPECT_EQ(plan.Moves[0].To, L"tmpa(1).jpg");
    ASSERT_TRUE(RunRenamePlan(plan, folder.Mover()).Completed);
    EXPECT_EQ(folder.Contents(), (std::map<std::wstring, std::wstring>{{L"photo001.jpg", L"a.jpg"},
                                                                       {L"photo002.jpg", L"b.jpg"},
                                                                       {L"old_PHOTO001(1).JPG", L"PHOTO001.JPG"},
                                                                       {L"old_PHOTO001.JPG", L"old_PHOTO001.JPG"},
                                                                       {L"tmpa.jpg", L"tmpa.jpg"}}));
}

TEST(RenamePlan, TemporaryNamesAvoidTheNewNames)
{
    // b.txt's new name is a's natural temporary name.
    TFakeFolder folder{{L"a.txt", false}, {L"b.txt", false}};
    TRenamePlan plan = MakeRenamePlan(Renames({{L"a.txt", L"z.txt"}, {L"b.txt", L"tmpa.txt"}}), folder.Entries(),
                                      false, FoldCaseBasic);
    EXPECT_NE(FoldName(plan.Moves[0].To, FoldCaseBasic), L"TMPA.TXT");
    EXPECT_TRUE(RunRenamePlan(plan, folder.Mover()).Completed);
    EXPECT_EQ(folder.Contents(),
              (std::map<std::wstring, std::wstring>{{L"z.txt", L"a.txt"}, {L"tmpa.txt", L"b.txt"}}));
}

TEST(RenamePlan, AFailureUndoesEverythingThatWasDone)
{
    struct Case {
        const char* what;
        bool blockByFolder;  // a folder bears a target name; otherwise an immutable file
        uint32_t error;
        TMoveKind failedKind;
    } cases[] = {
        {"folder in the way of the last name", true, kExists, TMoveKind::ToNewName},
        {"immutable object to push aside", false, kAccessDenied, TMoveKind::PushAside},
    };
    auto rows = Renames({{L"a.txt", L"x1.txt"}, {L"b.txt", L"x2.txt"}, {L"c.txt", L"x3.txt"}});
    for (const Case& c : cases) {
        TFakeFolder folder{{L"a.txt", false}, {L"b.txt", false}, {L"c.txt", false}, {L"x2.txt", false},
                           {L"x3.txt", c.blockByFolder}};
        if (!c.blockByFolder) folder.Blocked = {L"X2.TXT"};
        auto before = folder.Contents();
        TRenamePlan plan = MakeRenamePlan(rows, folder.Entries(), false, FoldCaseBasic);
        TRenameOutcome outcome = RunRenamePlan(plan, folder.Mover());
        EXPECT_FALSE(outcome.Completed) << c.what;
        EXPECT_EQ(outcome.Error, c.error) << c.what;
        EXPECT_EQ(plan.Moves[outcome.FailedMove].Kind, c.failedKind) << c.what;
        EXPECT_TRUE(outcome.Stranded.empty()) << c.what;
        EXPECT_EQ(folder.Contents(), before) << c.what;
    }
}

TEST(RenamePlan, ARollbackThatFailsReportsWhereEachObjectWasLeft)
{
    TFakeFolder folder{{L"a.txt", false}, {L"b.txt", false}, {L"y.txt", true}};
    // b's way back from its temporary name fails; the run itself fails on
    // the folder "y.txt".
    folder.RefusedTargets = {L"B.TXT"};
    auto rows = Renames({{L"a.txt", L"x.txt"}, {L"b.txt", L"y.txt"}});
    TRenamePlan plan = MakeRenamePlan(rows, folder.Entries(), false, FoldCaseBasic);
    TRenameOutcome outcome = RunRenamePlan(plan, folder.Mover());
    ASSERT_FALSE(outcome.Completed);
    EXPECT_EQ(plan.Moves[outcome.FailedMove].Kind, TMoveKind::ToNewName);
    ASSERT_EQ(outcome.Stranded.size(), 1u);
    EXPECT_EQ(outcome.Stranded[0].Original, L"b.txt");
    EXPECT_EQ(outcome.Stranded[0].Current, L"tmpb.txt");
    // Nothing was lost: every object is somewhere, a is back.
    EXPECT_EQ(folder.Contents(), (std::map<std::wstring, std::wstring>{
                                     {L"a.txt", L"a.txt"}, {L"tmpb.txt", L"b.txt"}, {L"y.txt", L"y.txt"}}));
}

TEST(RenamePlan, FreeNamesStayWithin255Units)
{
    std::wstring longName(250, L'n');
    longName += L".txt";
    std::unordered_set<std::wstring> taken{FoldName(L"tmp" + longName.substr(0, 248) + L".txt", FoldCaseBasic)};
    std::wstring chosen = FreeName(L"tmp" + longName, taken, FoldCaseBasic);
    EXPECT_EQ(chosen.size(), 255u);
    EXPECT_EQ(NameExtension(chosen), L".txt");
    EXPECT_FALSE(taken.count(FoldName(chosen, FoldCaseBasic)));
    EXPECT_EQ(FreeName(L"free.txt", taken, FoldCaseBasic), L"free.txt");
}
