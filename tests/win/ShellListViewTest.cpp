// The folder list in a real top-level window, over folders the tests make:
// what the rows show, sorting by the header, type-ahead, activation under
// the folder lock, new folders, renaming in place, the selection size and
// the view's window life.
#include "../support/ShellTestHelpers.h"
#include "../support/TempFolder.h"
#include "browser/ShellListView.h"
#include "core/shell/FileFilter.h"
#include "fileops/OwnVerbs.h"
#include "gui/MessageLoop.h"
#include "shell/ShellClipboard.h"
#include "shell/ShellHelpers.h"

#include "../support/DialogAnswerer.h"
#include "../support/GuiTestHelpers.h"
#include "Screenshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The tree's side of the link, recording what the list asks of it.
class TTreeStub : public IShLinkedTree {
public:
    void SelectIDList(PCIDList absolute) override
    {
        IDListToPath(absolute, Selected);
        ++Selections;
    }
    PCIDList GetSelectedIDList() const override { return nullptr; }
    void RefreshAll() override {}
    void MendSelection() override {}
    void ComboDestroyed(IShLinkedCombo*) override {}
    void TakeIncludeHidden(bool include) override { Hidden = include; }
    void TakeShVirtuaItems(unsigned) override {}
    std::wstring Selected;
    int Selections = 0;
    bool Hidden = true;
};

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE)
        if (HWND child = GetWindow(wnd, GW_CHILD)) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

class ShellListViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuirevueListViewTestHost";
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);
    }

    void SetUp() override
    {
        Host = CreateWindowExW(0, L"QuirevueListViewTestHost", L"list view", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               20, 20, 640, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(Host);
        View = std::make_unique<TSHListView>(Host);
        ShowWindow(Host, SW_SHOWNORMAL);
        SetForegroundWindow(Host);
        SetShellOwnerWindow(Host);
        View->OnShSelChange.Add([this](TSHListView&, int64_t size) {
            ++SelChanges;
            LastSelSize = size;
        });
        View->OnShListChange.Add([this](TSHListView&) { ++ListChanges; });
    }

    void TearDown() override
    {
        // The view makes the folder shown the current one, which would keep
        // it from being removed.
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        SetShellOwnerWindow(nullptr);
        View.reset();
        DestroyWindow(Host);
    }

    void Show(const std::wstring& folder)
    {
        TIDListPtr list = ListOf(folder);
        ASSERT_TRUE(list);
        View->SetFolder(list.get());
        ProcessPendingMessages();
    }
    HWND List() const { return View->ListHandle(); }
    int Count() const { return int(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Text(int row, int column) const
    {
        wchar_t text[MAX_PATH] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageW(List(), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        return text;
    }
    int RowOf(const std::wstring& name) const
    {
        for (int i = 0; i < Count(); ++i)
            if (Text(i, 0) == name) return i;
        return -1;
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < Count(); ++i) names.push_back(Text(i, 0));
        return names;
    }
    void SelectOnly(int row)
    {
        View->SelectAll(false);
        View->SetSelected(row, true);
        View->SetFocusedIndex(row);
    }

    TTempFolder Temp;
    HWND Host = nullptr;
    std::unique_ptr<TSHListView> View;
    int SelChanges = 0, ListChanges = 0;
    int64_t LastSelSize = -1;
};

}  // namespace

TEST_F(ShellListViewTest, RowsShowTheirTextsAndAttributes)
{
    // A new view shows the desktop in large icons.
    EXPECT_EQ(GetIDListLevel(View->GetFolderIDList()), 0);
    EXPECT_EQ(View->GetViewStyleValue(), LV_VIEW_ICON);
    EXPECT_EQ(SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), LRESULT(GetSysImageList(true)));
    EXPECT_EQ(SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), LRESULT(GetSysImageList(false)));

    MakeFile(Temp / L"hra.txt", 10, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(Temp / L"sa.txt", 2000, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(CreateDirectoryW((Temp / L"sub").c_str(), nullptr));
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    Show(Temp.Path());
    EXPECT_EQ(View->GetFolderPath(), Temp.Path());
    ASSERT_EQ(Count(), 3);

    struct TColumn {
        const char* Caption;
        int Format;
    };
    const TColumn columns[] = {{"名前", LVCFMT_LEFT}, {"サイズ", LVCFMT_RIGHT}, {"ファイルの種類", LVCFMT_LEFT},
                               {"更新日時", LVCFMT_LEFT}, {"属性", LVCFMT_RIGHT}};
    for (int i = 0; i < 5; ++i) {
        wchar_t caption[64] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = caption;
        column.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(List(), LVM_GETCOLUMNW, WPARAM(i), LPARAM(&column)));
        EXPECT_EQ(std::wstring(caption), Utf8Path(columns[i].Caption)) << i;
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[i].Format) << i;
    }

    struct TRow {
        const wchar_t* Name;
        const wchar_t* Size;
        const wchar_t* Letters;
    };
    const TRow rows[] = {{L"hra.txt", L"1KB", L"RHA"}, {L"sa.txt", L"2KB", L"SA"}, {L"sub", L"", L"D"}};
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        int row = RowOf(r.Name);
        ASSERT_GE(row, 0);
        EXPECT_EQ(Text(row, 1), r.Size);
        EXPECT_FALSE(Text(row, 2).empty());
        EXPECT_EQ(Text(row, 4), r.Letters);
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(List(), LVM_GETITEMW, 0, LPARAM(&item));
        EXPECT_GE(item.iImage, 0);
    }
    EXPECT_FALSE(Text(RowOf(L"hra.txt"), 3).empty());

    // With attribute images the column draws images and holds no letters.
    TImageListHandle images(ImageList_Create(8, 8, ILC_COLOR24, 8, 0));
    TBitmapHandle bitmap(CreateBitmap(64, 8, 1, 32, nullptr));
    ImageList_Add(images.Get(), bitmap.Get(), nullptr);
    View->AttributesImage.ImageList = images.Get();
    View->AttributesImage.ReadOnly = 0;
    View->AttributesImage.Hidden = 1;
    View->AttributesImage.Archive = 3;
    EXPECT_EQ(Text(RowOf(L"hra.txt"), 4), L"");
    // Painting goes through the owner-drawn cells (and must not fail).
    int colored = 0;
    View->OnCustomDrawItem = [&](TSHListView&, int, COLORREF& text) {
        ++colored;
        text = RGB(200, 0, 0);
        return true;
    };
    InvalidateRect(List(), nullptr, TRUE);
    UpdateWindow(List());
    EXPECT_GT(colored, 0);
    View->AttributesImage = TAttributesImage();
    View->OnCustomDrawItem = nullptr;

    // The display filter, and the view's own say after it.
    TSHFileFilter all;
    View->OnShFilter = [](TSHListView&, TSHFileItem& row, bool accept) {
        return accept && row.GetDisplayName() != L"sub";
    };
    View->SetFilter(&all);
    EXPECT_EQ(Count(), 3);  // not in force yet
    View->SetFiltering(true);
    EXPECT_EQ(Count(), 2);
    View->SetFiltering(false);
    EXPECT_EQ(Count(), 3);

    // In every style each row has a place of its own.
    for (int style : {LV_VIEW_ICON, LV_VIEW_LIST, LV_VIEW_SMALLICON, LV_VIEW_DETAILS}) {
        SCOPED_TRACE(style);
        View->SetViewStyleValue(style);
        std::vector<RECT> places;
        for (int i = 0; i < Count(); ++i) {
            RECT bounds{};
            bounds.left = LVIR_BOUNDS;
            SendMessageW(List(), LVM_GETITEMRECT, WPARAM(i), LPARAM(&bounds));
            for (const RECT& other : places) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &bounds, &other)) << i;
            }
            places.push_back(bounds);
        }
    }
}

