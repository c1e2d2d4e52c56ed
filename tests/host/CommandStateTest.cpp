#include "core/commands/CommandState.h"

#include "core/commands/CommandIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// 'E' enabled and checked, 'e' enabled and unchecked, '+' enabled with no
// checked state, '-' disabled, '.' disabled and unchecked, '?' disabled and
// checked.
char Code(const TCommandState& s)
{
    if (!s.Enabled) return s.Checked && !*s.Checked ? '.' : s.Checked ? '?' : '-';
    if (!s.Checked) return '+';
    return *s.Checked ? 'E' : 'e';
}

std::string Codes(const std::vector<int>& ids, const TCommandSnapshot& s, bool wasEnabled = false)
{
    std::string codes;
    for (int id : ids) codes += Code(CommandState(id, s, wasEnabled));
    return codes;
}

// A plain folder in the tree, a list attached with two items, nothing
// focused.
TCommandSnapshot Browsing()
{
    TCommandSnapshot s;
    s.Tree.HasSelection = true;
    s.Tree.HasPath = true;
    s.Tree.HasParent = true;
    s.Tree.Attributes = kRuleAttributes & ~unsigned(saCanLink);
    s.List.Attached = true;
    s.List.ItemCount = 2;
    s.List.HasFolderPath = true;
    s.FolderWindowExists = s.FolderWindowActive = true;
    return s;
}

TCommandSnapshot WithSelection(unsigned attributes, int count = 1)
{
    TCommandSnapshot s = Browsing();
    s.List.SelectedCount = count;
    s.List.SelectionAttributes = attributes;
    return s;
}

const unsigned kPlainFile = saCanCopy | saCanLink | saCanRename | saCanDelete | saHasPropSheet | saFileSystem;

// The commands that follow the focused pane: open, rename, properties, cut,
// copy, paste, delete.
const std::vector<int> kFocusCommands = {Cmd::Open, Cmd::Rename, Cmd::Properties, Cmd::Cut,
                                         Cmd::Copy, Cmd::Paste,  Cmd::Delete};

TEST(CommandState, FocusedPaneDecides)
{
    struct Case {
        const char* what;
        std::function<void(TCommandSnapshot&)> change;
        bool wasEnabled;
        const char* codes;
    };
    const Case cases[] = {
        {"tree focused on a plain folder", [](auto& s) { s.Focus = TFocusPane::Tree; }, false, "+++++-+"},
        {"tree: the clipboard holds files",
         [](auto& s) { s.Focus = TFocusPane::Tree; s.ClipboardHasFiles = true; }, false, "+++++++"},
        {"tree: a drive root cannot be renamed, cut or deleted",
         [](auto& s) {
             s.Focus = TFocusPane::Tree;
             s.Tree.Attributes = saHasPropSheet | saFileSystem | saFolder;
         }, false, "+-+----"},
        {"tree: a label being edited", [](auto& s) { s.Focus = TFocusPane::Tree; s.Tree.Editing = true; }, false,
         "+++++--"},
        {"tree: no node selected", [](auto& s) { s.Focus = TFocusPane::Tree; s.Tree.HasSelection = false; }, true,
         "-------"},
        {"list focused without a selection", [](auto& s) { s.Focus = TFocusPane::List; }, true, "-------"},
        {"list focused on a file, clipboard full",
         [](auto& s) {
             s.Focus = TFocusPane::List;
             s.List.SelectedCount = 1;
             s.List.SelectionAttributes = kPlainFile;
             s.ClipboardHasFiles = true;
         }, false, "+++++++"},
        {"list: a caption being edited",
         [](auto& s) {
             s.Focus = TFocusPane::List;
             s.List.SelectedCount = 1;
             s.List.SelectionAttributes = kPlainFile;
             s.List.Editing = true;
         }, false, "+++++--"},
        {"list: a folder without a path cannot paste",
         [](auto& s) {
             s.Focus = TFocusPane::List;
             s.List.HasFolderPath = false;
             s.ClipboardHasFiles = true;
         }, false, "-------"},
        {"neither focused, list attached: the state stays (was on)", [](auto&) {}, true, "+++++++"},
        {"neither focused, list attached: the state stays (was off)", [](auto&) {}, false, "-------"},
        {"neither focused, no list: disabled", [](auto& s) { s.List = {}; }, true, "-------"},
        {"tree focused without a list: the tree's rule", [](auto& s) { s.Focus = TFocusPane::Tree; s.List = {}; }, false,
         "+++++-+"},
    };
    for (const Case& c : cases) {
        TCommandSnapshot s = Browsing();
        c.change(s);
        EXPECT_EQ(Codes(kFocusCommands, s, c.wasEnabled), c.codes) << c.what;
    }
}

