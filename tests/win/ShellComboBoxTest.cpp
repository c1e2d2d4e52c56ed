// The address combo box in a test window with a linked folder tree: its
// permanent and temporary rows, choosing rows, following the tree, and its
// drawing when dropped down.
#include "../support/DragData.h"
#include "../support/GuiTestHelpers.h"
#include "../support/HostCommand.h"
#include "../support/TempFolder.h"
#include "browser/ComboDropSite.h"
#include "browser/ShellComboBox.h"
#include "browser/ShellTreeView.h"
#include "shell/ShellHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TRow {
    int Level;
    std::wstring Path;
    bool Temporary;
};

class ShellComboBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareControls(ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES); }

    void SetUp() override
    {
        Host = MakeTestHost(L"combo", 760, 560);
        ASSERT_TRUE(Host);
        Box = std::make_unique<TSHComboBox>(Host);
        SetWindowPos(Box->Handle(), nullptr, 270, 10, 470, Box->ClosedHeight(), SWP_NOZORDER);
        ProcessPendingMessages();
    }

    void TearDown() override
    {
        if (Tree) Tree->SetShellComboBox(nullptr);
        Box.reset();
        Tree.reset();
        DestroyWindow(Host);
    }

    void LinkTree()
    {
        Tree = std::make_unique<TSHTreeView>(Host);
        SetWindowPos(Tree->Handle(), nullptr, 0, 0, 260, 520, SWP_NOZORDER);
        Tree->SetShellComboBox(Box.get());
    }

    std::vector<TRow> Rows()
    {
        std::vector<TRow> rows;
        TSHComboList& list = Box->ComboList();
        for (int i = 0; i < list.Count(); ++i) {
            TSHComboItem* row = list.Rows(i);
            rows.push_back({row->GetLevel(), row->GetPath(), row->Temporary});
        }
        return rows;
    }
    int RowOf(const std::wstring& path)
    {
        auto rows = Rows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (i > 0 && rows[i].Path == path) return int(i);
        return -1;
    }
    int TemporaryCount()
    {
        int count = 0;
        for (const TRow& row : Rows()) count += row.Temporary;
        return count;
    }
    // As the user picks a row from the list.
    void Choose(int index)
    {
        SendMessageW(Box->ComboHandle(), CB_SETCURSEL, WPARAM(index), 0);
        SendMessageW(Box->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(Box->ComboHandle()));
    }
    std::wstring CurrentPath()
    {
        std::wstring path;
        IDListToPath(Box->GetCurrentIDList(), path);
        return path;
    }

    TTempFolder Temp;
    HWND Host = nullptr;
    std::unique_ptr<TSHComboBox> Box;
    std::unique_ptr<TSHTreeView> Tree;
};

}  // namespace

TEST_F(ShellComboBoxTest, FreshBoxShowsTheDesktopItsChildrenAndTheFirstChildsChildren)
{
    auto rows = Rows();
    ASSERT_GE(rows.size(), 3u);
    TSHComboList& list = Box->ComboList();
    EXPECT_EQ(rows[0].Level, 0);
    EXPECT_FALSE(list.Rows(0)->GetDisplayName().empty());
    TSHComboItem* first = list.Rows(1);
    for (int i = 1; i < list.Count(); ++i) {
        TSHComboItem* row = list.Rows(i);
        SCOPED_TRACE(row->GetDisplayName().c_str());
        EXPECT_FALSE(row->Temporary);
        EXPECT_EQ(row->GetIndex(), i);
        if (row->GetLevel() == 2) {
            EXPECT_EQ(row->ParentItem, first);  // only the first child is opened
        } else {
            EXPECT_EQ(row->GetLevel(), 1);
        }
    }
    EXPECT_EQ(SendMessageW(Box->ComboHandle(), CB_GETCOUNT, 0, 0), list.Count());
    EXPECT_EQ(Box->CurrentIndex(), 0);
    EXPECT_GE(SendMessageW(Box->ComboHandle(), CB_GETITEMHEIGHT, 0, 0), 18);

    // A drop target sits on the control.
    EXPECT_TRUE(Box->DropTargetRegistered());

    // A drive's medium changing renames its row.
    TIDListPtr drive = PathToIDList(L"C:\\");
    ASSERT_TRUE(drive);
    Box->SelectIDList(drive.get());
    Box->DriveRenamed(drive.get(), L"Data disk (C:)");
    ASSERT_NE(RowOf(L"C:\\"), -1);
    EXPECT_EQ(list.Rows(RowOf(L"C:\\"))->GetDisplayName(), L"Data disk (C:)");
}