TEST_F(ShellListViewTest, ColumnClicksSortAndMarkTheHeader)
{
    MakeFile(Temp / L"k1.bin", 1024);
    MakeFile(Temp / L"k3.bin", 3072);
    MakeFile(Temp / L"k2.bin", 2048);
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    Show(Temp.Path());
    HWND header = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(header);
    ASSERT_TRUE(View->SortBitmap(1) && View->SortBitmap(-1));
    EXPECT_NE(View->SortBitmap(1), View->SortBitmap(-1));

    struct TClick {
        int Direction;
        std::vector<std::wstring> Order;
    };
    const TClick clicks[] = {{-1, {L"k3.bin", L"k2.bin", L"k1.bin"}}, {1, {L"k1.bin", L"k2.bin", L"k3.bin"}}};
    for (const TClick& click : clicks) {
        SCOPED_TRACE(click.Direction);
        // A click on the header as the control reports it.
        NMHEADERW notify{};
        notify.hdr = {header, UINT_PTR(GetDlgCtrlID(header)), UINT(HDN_ITEMCLICKW)};
        notify.iItem = 1;
        SendMessageW(List(), WM_NOTIFY, notify.hdr.idFrom, LPARAM(&notify));
        EXPECT_EQ(View->SortType, hcSize);
        EXPECT_EQ(View->ColumnSortDirections[hcSize], click.Direction);
        EXPECT_EQ(View->FileList().SortDirections[hcSize], click.Direction);
        EXPECT_EQ(Names(), click.Order);
        for (int i = 0; i < 2; ++i) {
            HDITEMW item{};
            item.mask = HDI_FORMAT | HDI_BITMAP;
            ASSERT_TRUE(SendMessageW(header, HDM_GETITEMW, WPARAM(i), LPARAM(&item)));
            if (i == 1) {
                EXPECT_EQ(item.fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
                EXPECT_EQ(item.hbm, View->SortBitmap(click.Direction));
                EXPECT_TRUE(item.fmt & HDF_RIGHT);
            } else {
                EXPECT_FALSE(item.fmt & HDF_BITMAP);
            }
        }
    }
    // Sorting by name again moves the arrow there.
    View->SetSort(hcName, -1);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"k3.bin", L"k2.bin", L"k1.bin"}));
    HDITEMW sizeItem{};
    sizeItem.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, 1, LPARAM(&sizeItem));
    EXPECT_FALSE(sizeItem.fmt & HDF_BITMAP);
}

TEST_F(ShellListViewTest, TypeAheadFindsTextAnywhereOrAtTheStart)
{
    MakeFile(Temp / L"xaby.txt", 1);
    MakeFile(Temp / L"abc.txt", 1);
    Show(Temp.Path());
    View->SetSort(hcName, -1);
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"xaby.txt", L"abc.txt"}));

    // Through the control, as it searches when asked from the first row.
    LVFINDINFOW typed{};
    typed.flags = LVFI_PARTIAL | LVFI_STRING;
    typed.psz = L"ab";
    EXPECT_EQ(SendMessageW(List(), LVM_FINDITEMW, WPARAM(-1), LPARAM(&typed)), 0);

    // The control's requests, from a given start row.
    struct TFind {
        UINT Flags;
        const wchar_t* Text;
        int Start;
        int Found;
    };
    const TFind finds[] = {
        {LVFI_PARTIAL | LVFI_STRING, L"ab", 0, 0},  // anywhere in the name
        {LVFI_STRING, L"ab", 0, 1},                 // at the start
        {LVFI_PARTIAL | LVFI_STRING, L"AB", 0, 0},  // either case
        {LVFI_STRING, L"XA", 0, 0},
        {LVFI_PARTIAL | LVFI_STRING, L"zz", 0, -1},
        {LVFI_PARTIAL | LVFI_WRAP, L"y", 1, 0},  // wraps round to the first row
        {LVFI_PARTIAL, L"y", 1, -1},
        {LVFI_STRING | LVFI_WRAP, L"abc", 1, 1},
    };
    for (const TFind& f : finds) {
        SCOPED_TRACE(testing::Message() << f.Flags << " " << f.Start);
        NMLVFINDITEMW find{};
        find.hdr = {List(), UINT_PTR(GetDlgCtrlID(List())), UINT(LVN_ODFINDITEMW)};
        find.iStart = f.Start;
        find.lvfi.flags = f.Flags;
        find.lvfi.psz = f.Text;
        EXPECT_EQ(SendMessageW(View->Handle(), WM_NOTIFY, find.hdr.idFrom, LPARAM(&find)), f.Found) << f.Text;
    }
}