TEST(CommandState, SelectionCommandsOfTheAttachedList)
{
    // Export, mail, print, date, attributes, viewer, select by type,
    // folders, files, all, invert, open with, icons, shortcut.
    const std::vector<int> ids = {Cmd::ExportList, Cmd::SendAsMail,     Cmd::Print,        Cmd::ChangeDateTime,
                                  Cmd::ChangeAttributes, Cmd::ShowInViewer, Cmd::SelectByType, Cmd::SelectFolders,
                                  Cmd::SelectFiles,  Cmd::SelectAll,    Cmd::InvertSelection, Cmd::OpenWith,
                                  Cmd::BrowseIcons,  Cmd::CreateShortcut};
    struct Case {
        const char* what;
        TCommandSnapshot s;
        const char* codes;
    };
    TCommandSnapshot file = WithSelection(kPlainFile);
    file.List.OneSelectedIsFile = true;
    TCommandSnapshot fileFocused = file;
    fileFocused.Focus = TFocusPane::List;
    fileFocused.FileTypesPresent = true;
    TCommandSnapshot folder = WithSelection(kPlainFile | saFolder);
    TCommandSnapshot two = WithSelection(kPlainFile, 2);
    TCommandSnapshot virtualItem = WithSelection(saHasPropSheet);
    TCommandSnapshot elsewhere = file;
    elsewhere.List.HasFolderPath = false;
    TCommandSnapshot empty = Browsing();
    empty.List.ItemCount = 0;
    TCommandSnapshot noList = file;
    noList.List.Attached = false;
    const Case cases[] = {
        {"one file, list not focused", file, "++++++-++++++-"},
        {"one file, list focused, file types", fileFocused, "++++++++++++++"},
        {"one folder", folder, "+-+++--++++-+-"},
        {"two files", two, "+++++--++++---"},
        {"a virtual object", virtualItem, "+-+----++++-+-"},
        {"a selection in a folder without a path", elsewhere, "+-+--+-++++++-"},
        {"an empty folder", empty, "--------------"},
        {"no list attached", noList, "--------------"},
    };
    for (const Case& c : cases) EXPECT_EQ(Codes(ids, c.s), c.codes) << c.what;
}

TEST(CommandState, ViewStyleSortAndLockFollowTheList)
{
    const std::vector<int> ids = {Cmd::ViewLargeIcons, Cmd::ViewSmallIcons, Cmd::ViewList,      Cmd::ViewDetails,
                                  Cmd::SortByName,     Cmd::SortBySize,     Cmd::SortByType,    Cmd::SortByDate,
                                  Cmd::SortByAttributes, Cmd::SortAscending, Cmd::SortDescending, Cmd::FolderLock};
    TCommandSnapshot s = Browsing();
    s.List.ViewStyle = 3;
    s.List.SortKey = 1;
    s.List.SortAscending = false;
    s.List.Locked = true;
    EXPECT_EQ(Codes(ids, s), "eeeEeEeeeeEE");
    // Without a folder window every one is unchecked and disabled.
    EXPECT_EQ(Codes(ids, TCommandSnapshot{}), "............");
}

TEST(CommandState, SwitchesOfTheWorkspace)
{
    const std::vector<int> ids = {Cmd::ShowBandFile,    Cmd::ShowBandAddress, Cmd::ShowStatusBar, Cmd::ShowViewer,
                                  Cmd::ShowVirtualFolders, Cmd::ShowNetwork,  Cmd::ShowRecycleBin, Cmd::ShowInternet,
                                  Cmd::ShowHiddenFiles, Cmd::Navigator,      Cmd::Filtering};
    TCommandSnapshot s;
    s.BandVisible[7] = true;
    s.StatusBarVisible = true;
    s.VirtualItems = ShVirtuaBit(itNetWork) | ShVirtuaBit(itInterNet);
    s.IncludeHidden = true;
    s.Filtering = true;
    EXPECT_EQ(Codes(ids, s), "eEEeeEeEEe?");
    s.FilterEntryChosen = true;
    EXPECT_EQ(Codes({Cmd::Filtering}, s), "E");
}