TEST_F(ShellComboBoxTest, TemporaryRowsLeadToTheTreesFolderAndGoWhenAPermanentRowIsChosen)
{
    LinkTree();
    std::wstring deep = Temp / L"a\\b";
    CreateDirectoryW((Temp / L"a").c_str(), nullptr);
    CreateDirectoryW(deep.c_str(), nullptr);
    int permanent = int(Rows().size());
    Tree->SelectPath(deep);
    EXPECT_EQ(CurrentPath(), deep);

    // The temporary rows are one chain down to the folder, one row per
    // level, each under the one before.
    TSHComboList& list = Box->ComboList();
    TSHComboItem* row = list.Rows(Box->CurrentIndex());
    ASSERT_TRUE(row && row->Temporary);
    int chain = 0;
    for (; row && row->Temporary; row = row->ParentItem, ++chain) {
        ASSERT_TRUE(row->ParentItem);
        EXPECT_EQ(row->GetIndex(), row->ParentItem->GetIndex() + 1);
        EXPECT_EQ(row->GetLevel(), row->ParentItem->GetLevel() + 1);
    }
    EXPECT_GE(chain, 2);
    EXPECT_EQ(TemporaryCount(), chain);

    // Choosing the desktop removes them and moves the tree.
    Choose(0);
    EXPECT_EQ(TemporaryCount(), 0);
    EXPECT_EQ(int(Rows().size()), permanent);
    EXPECT_EQ(Tree->GetSelectedIDList(), Tree->ItemOf(Tree->RootNode())->GetAbsoluteList());
    EXPECT_EQ(Box->CurrentIndex(), 0);
}

TEST_F(ShellComboBoxTest, ChoosingATemporaryRowRemovesOnlyTheRowsBelowIt)
{
    LinkTree();
    CreateDirectoryW((Temp / L"a").c_str(), nullptr);
    CreateDirectoryW((Temp / L"a\\b").c_str(), nullptr);
    Tree->SelectPath(Temp / L"a\\b");
    int count = int(Rows().size());
    int temp = RowOf(Temp.Path());
    ASSERT_GT(temp, 0);
    ASSERT_TRUE(Rows()[size_t(temp)].Temporary);

    Choose(temp);
    EXPECT_EQ(int(Rows().size()), count - 2);
    EXPECT_EQ(RowOf(Temp / L"a"), -1);
    EXPECT_EQ(CurrentPath(), Temp.Path());
    EXPECT_EQ(Tree->GetSelectedPath(), Temp.Path());

    // The tree choosing another folder takes the box along.
    Tree->SelectPath(Temp / L"a");
    EXPECT_EQ(CurrentPath(), Temp / L"a");
}

TEST_F(ShellComboBoxTest, FolderMadeOnTheDesktopLaterIsFoundWhenTheTreeSelectsIt)
{
    LinkTree();
    std::wstring desktop;
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop));
    std::wstring name = L"qv-combo-" + std::to_wstring(GetCurrentProcessId());
    std::wstring made = JoinPath(desktop, name);
    ASSERT_TRUE(CreateDirectoryW(made.c_str(), nullptr));
    // The folder as a child of the desktop, not by its path through the drive.
    TIDListPtr child;
    ComPtr<IEnumIDList> items;
    ASSERT_EQ(DesktopFolder()->EnumObjects(nullptr, SHCONTF_FOLDERS, items.Put()), S_OK);
    PIDList id = nullptr;
    ULONG fetched = 0;
    while (!child && items->Next(1, &id, &fetched) == S_OK) {
        std::wstring shown;
        GetItemDisplayName(DesktopFolder(), id, SHGDN_INFOLDER, shown);
        if (shown == name) child.reset(id);
        else FreeIDList(id);
    }
    ASSERT_TRUE(child);
    Tree->SelectIDList(child.get());
    EXPECT_EQ(CurrentPath(), made);
    TSHComboItem* row = Box->ComboList().Rows(Box->CurrentIndex());
    ASSERT_TRUE(row);
    EXPECT_EQ(row->GetLevel(), 1);
    EXPECT_EQ(row->GetDisplayName(), name);
    Choose(0);
    RemoveDirectoryW(made.c_str());
}