TEST_F(ShellListViewTest, ActivatingAFolderFollowsTheLock)
{
    ASSERT_TRUE(CreateDirectoryW((Temp / L"sub").c_str(), nullptr));
    MakeFile(Temp / L"file.txt", 1);
    TTreeStub tree;
    View->SetLinkedTree(&tree);
    std::vector<bool> locks;
    View->OnShFolderLock.Add([&](TSHListView&, bool lock) { locks.push_back(lock); });
    Show(Temp.Path());
    int changes = ListChanges;
    Show(Temp.Path());  // the same folder again changes nothing
    EXPECT_EQ(ListChanges, changes);

    View->SetFolderLock(true);
    View->SetFolderLock(true);
    EXPECT_EQ(locks, std::vector<bool>{true});
    SelectOnly(RowOf(L"sub"));
    {
        TDialogAnswerer answerer(IDOK);
        SendMessageW(List(), WM_KEYDOWN, VK_RETURN, 0);  // the control activates the focused row
        ASSERT_EQ(answerer.Answered, 1);
        EXPECT_EQ(answerer.Caption, L"Quirevue");
        EXPECT_EQ(answerer.Text, Utf8Path("フォルダ固定により移動が制限されています。"));
    }
    EXPECT_EQ(View->GetFolderPath(), Temp.Path());
    EXPECT_EQ(tree.Selections, 0);

    View->SetFolderLock(false);
    EXPECT_EQ(locks, (std::vector<bool>{true, false}));
    SelectOnly(RowOf(L"sub"));
    SendMessageW(List(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(View->GetFolderPath(), Temp / L"sub");
    EXPECT_EQ(tree.Selected, Temp / L"sub");
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), Temp / L"sub");

    // Hidden objects: the setting goes to the tree as well.
    View->SetIncludeHidden(false);
    EXPECT_FALSE(tree.Hidden);
    EXPECT_FALSE(View->IncludeHidden());
    View->SetLinkedTree(nullptr);
}

TEST_F(ShellListViewTest, NewFolderTakesTheNextFreeNameAndStartsEditing)
{
    const std::wstring base = Utf8Path("新しいフォルダ");
    ASSERT_TRUE(CreateDirectoryW((Temp / base).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((Temp / (base + L" (2)")).c_str(), nullptr));
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    Show(Temp.Path());

    ASSERT_TRUE(View->NewFolder());
    const std::wstring made = base + L" (3)";
    EXPECT_TRUE(DirectoryExists(Temp / made));
    EXPECT_EQ(Count(), 3);
    EXPECT_TRUE(View->IsEditing());
    HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(edit, text, MAX_PATH);
    EXPECT_EQ(std::wstring(text), made);
    EXPECT_EQ(View->NextSelected(-1), RowOf(made));
    SendMessageW(List(), LVM_CANCELEDITLABEL, 0, 0);
    EXPECT_FALSE(View->IsEditing());
    EXPECT_TRUE(DirectoryExists(Temp / made));

    // A folder without a path takes no new folder.
    TIDListPtr drives = GetSpecialFolderIDList(CSIDL_DRIVES);
    ASSERT_TRUE(drives);
    View->SetFolder(drives.get());
    EXPECT_FALSE(View->NewFolder());
}

TEST_F(ShellListViewTest, RenamesInPlaceUnlessTheNameIsRefused)
{
    MakeFile(Temp / L"a.txt", 1);
    MakeFile(Temp / L"c.txt", 1);
    Show(Temp.Path());
    struct TRename {
        const wchar_t* From;
        const wchar_t* To;
        bool Accepted;
    };
    const TRename renames[] = {{L"a.txt", L"b.txt", true}, {L"b.txt", L"c.txt", false}};
    for (const TRename& r : renames) {
        SCOPED_TRACE(r.To);
        int row = RowOf(r.From);
        ASSERT_GE(row, 0);
        SelectOnly(row);
        SetFocus(List());
        HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_EDITLABELW, WPARAM(row), 0));
        ASSERT_TRUE(edit);
        SetWindowTextW(edit, r.To);
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        ProcessPendingMessages();
        EXPECT_FALSE(View->IsEditing());
        EXPECT_EQ(Text(row, 0), r.Accepted ? r.To : r.From);
        EXPECT_EQ(FileExists(Temp / r.From), !r.Accepted);
        EXPECT_TRUE(FileExists(Temp / r.To));
    }
}

