#include "core/dialogs/SequenceFolders.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A folder in memory; names compare as the file system compares them.
struct TFakeFolder {
    std::map<std::wstring, std::pair<std::wstring, TEntryKind>> Entries;  // key -> name, kind
    std::vector<std::wstring> Log;                                        // changes, in order

    static std::wstring Key(const std::wstring& name) { return FoldName(name, FoldCaseBasic); }
    void Add(const std::wstring& name, TEntryKind kind) { Entries[Key(name)] = {name, kind}; }
    TSequenceFolderOps Ops()
    {
        TSequenceFolderOps ops;
        ops.Kind = [this](const std::wstring& name) {
            auto it = Entries.find(Key(name));
            return it == Entries.end() ? TEntryKind::None : it->second.second;
        };
        ops.Rename = [this](const std::wstring& from, const std::wstring& to) {
            if (!Entries.count(Key(from)) || Entries.count(Key(to))) return false;
            auto kind = Entries[Key(from)].second;
            Entries.erase(Key(from));
            Add(to, kind);
            Log.push_back(L"rename " + from + L" " + to);
            return true;
        };
        ops.Create = [this](const std::wstring& name) {
            if (Entries.count(Key(name))) return false;
            Add(name, TEntryKind::Folder);
            Log.push_back(L"create " + name);
            return true;
        };
        return ops;
    }
};

std::vector<std::wstring> Names(const TSequencePattern& p, const wchar_t* folder, int count)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) names.push_back(SequenceFolderName(p, folder, i));
    return names;
}

TSequencePattern Photo()
{
    TSequencePattern p;
    p.HeaderText1 = L"Photo";
    p.HeaderParent = false;
    p.Digits = 3;
    p.Start = 1;
    p.Step = 10;
    return p;
}

}  // namespace

TEST(SequenceFolders, NamesAndSample)
{
    EXPECT_EQ(Names(Photo(), L"Trip", 3), (std::vector<std::wstring>{L"Photo001", L"Photo011", L"Photo021"}));
    EXPECT_EQ(SequenceSample(Photo(), L"Trip", 3), L"Photo001 ～ Photo021");

    TSequencePattern trip;
    trip.HeaderText2 = L"_";
    trip.Digits = 2;
    EXPECT_EQ(Names(trip, L"Trip", 2), (std::vector<std::wstring>{L"Trip_01", L"Trip_02"}));

    TSequencePattern wide;
    wide.Start = 100;
    wide.Digits = 2;
    wide.HeaderParent = false;
    wide.FooterText1 = L"-";
    wide.FooterParent = true;
    wide.FooterText2 = L"!";
    EXPECT_EQ(SequenceFolderName(wide, L"F", 0), L"100-F!");

    TSequencePattern bad = Photo();
    wchar_t found = 0;
    EXPECT_EQ(FindForbiddenInSequence(bad, &found), std::wstring::npos);
    bad.FooterText2 = L"a:b";
    EXPECT_EQ(FindForbiddenInSequence(bad, &found), 6u);
    EXPECT_EQ(found, L':');
}

TEST(SequenceFolders, AnExistingFolderIsPushedAsideAndAFileStopsTheRun)
{
    TFakeFolder pushed;
    pushed.Add(L"Photo011", TEntryKind::Folder);
    TSequenceOutcome outcome = CreateSequenceFolders(Names(Photo(), L"", 3), pushed.Ops(), FoldCaseBasic);
    EXPECT_TRUE(outcome.Completed);
    EXPECT_EQ(outcome.Created, 3u);
    EXPECT_EQ(pushed.Log, (std::vector<std::wstring>{L"create Photo001", L"rename Photo011 old_Photo011",
                                                     L"create Photo011", L"create Photo021"}));

    TFakeFolder blocked;
    blocked.Add(L"photo011", TEntryKind::File);
    outcome = CreateSequenceFolders(Names(Photo(), L"", 3), blocked.Ops(), FoldCaseBasic);
    EXPECT_FALSE(outcome.Completed);
    EXPECT_FALSE(outcome.Refused);
    EXPECT_EQ(outcome.Created, 1u);
    EXPECT_EQ(outcome.FailedName, L"Photo011");
    EXPECT_EQ(blocked.Log, (std::vector<std::wstring>{L"create Photo001"}));
}

TEST(SequenceFolders, ATakenOldNameRefusesTheRunBeforeAnyChange)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const wchar_t*, TEntryKind>> present;
        std::vector<std::wstring> names;
    } cases[] = {
        {"old_ name taken by a file", {{L"Photo011", TEntryKind::Folder}, {L"OLD_photo011", TEntryKind::File}},
         Names(Photo(), L"", 3)},
        {"old_ name is a later name of the run", {{L"1", TEntryKind::Folder}}, {L"1", L"old_1"}},
        {"a name ending in a dot", {}, {L"1", L"2."}},
    };
    for (const Case& c : cases) {
        TFakeFolder folder;
        for (auto [name, kind] : c.present) folder.Add(name, kind);
        TSequenceOutcome outcome = CreateSequenceFolders(c.names, folder.Ops(), FoldCaseBasic);
        EXPECT_TRUE(outcome.Refused) << c.what;
        EXPECT_EQ(outcome.Created, 0u) << c.what;
        EXPECT_TRUE(folder.Log.empty()) << c.what;
    }
}
