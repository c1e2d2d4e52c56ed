// The navigator pad over the real main window: clicks on its wedges move
// the folder tree as the arrow keys do, the main window keeps the keyboard,
// the pad's opacity and position, and its command's check mark.
#include "FrameFixture.h"
#include "Screenshot.h"
#include "app/NavigatorPad.h"
#include "support/GuiTestHelpers.h"

namespace {

class NavigatorPadTest : public TFrameFixture {
protected:
    HWND Pad() { return Form->NavigatorPad() ? Form->NavigatorPad()->Handle() : nullptr; }
    // A press of the left button inside the wedge (client coordinates of
    // a point well inside each).
    void Press(TPadWedge wedge)
    {
        const POINT inside[] = {{21, 61}, {98, 61}, {60, 21}, {61, 98}};
        POINT at = inside[int(wedge)];
        SendMessageW(Pad(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(Pad(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageW(Pad(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Pump();
    }
    std::wstring Selected() { return Form->ShellTree().GetSelectedPath(); }
    bool Expanded()
    {
        HWND tree = FindWindowExW(Form->ShellTree().Handle(), nullptr, WC_TREEVIEWW, nullptr);
        HTREEITEM node = TreeView_GetSelection(tree);
        return TreeView_GetItemState(tree, node, TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    BYTE Alpha()
    {
        BYTE alpha = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(Pad(), nullptr, &alpha, &flags));
        return alpha;
    }
};

}  // namespace

TEST_F(NavigatorPadTest, WedgesMoveTheFolderTreeAndTheMainWindowKeepsTheKeyboard)
{
    std::wstring root = MakeFolder(L"nav", {L"a", L"b", L"a\\inner"}, {});
    TMainForm& form = Start();
    form.ShellTree().SelectPath(root);
    Pump();
    EXPECT_FALSE(Action(Cmd::Navigator).Checked);
    ASSERT_TRUE(Run(Cmd::Navigator));
    ASSERT_TRUE(Pad());
    EXPECT_TRUE(Action(Cmd::Navigator).Checked);
    // A stay-on-top tool window, layered, owned by the main window.
    LONG_PTR ex = GetWindowLongPtrW(Pad(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_EQ(GetWindow(Pad(), GW_OWNER), form.Handle());
    wchar_t caption[32] = {};
    GetWindowTextW(Pad(), caption, 32);
    EXPECT_STREQ(caption, L"ナビゲーター");

    // Right expands, right again goes to the first child; down and up take
    // the next and previous visible folder; left goes to the parent, and
    // collapses an open folder.
    struct TStep {
        TPadWedge Wedge;
        std::wstring Selected;
        bool Expanded;
    };
    const TStep steps[] = {
        {TPadWedge::Right, root, true},
        {TPadWedge::Right, root + L"\\a", false},
        {TPadWedge::Right, root + L"\\a", true},
        {TPadWedge::Bottom, root + L"\\a\\inner", false},
        {TPadWedge::Bottom, root + L"\\b", false},
        {TPadWedge::Top, root + L"\\a\\inner", false},
        {TPadWedge::Left, root + L"\\a", true},
        {TPadWedge::Left, root + L"\\a", false},
        {TPadWedge::Left, root, true},
        {TPadWedge::Left, root, false},
    };
    for (const TStep& step : steps) {
        Press(step.Wedge);
        EXPECT_EQ(Selected(), step.Selected) << int(step.Wedge);
        EXPECT_EQ(Expanded(), step.Expanded) << step.Selected;
        EXPECT_NE(GetActiveWindow(), Pad());
    }
    EXPECT_EQ(GetActiveWindow(), form.Handle());

    // The pointer over a wedge highlights it.
    SendMessageW(Pad(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 21));
    EXPECT_EQ(form.NavigatorPad()->HotWedge(), TPadWedge::Top);
    SendMessageW(Pad(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_FALSE(form.NavigatorPad()->HotWedge());
    SendMessageW(Pad(), WM_MOUSEMOVE, 0, MAKELPARAM(98, 61));
    PumpFor(200);
    SaveScreenshot("navigator-pad");

    // Closing it keeps where it was for the next time.
    RECT r{};
    GetWindowRect(Pad(), &r);
    SetWindowPos(Pad(), nullptr, r.left + 40, r.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Run(Cmd::Navigator));
    EXPECT_FALSE(Pad());
    EXPECT_FALSE(Action(Cmd::Navigator).Checked);
    EXPECT_FALSE(form.InitData().NavigatorVisible);
    EXPECT_EQ(form.InitData().NavigatorLeft, r.left + 40);
    EXPECT_EQ(form.InitData().NavigatorTop, r.top + 30);
    ASSERT_TRUE(Run(Cmd::Navigator));
    GetWindowRect(Pad(), &r);
    EXPECT_EQ(r.left, form.InitData().NavigatorLeft);
    EXPECT_EQ(r.top, form.InitData().NavigatorTop);
}

TEST_F(NavigatorPadTest, OpacityFollowsTheLevelAndLevelZeroStaysVisible)
{
    // Level 0 would be alpha 0, a pad nobody can see or find while its
    // command shows it open: it gets the alpha of level 1.
    const std::pair<int32_t, BYTE> levels[] = {{0, 25}, {1, 25}, {3, 76}, {5, 127}, {10, 255}, {70, 255}};
    TInitData settings;
    settings.NavigatorVisible = true;
    settings.ToolColor = 0x00C0FFC0;
    WriteSettings(settings);
    TMainForm& form = Start();
    ASSERT_TRUE(Pad());  // opened at start
    for (auto [level, alpha] : levels) {
        form.NavigatorPad()->SetLook(settings.ToolColor, level);
        EXPECT_EQ(Alpha(), alpha) << level;
    }
}