// With extensions hidden (the Explorer setting), a row shows the shell's
// name, and a rename in place starts from the name for editing and sets it
// back with the same flags: "a.txt" renamed to "b" becomes "b.txt".
TEST_F(ShellListViewTest, RowsShowTheShellsNamesAndRenameKeepsAHiddenExtension)
{
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    HKEY advanced = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &advanced, nullptr),
              ERROR_SUCCESS);
    DWORD hide = 1;
    RegSetValueExW(advanced, L"HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hide), sizeof hide);
    struct TRestore {
        HKEY Key;
        ~TRestore()
        {
            RegDeleteValueW(Key, L"HideFileExt");
            RegCloseKey(Key);
        }
    } restore{advanced};

    MakeFile(Temp / L"a.txt", 1);
    Show(Temp.Path());
    int row = RowOf(L"a");
    ASSERT_GE(row, 0) << "the row shows the name without its extension";
    SelectOnly(row);
    SetFocus(List());
    HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_EDITLABELW, WPARAM(row), 0));
    ASSERT_TRUE(edit);
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(edit, text, MAX_PATH);
    EXPECT_STREQ(text, L"a");
    SetWindowTextW(edit, L"b");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(FileExists(Temp / L"b.txt"));
    EXPECT_FALSE(FileExists(Temp / L"b"));
    EXPECT_FALSE(FileExists(Temp / L"b.txt.txt"));
}

// In-place rename selects a file's name up to its extension (the whole
// name of a folder, or of a file without one).
TEST_F(ShellListViewTest, InPlaceRenameSelectsTheNameWithoutItsExtension)
{
    MakeFile(Temp / L"photo.2024.jpg", 1);
    MakeFile(Temp / L"README", 1);
    CreateDirectoryW((Temp / L"v1.2").c_str(), nullptr);
    Show(Temp.Path());
    const struct {
        const wchar_t* name;
        DWORD end;
    } cases[] = {{L"photo.2024.jpg", 10}, {L"README", 6}, {L"v1.2", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int row = RowOf(c.name);
        ASSERT_GE(row, 0);
        SelectOnly(row);
        SetFocus(List());
        HWND edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_EDITLABELW, WPARAM(row), 0));
        ASSERT_TRUE(edit);
        ProcessPendingMessages();
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, c.end);
        SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        ProcessPendingMessages();
    }
}