TEST_F(ShellComboBoxTest, DroppedDownRowsAreIndentedByLevelAndCarryTheirIcons)
{
    LinkTree();
    Tree->SelectPath(Temp.Path());
    SendMessageW(Box->ComboHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    ProcessPendingMessages();
    ASSERT_TRUE(SendMessageW(Box->ComboHandle(), CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(Box->ComboHandle(), &info));
    UpdateWindow(info.hwndList);

    // Where a row's icon is, some pixel differs from the background; left of
    // it (the indentation), none does.
    HDC dc = GetDC(info.hwndList);
    COLORREF background = GetSysColor(COLOR_WINDOW);
    auto inked = [&](const RECT& item, int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = item.top + 1; y < item.bottom - 1; ++y) {
                COLORREF pixel = GetPixel(dc, x, y);
                if (pixel != CLR_INVALID && pixel != background) return true;
            }
        return false;
    };
    int top = int(SendMessageW(info.hwndList, LB_GETTOPINDEX, 0, 0));
    int checked = 0;
    for (int i = top; i < top + 6 && i < Box->ComboList().Count(); ++i) {
        if (i == Box->CurrentIndex()) continue;  // drawn in the highlight
        RECT item{};
        if (SendMessageW(info.hwndList, LB_GETITEMRECT, WPARAM(i), LPARAM(&item)) == LB_ERR) continue;
        int indent = 12 * Box->ComboList().Rows(i)->GetLevel();
        SCOPED_TRACE(i);
        EXPECT_TRUE(inked(item, indent, indent + 16));
        if (indent > 0) {
            EXPECT_FALSE(inked(item, 0, indent));
        }
        ++checked;
    }
    ReleaseDC(info.hwndList, dc);
    EXPECT_GE(checked, 3);

    // For looking at it: QV_COMBO_SCREENSHOT names a PNG file on the host.
    if (const char* shot = std::getenv("QV_COMBO_SCREENSHOT"); shot && *shot) {
        std::wstring path(shot, shot + std::strlen(shot));
        EXPECT_TRUE(RunOnHost(L"import -window root " + ShellQuoted(path)));
    }
    SendMessageW(Box->ComboHandle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ShellComboBoxTest, KeepsItsFolderWhenTheControlIsMadeAnew)
{
    LinkTree();
    CreateDirectoryW((Temp / L"a").c_str(), nullptr);
    Tree->SelectPath(Temp / L"a");
    HWND before = Box->ComboHandle();
    // A bigger font: the rows grow with it.
    LOGFONTW font{};
    font.lfHeight = -26;
    lstrcpyW(font.lfFaceName, L"IPAPGothic");
    HFONT big = CreateFontIndirectW(&font);
    Box->SetBoxFont(big);
    EXPECT_NE(Box->ComboHandle(), before);
    EXPECT_EQ(CurrentPath(), Temp / L"a");
    EXPECT_GE(SendMessageW(Box->ComboHandle(), CB_GETITEMHEIGHT, 0, 0), 26);
    EXPECT_TRUE(Box->DropTargetRegistered());
    Box.reset();  // before the font it draws with
    DeleteObject(big);
}

TEST_F(ShellComboBoxTest, ADropGoesIntoTheFolderShown)
{
    LinkTree();
    CreateDirectoryW((Temp / L"to").c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", {'x'}));
    Tree->SelectPath(Temp / L"to");
    ASSERT_EQ(CurrentPath(), Temp / L"to");
    ComPtr<IDataObject> data = DataOf(Temp / L"a.txt");
    ASSERT_TRUE(data);
    IDropTarget* target = Box->DropSiteOfBox()->DropTarget();
    RECT box{};
    GetWindowRect(Box->ComboHandle(), &box);
    POINTL point{(box.left + box.right) / 2, box.top + 4};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data.Get(), MK_CONTROL | MK_LBUTTON, point, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data.Get(), MK_CONTROL, point, &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(FolderContents(Temp / L"to"), std::set<std::wstring>{L"a.txt"});
    EXPECT_TRUE(FileExists(Temp / L"a.txt"));
}