TEST(CommandState, TreeNavigationAndAddress)
{
    const std::vector<int> ids = {Cmd::Back,         Cmd::Forward,    Cmd::Up,          Cmd::ExpandAll,
                                  Cmd::CollapseAll,  Cmd::PreviousFolder, Cmd::NextFolder, Cmd::GoToAddress,
                                  Cmd::NewFolder,    Cmd::NewZipFolder};
    TCommandSnapshot s = Browsing();
    s.Tree.BackCount = 1;
    s.Tree.HasNext = true;
    EXPECT_EQ(Codes(ids, s), "+-+++-+-++");
    s.AddressHasText = true;
    s.Tree.HasPath = false;  // a virtual folder: nothing can be made in it
    EXPECT_EQ(Codes(ids, s), "+-+++-++--");
    TCommandSnapshot root;
    root.Tree.HasSelection = true;
    root.Tree.HasPath = true;
    root.AddressHasText = true;
    EXPECT_EQ(Codes(ids, root), "---++---+-") << "the root, no list";
}

TEST(CommandState, CopyAndMoveToAFolderFollowCopyAndCut)
{
    // Copy to a folder as copy, move to a folder as cut, in both panes.
    const std::vector<int> ids = {Cmd::CopyToFolder, Cmd::Copy, Cmd::MoveToFolder, Cmd::Cut};
    TCommandSnapshot s = WithSelection(kPlainFile);
    s.Focus = TFocusPane::List;
    EXPECT_EQ(Codes(ids, s), "++++");
    s.List.SelectionAttributes = saCanCopy | saCanLink;
    EXPECT_EQ(Codes(ids, s), "++--") << "a selection that can be copied but not deleted";
    s.List.SelectionAttributes = saFileSystem | saCanRename;
    EXPECT_EQ(Codes(ids, s), "----") << "file-system objects the shell will not copy";
    s.List.SelectedCount = 0;
    s.List.SelectionAttributes = 0;
    EXPECT_EQ(Codes(ids, s), "----") << "no selection";

    s.Focus = TFocusPane::Tree;
    EXPECT_EQ(Codes(ids, s), "++++") << "a plain folder";
    s.Tree.Attributes = saCanCopy | saCanLink | saFolder | saFileSystem;
    EXPECT_EQ(Codes(ids, s), "++--") << "a drive's root";
    s.Tree.Attributes = saFolder | saFileSystem | saHasPropSheet;
    EXPECT_EQ(Codes(ids, s), "----") << "the desktop";
    s.Tree.HasSelection = false;
    EXPECT_EQ(Codes(ids, s), "----") << "no node";

    s = WithSelection(kPlainFile);
    EXPECT_EQ(Codes(ids, s, true), "++++") << "neither focused: the state stays";
    EXPECT_EQ(Codes(ids, s, false), "----");
    s.List.Attached = false;
    EXPECT_EQ(Codes(ids, s, true), "----") << "no list attached";
}

TEST(CommandState, WindowsViewerAndFixedCommands)
{
    const std::vector<int> ids = {Cmd::CloseWindow, Cmd::Cascade, Cmd::ArrangeIcons, Cmd::FindComputer,
                                  Cmd::Undo,        Cmd::Exit,    Cmd::NewWindow,    Cmd::Help};
    TCommandSnapshot s;
    EXPECT_EQ(Codes(ids, s), "-----+++");
    s.FolderWindowExists = true;
    s.ComputerSearchAvailable = true;
    EXPECT_EQ(Codes(ids, s), "-+++-+++") << "a window exists, none active";
    s.FolderWindowActive = true;
    EXPECT_EQ(Codes(ids, s), "++++-+++");
    EXPECT_EQ(Code(CommandState(99999, s, true)), '-') << "an unknown command";

    // The viewer's commands read the view only while the viewer shows.
    s.Viewer = {true, true, true, true, TRasterToolKind::ObjectSelect, TPaintMode::pmColorOn};
    EXPECT_EQ(Code(CommandState(Cmd::ViewerCancel, s, false)), '-');
    s.ViewerVisible = true;
    EXPECT_EQ(Code(CommandState(Cmd::ViewerCancel, s, false)), '+');
    EXPECT_EQ(Code(CommandState(Cmd::ViewerColorOn, s, false)), 'E');
}

}  // namespace