// With hover selection, resting on a half-shown row selects it without
// scrolling; resting with Ctrl held, or on the row just clicked, keeps a
// selection of several rows.
TEST_F(ShellListViewTest, HoverSelectsWithoutScrollingAndKeepsABuiltSelection)
{
    for (int i = 0; i < 60; ++i) MakeFile(Temp / (L"f" + std::to_wstring(100 + i) + L".txt"), 1);
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    View->SetHotTrack(true);
    Show(Temp.Path());
    RECT area{};
    GetClientRect(List(), &area);
    // The last row the client area shows only in part.
    int half = -1;
    RECT rowRect{};
    for (int i = 0; i < Count(); ++i) {
        RECT r{LVIR_BOUNDS};
        SendMessageW(List(), LVM_GETITEMRECT, WPARAM(i), LPARAM(&r));
        if (r.top < area.bottom && r.bottom > area.bottom) {
            half = i;
            rowRect = r;
            break;
        }
    }
    if (half < 0) {
        // No row was cut at the bottom edge: shrink the list by half a row.
        RECT r{LVIR_BOUNDS};
        SendMessageW(List(), LVM_GETITEMRECT, 0, LPARAM(&r));
        RECT window{};
        GetWindowRect(View->Handle(), &window);
        MoveWindow(View->Handle(), 0, 0, window.right - window.left, window.bottom - window.top - (r.bottom - r.top) / 2,
                   TRUE);
        ProcessPendingMessages();
        GetClientRect(List(), &area);
        for (int i = 0; i < Count(); ++i) {
            RECT b{LVIR_BOUNDS};
            SendMessageW(List(), LVM_GETITEMRECT, WPARAM(i), LPARAM(&b));
            if (b.top < area.bottom && b.bottom > area.bottom) {
                half = i;
                rowRect = b;
                break;
            }
        }
    }
    ASSERT_GE(half, 0);
    SelectOnly(0);
    LPARAM at = MAKELPARAM(rowRect.left + 20, (rowRect.top + area.bottom) / 2);
    SendMessageW(List(), WM_MOUSEHOVER, 0, at);
    ProcessPendingMessages();
    EXPECT_TRUE(View->IsSelected(half));
    EXPECT_EQ(View->SelectedCount(), 1);
    EXPECT_EQ(SendMessageW(List(), LVM_GETTOPINDEX, 0, 0), 0) << "the list did not scroll";

    // Rows 1 and 2 chosen with Ctrl: resting with Ctrl held or on the row
    // last pressed keeps both.
    View->SelectAll(false);
    View->SetSelected(1, true);
    View->SetSelected(2, true);
    RECT second{LVIR_BOUNDS}, third{LVIR_BOUNDS};
    SendMessageW(List(), LVM_GETITEMRECT, 1, LPARAM(&second));
    SendMessageW(List(), LVM_GETITEMRECT, 2, LPARAM(&third));
    SendMessageW(List(), WM_MOUSEHOVER, MK_CONTROL, MAKELPARAM(second.left + 20, (second.top + second.bottom) / 2));
    EXPECT_EQ(View->SelectedCount(), 2) << "resting with Ctrl held";
    View->SetSelected(2, false);
    SendMessageW(List(), WM_LBUTTONDOWN, MK_CONTROL | MK_LBUTTON, MAKELPARAM(third.left + 20, (third.top + third.bottom) / 2));
    SendMessageW(List(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(third.left + 20, (third.top + third.bottom) / 2));
    ProcessPendingMessages();
    SendMessageW(List(), WM_MOUSEHOVER, 0, MAKELPARAM(third.left + 20, (third.top + third.bottom) / 2));
    ProcessPendingMessages();
    EXPECT_EQ(View->SelectedCount(), 2) << "resting on the row just Ctrl-clicked";
    EXPECT_TRUE(View->IsSelected(1) && View->IsSelected(2));
}

// A real drag with the button from the empty area below the rows draws the
// selection rectangle and selects the rows it crosses, in the single-click
// style as in the double-click one, moved in steps or flicked in one move;
// resting with the button held selects nothing by hover.
TEST_F(ShellListViewTest, DraggingFromTheEmptyAreaSelectsTheRowsItCrosses)
{
    for (int i = 0; i < 4; ++i) MakeFile(Temp / (L"m" + std::to_wstring(i) + L".txt"), 1);
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    for (auto [hot, steps] : {std::pair{true, 10}, std::pair{false, 10}, std::pair{true, 1}, std::pair{false, 1}}) {
        SCOPED_TRACE(testing::Message() << "single-click " << hot << ", moves " << steps);
        View->SetHotTrack(hot);
        Show(Temp.Path());
        ASSERT_EQ(Count(), 4);
        SelectOnly(0);
        RECT second{LVIR_BOUNDS}, last{LVIR_BOUNDS}, area{};
        SendMessageW(List(), LVM_GETITEMRECT, 1, LPARAM(&second));
        SendMessageW(List(), LVM_GETITEMRECT, 3, LPARAM(&last));
        GetClientRect(List(), &area);
        ASSERT_LT(last.bottom + 40, area.bottom);
        POINT from{second.left + 40, last.bottom + 30}, to{second.left + 90, (second.top + second.bottom) / 2};
        ClientToScreen(List(), &from);
        ClientToScreen(List(), &to);
        SetForegroundWindow(Host);
        ProcessPendingMessages();

        std::atomic<int> stage{0};
        std::thread user([&, steps = steps] {
            MouseTo(from);
            Sleep(100);
            MouseTo(from, MOUSEEVENTF_LEFTDOWN);
            for (int step = 1; step <= steps; ++step)
                MouseTo(POINT{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
            // Resting with the button held, longer than the hover time.
            Sleep(800);
            stage = 1;
            while (stage != 2) Sleep(10);
            MouseTo(to, MOUSEEVENTF_LEFTUP);
            stage = 3;
        });
        PumpUntil([&] { return stage == 1; }, 10000);
        PumpFor(100);
        HWND held = GetCapture();
        int selectedWhileHeld = View->SelectedCount();
        if (hot && steps == 1) SaveScreenshot("list-marquee");
        stage = 2;
        PumpUntil([&] { return stage == 3; }, 5000);
        user.join();
        PumpFor(200);
        EXPECT_EQ(held, List()) << "the list follows the rectangle";
        EXPECT_EQ(selectedWhileHeld, 3);
        EXPECT_EQ(View->SelectedCount(), 3);
        EXPECT_TRUE(View->IsSelected(1) && View->IsSelected(2) && View->IsSelected(3));
        EXPECT_FALSE(View->IsSelected(0));
        EXPECT_EQ(GetCapture(), nullptr);

        // The same flick as a press and a single move, as an X server
        // reports a pointer that jumped: the rectangle shows at once.
        SelectOnly(0);
        POINT press = from, over = to;
        ScreenToClient(List(), &press);
        ScreenToClient(List(), &over);
        SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        SendMessageW(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
        EXPECT_EQ(GetCapture(), List()) << "one move";
        EXPECT_EQ(View->SelectedCount(), 3) << "one move";
        SendMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
        ProcessPendingMessages();
        EXPECT_EQ(View->SelectedCount(), 3) << "one move";
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(ShellListViewTest, SelectionSizeFollowsEveryKindOfChange)
{
    MakeFile(Temp / L"k1.bin", 1024);
    MakeFile(Temp / L"k2.bin", 2048);
    MakeFile(Temp / L"k3.bin", 3072);
    View->SetViewStyleValue(LV_VIEW_DETAILS);
    Show(Temp.Path());
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"k1.bin", L"k2.bin", L"k3.bin"}));

    struct TStep {
        const char* What;
        std::function<void()> Change;
        int64_t Size;
    };
    const TStep steps[] = {
        {"select each", [&] { for (int i = 0; i < 3; ++i) View->SetSelected(i, true); }, 6144},
        {"deselect one", [&] { View->SetSelected(1, false); }, 4096},
        {"select all", [&] { View->SelectAll(true); }, 6144},
        {"deselect all", [&] { View->SelectAll(false); }, 0},
        {"range by keyboard", [&] {
             SelectOnly(0);
             SetFocus(List());
             BYTE keys[256];
             GetKeyboardState(keys);
             BYTE shift = keys[VK_SHIFT];
             keys[VK_SHIFT] = 0x80;
             SetKeyboardState(keys);
             SendMessageW(List(), WM_KEYDOWN, VK_END, 0);
             keys[VK_SHIFT] = shift;
             SetKeyboardState(keys);
         }, 6144},
        {"sorted", [&] { View->SetSort(hcSize, -1); }, 6144},
        {"clicked", [&] {
             // A real press and release on the row of 2 KB.
             RECT bounds{};
             bounds.left = LVIR_LABEL;
             SendMessageW(List(), LVM_GETITEMRECT, WPARAM(RowOf(L"k2.bin")), LPARAM(&bounds));
             POINT at{bounds.left + 5, (bounds.top + bounds.bottom) / 2};
             ClientToScreen(List(), &at);
             POINT before{};
             GetCursorPos(&before);
             SetCursorPos(at.x, at.y);
             mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
             PumpUntil([&] { return View->PointerBusy(); });
             EXPECT_TRUE(View->PointerBusy());
             mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
             EXPECT_TRUE(PumpUntil([&] { return !View->PointerBusy(); }));
             SetCursorPos(before.x, before.y);  // out of the way of later tests
         }, 2048},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.What);
        step.Change();
        EXPECT_EQ(View->SelectionSize(), step.Size);
        EXPECT_EQ(LastSelSize, step.Size);
    }

    // Held back while updating, reported once at the end.
    View->SelectAll(false);
    int before = SelChanges;
    View->BeginSelUpdate();
    View->SetSelected(0, true);
    View->SetSelected(2, true);
    EXPECT_EQ(SelChanges, before);
    View->EndSelUpdate();
    EXPECT_EQ(SelChanges, before + 1);
    EXPECT_EQ(LastSelSize, 3072 + 1024);
}

TEST_F(ShellListViewTest, ShellCommandsWorkOnTheFolderAndTheSelection)
{
    TTempFolder source;
    MakeFile(source / L"pasted.txt", 5);
    MakeFile(Temp / L"a.txt", 1);
    MakeFile(Temp / L"b.txt", 1);
    Show(Temp.Path());
    EXPECT_FALSE(View->ExecuteSelected(TShellCommand::scDelete));  // nothing selected

    // Paste goes into the folder shown, and the rows follow.
    TSHIDList2 copied;
    copied.SetParent(ListOf(source.Path()).release());
    TIDListPtr file = ListOf(source / L"pasted.txt");
    copied.AddOwned(GetLastItem(file.get()));
    ASSERT_TRUE(RunShellCommand(nullptr, copied, TShellCommand::scCopy));
    EXPECT_TRUE(View->ExecuteSelected(TShellCommand::scPaste));
    EXPECT_TRUE(FileExists(Temp / L"pasted.txt"));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"pasted.txt"}));

    // Deleting drops the rows only when the objects are gone.
    struct TDelete {
        int Answer;
        std::vector<std::wstring> Left;
    };
    const TDelete deletes[] = {{IDNO, {L"a.txt", L"b.txt", L"pasted.txt"}}, {IDYES, {L"b.txt", L"pasted.txt"}}};
    for (const TDelete& d : deletes) {
        SCOPED_TRACE(d.Answer);
        SelectOnly(RowOf(L"a.txt"));
        int changes = ListChanges;
        {
            TDialogAnswerer answerer(d.Answer);
            View->ExecuteSelected(TShellCommand::scDelete);
        }
        EXPECT_EQ(Names(), d.Left);
        EXPECT_EQ(FileExists(Temp / L"a.txt"), d.Answer != IDYES);
        EXPECT_EQ(ListChanges > changes, d.Answer == IDYES);
    }
}

TEST_F(ShellListViewTest, KeepsItsFolderAndLayoutWhenTheWindowIsRebuilt)
{
    MakeFile(Temp / L"a.txt", 1);
    MakeFile(Temp / L"b.txt", 1);
    Show(Temp.Path());
    // Restored before the style is, as a folder window does.
    const int order[5] = {1, 0, 2, 4, 3};
    View->SetColumnOrder(order, 5);
    View->SetColumnWidth(hcType, 123);
    EXPECT_EQ(View->ColumnWidth(hcType), 123);
    View->SetViewStyleValue(LV_VIEW_DETAILS);

    // Becoming visible reports the selection size.
    ShowWindow(View->Handle(), SW_HIDE);
    int before = SelChanges;
    ShowWindow(View->Handle(), SW_SHOW);
    EXPECT_EQ(SelChanges, before + 1);

    // A system settings change rebuilds the control.
    HWND old = List();
    SendMessageW(View->Handle(), WM_SETTINGCHANGE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return List() != old; }));
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(View->GetFolderPath(), Temp.Path());
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(SendMessageW(List(), LVM_GETVIEW, 0, 0), LV_VIEW_DETAILS);
    int now[5] = {};
    View->GetColumnOrder(now);
    EXPECT_TRUE(std::equal(now, now + 5, order));
    EXPECT_EQ(View->ColumnWidth(hcType), 123);
    RECT view{}, list{};
    GetClientRect(View->Handle(), &view);
    GetWindowRect(List(), &list);
    EXPECT_EQ(list.right - list.left, view.right);

    // The clipboard viewer chain reports whether the clipboard holds items.
    std::vector<bool> reports;
    View->OnShClipboard = [&](TSHListView&, bool contented) { reports.push_back(contented); };
    TSHIDList2 items;
    items.SetParent(ListOf(Temp.Path()).release());
    TIDListPtr file = ListOf(Temp / L"a.txt");
    items.AddOwned(GetLastItem(file.get()));
    ASSERT_TRUE(CopyToClipboard(items, false));
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); }));
    EXPECT_TRUE(reports.back());
    if (OpenClipboard(Host)) {
        EmptyClipboard();
        CloseClipboard();
    }
    ASSERT_TRUE(PumpUntil([&] { return !reports.back(); }));
}
