// The image view in a real window with real plug-ins and picture files the
// test writes: loading, labels' data, zoom and scroll, paint modes, cancel,
// refused second load, broken plug-ins, and .grx objects written back.
#include "core/commands/CommandIds.h"
#include "viewer/Raster.h"

#include "core/viewer/RasterActionRules.h"
#include "gui/MessageLoop.h"
#include "support/PictureFiles.h"
#include "viewer/PanelBox.h"
#include "viewer/RasterActions.h"
#include "viewer/RasterTools.h"
#include "Screenshot.h"
#include "ViewerTestSupport.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <cstdlib>
#include <cstring>

namespace {

// A top-level window holding a TPanelBox with a TRaster, the way the frame
// holds them, over a folder of plug-ins.
struct TViewerWindow {
    TTempFolder Plugins, Pictures;
    HWND Top = nullptr;
    std::unique_ptr<TPanelBox> Box;
    std::unique_ptr<TRaster> Raster;
    std::vector<std::wstring> Messages;

    explicit TViewerWindow(std::initializer_list<std::pair<bool, const wchar_t*>> plugins = {
                               {true, L"qvbmp"}, {true, L"qvjpeg"}, {true, L"qvpng"}})
    {
        for (auto& [ours, name] : plugins) EXPECT_TRUE(CopyPlugin(Plugins, ours, name));
        Top = CreateWindowExW(0, L"STATIC", L"viewer", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640,
                              520, nullptr, nullptr, nullptr, nullptr);
        Box = std::make_unique<TPanelBox>(Top, L" プラグイン ビューワー");
        MoveWindow(Box->Handle(), 0, 0, 620, 480, TRUE);
        Raster = std::make_unique<TRaster>(Box->Handle());
        RECT c = Box->ContentRect();
        MoveWindow(Raster->Handle(), c.left, c.top, c.right - c.left, c.bottom - c.top, TRUE);
        Raster->ZoomSize = 0.1;
        Raster->SetViewMode(TViewMode::vmExpand);
        Raster->SetPluginFolder(Plugins.Path());
        Raster->ShowMessage = [this](const std::wstring& text, UINT) {
            Messages.push_back(text);
            return IDYES;
        };
        Pump();
    }
    ~TViewerWindow()
    {
        Raster.reset();
        Box.reset();
        DestroyWindow(Top);
    }
    void Pump()
    {
        UpdateWindow(Top);
        ProcessPendingMessages();
    }
    RECT Client() const
    {
        RECT c;
        GetClientRect(Raster->Handle(), &c);
        return c;
    }
    // The colour on screen at a client point of the view.
    COLORREF ScreenPixel(int x, int y)
    {
        Pump();
        HDC dc = GetDC(Raster->Handle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(Raster->Handle(), dc);
        return c;
    }
};

TEST(Raster, ShowsEachFormatLetterboxedWithItsInformation)
{
    TViewerWindow v;
    struct Case { const wchar_t* file; bool (*write)(const std::wstring&, int, int); int dpi; };
    const Case cases[] = {
        {L"a.bmp", [](const std::wstring& p, int w, int h) { return WriteTestBmp(p, w, h); }, 96},
        {L"a.jpg", [](const std::wstring& p, int w, int h) { return WriteTestJpeg(p, w, h, 95, 150); }, 150},
        {L"a.png", [](const std::wstring& p, int w, int h) { return WriteTestPng(p, w, h, false, 72); }, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file);
        std::wstring path = v.Pictures / c.file;
        ASSERT_TRUE(c.write(path, 300, 150));
        ASSERT_TRUE(v.Raster->LoadFromFile(path));
        EXPECT_TRUE(v.Raster->HasImage());
        EXPECT_EQ(v.Raster->PictureWidth, 300);
        EXPECT_EQ(v.Raster->PictureHeight, 150);
        EXPECT_EQ(v.Raster->XDensity, c.dpi);
        EXPECT_EQ(v.Raster->ColorDepth, 24);
        EXPECT_FALSE(v.Raster->PluginName.empty());
        EXPECT_TRUE(v.Raster->IsWholeImage());
        const TViewState& s = v.Raster->View();
        RECT cl = v.Client();
        EXPECT_EQ(s.DL, 0);
        EXPECT_EQ(s.DR, cl.right);
        EXPECT_GT(s.DT, 0);  // a wide picture: margins above and below
        // The picture is on screen: its middle pixel in the middle.
        uint8_t want[3];
        TestPixel(150, 75, want);
        COLORREF got = v.ScreenPixel((s.DL + s.DR) / 2, (s.DT + s.DB) / 2);
        EXPECT_NEAR(GetRValue(got), want[2], 24);
        EXPECT_NEAR(GetBValue(got), want[0], 24);
        EXPECT_EQ(v.ScreenPixel(2, 2), GetSysColor(COLOR_BTNFACE));  // margin
        EXPECT_TRUE(v.Messages.empty());
    }
    SaveScreenshot("raster-png");
}

TEST(Raster, ZoomScrollAndCommandStates)
{
    TViewerWindow v;
    std::wstring path = v.Pictures / L"big.png";
    ASSERT_TRUE(WriteTestPng(path, 1000, 500));
    ASSERT_TRUE(v.Raster->LoadFromFile(path));
    TRasterSnapshot s = v.Raster->Snapshot();
    EXPECT_TRUE(s.WholeImage);
    EXPECT_EQ(s.ActiveTool, TRasterToolKind::ObjectSelect);
    EXPECT_FALSE(RasterActionState(10080, s).Enabled);  // scroll needs a zoomed view
    RECT c = v.Client();
    RasterMouseWheel(*v.Raster, false, 0);  // backward: zoom in
    EXPECT_FALSE(v.Raster->IsWholeImage());
    EXPECT_TRUE(RasterActionState(10080, v.Raster->Snapshot()).Enabled);
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(v.Raster->Handle(), SB_HORZ, &si);
    EXPECT_EQ(si.nMax, 999);
    EXPECT_LT(int(si.nPage), 1000);
    double before = v.Raster->View().L;
    SendMessageW(v.Raster->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_GT(v.Raster->View().L, before);
    SendMessageW(v.Raster->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    EXPECT_GT(v.Raster->View().L, before);  // tracking moves nothing
    // Zoom-in tool, then the whole-picture command: whole again, point tool.
    TActionList actions;
    for (int n = 10010; n <= 10110; n += 10) actions.Add({n});
    BindRasterActions(actions, [&] { return v.Raster.get(); });
    for (const auto& action : actions.Items())
        action->OnUpdate = [&](TAction& a) { UpdateRasterAction(a, v.Raster.get()); };
    actions.Find(Cmd::ViewerZoomInTool)->OnExecute();
    EXPECT_EQ(v.Raster->ActiveTool()->Kind, TRasterToolKind::ZoomIn);
    actions.Find(Cmd::ViewerExtent)->OnExecute();
    EXPECT_TRUE(v.Raster->IsWholeImage());
    EXPECT_EQ(v.Raster->ActiveTool()->Kind, TRasterToolKind::ObjectSelect);
    actions.UpdateAll();
    EXPECT_TRUE(actions.Find(Cmd::ViewerPointTool)->Checked);
    EXPECT_FALSE(actions.Find(Cmd::ViewerExtent)->Enabled);
    actions.Find(Cmd::ViewerHalfTone)->OnExecute();
    EXPECT_EQ(v.Raster->PaintMode(), TPaintMode::pmHalfTone);
    v.Pump();
    // A new load draws in the standard mode again; wheel mode 2 does nothing.
    ASSERT_TRUE(v.Raster->LoadFromFile(path));
    EXPECT_EQ(v.Raster->PaintMode(), TPaintMode::pmColorOn);
    RasterMouseWheel(*v.Raster, true, 2);
    EXPECT_TRUE(v.Raster->IsWholeImage());
    (void)c;
}

// A double-click comes as press, release, double-click, release: the tools
// see two presses and releases and one double-click, but only one click, so
// a zoom tool acts once and the measuring tool starts no new line after it.
TEST(Raster, ADoubleClickIsOneClickAndOneDoubleClick)
{
    TViewerWindow v;
    std::wstring path = v.Pictures / L"big.png";
    ASSERT_TRUE(WriteTestPng(path, 1000, 500));
    ASSERT_TRUE(v.Raster->LoadFromFile(path));
    HWND view = v.Raster->Handle();
    const TViewState& s = v.Raster->View();
    LPARAM centre = MAKELPARAM((s.DL + s.DR) / 2, (s.DT + s.DB) / 2);
    auto click = [&](bool twice) {
        // The tools read the pointer's place on a click, as on a real one.
        POINT screen{GET_X_LPARAM(centre), GET_Y_LPARAM(centre)};
        ClientToScreen(view, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessageW(view, WM_LBUTTONUP, 0, centre);
        if (!twice) return;
        SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, centre);
        EXPECT_EQ(GetCapture(), view) << "the second press holds the mouse as a press does";
        SendMessageW(view, WM_LBUTTONUP, 0, centre);
        EXPECT_NE(GetCapture(), view);
    };

    v.Raster->SetActiveTool(v.Raster->FindTool(TRasterToolKind::ZoomIn));
    click(false);
    double once = v.Raster->View().R - v.Raster->View().L;
    ASSERT_LT(once, 1000) << "a click zooms in";
    v.Raster->ViewAll();
    click(true);
    EXPECT_DOUBLE_EQ(v.Raster->View().R - v.Raster->View().L, once) << "a double-click zooms in once";

    v.Raster->ViewAll();
    auto* measure = static_cast<TRasterMeasureTool*>(v.Raster->FindTool(TRasterToolKind::Measure));
    v.Raster->SetActiveTool(measure);
    int measured = 0;
    v.Raster->OnActiveToolMeasure = [&](double, double) { ++measured; };
    click(false);
    centre = MAKELPARAM((s.DL + s.DR) / 2 + 40, (s.DT + s.DB) / 2 + 30);
    click(true);
    EXPECT_EQ(measured, 1);
    EXPECT_TRUE(measure->Finished);
    EXPECT_TRUE(measure->Points.empty()) << "no stray line begun by the release";
}

TEST(Raster, CancelDuringASlowDecodeAndNoSecondLoad)
{
    TViewerWindow v({{false, L"tp_slow"}});
    std::wstring path = v.Pictures / L"slow.qvtp";
    ASSERT_TRUE(WriteWholeFile(path, {'Q', 'V', 'T', 'P', 0, 0, 0, 0}));
    int calls = 0;
    bool secondRefused = false, deferredRan = false;
    v.Raster->OnLoadProgress = [&](int position, bool& cancel) {
        EXPECT_TRUE(v.Raster->Loading());
        EXPECT_TRUE(RasterActionState(10010, v.Raster->Snapshot()).Enabled);
        if (++calls == 3) {
            secondRefused = !v.Raster->LoadFromFile(path);
            v.Raster->RunWhenIdle([&] { deferredRan = !v.Raster->Loading(); });
        }
        if (calls == 5) ExecuteRasterAction(Cmd::ViewerCancel, *v.Raster);
        cancel = false;
    };
    EXPECT_FALSE(v.Raster->LoadFromFile(path));
    EXPECT_TRUE(secondRefused);
    EXPECT_TRUE(deferredRan);
    EXPECT_LT(calls, 20);
    EXPECT_FALSE(v.Raster->HasImage());
    EXPECT_FALSE(v.Raster->Loading());
    ASSERT_EQ(v.Messages.size(), 1u);
    EXPECT_EQ(v.Messages[0], L"[Code1] Plug-Inでの読込みを中止しました。");
}

TEST(Raster, BrokenAndThirdPartyPlugins)
{
    // Scan order is the folder's; each case has its own folder.
    struct Case { const wchar_t* plugin; bool shown; const wchar_t* message; };
    const Case cases[] = {
        {L"tp_decorated", true, nullptr},          // top-down 32-bit, decorated names on i686
        {L"tp_lying_header", false, L"不正な画像データ"},
        {L"tp_fault_get_picture", false, L"例外"},
        {L"tp_stack_overflow", false, L"例外"},
        {L"tp_fault_is_supported", false, L"例外"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plugin);
        TViewerWindow v({{false, c.plugin}});
        std::wstring path = v.Pictures / L"p.qvtp";
        ASSERT_TRUE(WriteWholeFile(path, {'Q', 'V', 'T', 'P'}));
        EXPECT_EQ(v.Raster->LoadFromFile(path), c.shown);
        if (c.message) {
            ASSERT_EQ(v.Messages.size(), 1u);
            EXPECT_NE(v.Messages[0].find(c.message), std::wstring::npos);
        } else {
            EXPECT_TRUE(v.Messages.empty());
            // Top-down rows were turned: red is on the top row.
            const BITMAPINFOHEADER* bi = v.Raster->Info();
            ASSERT_NE(bi, nullptr);
            EXPECT_EQ(bi->biHeight, 2);
            const DWORD* px = static_cast<const DWORD*>(v.Raster->Bits());
            EXPECT_EQ(px[4], 0xFF0000u);
            EXPECT_EQ(px[0], 0u);
        }
        // The program is still here: a good picture shows after it.
        EXPECT_TRUE(CopyPlugin(v.Plugins, true, L"qvbmp"));
        ASSERT_TRUE(WriteTestBmp(v.Pictures / L"ok.bmp", 8, 8));
        EXPECT_TRUE(v.Raster->LoadFromFile(v.Pictures / L"ok.bmp"));
    }
}

TEST(Raster, ObjectsFromTheSideCarFileAndWrittenBack)
{
    TViewerWindow v;
    std::wstring picture = v.Pictures / L"map.bmp", grx = v.Pictures / L"map.grx";
    ASSERT_TRUE(WriteTestBmp(picture, 200, 100));
    TGrxRecord a, b;
    a.SetLayerName("A");
    a.SetName("first");
    a.SetLayerState(kLayerActive);
    a.SetX(50);
    a.SetY(50);
    b = a;
    b.SetName("second");
    std::vector<uint8_t> bytes(2 * kGrxRecordSize + 80, 0xEE);  // a short tail is ignored
    std::memcpy(bytes.data(), a.Bytes().data(), kGrxRecordSize);
    std::memcpy(bytes.data() + kGrxRecordSize, b.Bytes().data(), kGrxRecordSize);
    ASSERT_TRUE(WriteWholeFile(grx, bytes));
    int layerEvents = 0;
    v.Raster->OnActiveLayerChange = [&](TRasterLayer*) { ++layerEvents; };
    ASSERT_TRUE(v.Raster->LoadFromFile(picture));
    ASSERT_EQ(v.Raster->Layers.Count(), 1);
    ASSERT_EQ(v.Raster->Layers.Items(0).Count(), 2);
    EXPECT_EQ(v.Raster->ActiveLayer, &v.Raster->Layers.Items(0));
    EXPECT_EQ(layerEvents, 1);
    EXPECT_FALSE(v.Raster->Modified);

    // The creation tool adds an object where the pointer is.
    v.Raster->SetActiveTool(v.Raster->FindTool(TRasterToolKind::ObjectCreate));
    const TViewState& s = v.Raster->View();
    POINT p{(s.DL + s.DR) / 2, (s.DT + s.DB) / 2};
    POINT screen = p;
    ClientToScreen(v.Raster->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    v.Raster->ActiveTool()->Click(*v.Raster);
    EXPECT_EQ(v.Raster->Layers.Items(0).Count(), 3);
    EXPECT_TRUE(v.Raster->Modified);

    // Cleared with the change: the overwrite question is asked and answered.
    v.Raster->Clear();
    ASSERT_EQ(v.Messages.size(), 1u);
    EXPECT_EQ(v.Messages[0], L"データを上書きしますか？");
    std::vector<TGrxLayer> back = ParseGrx(ReadWholeFile(grx));
    ASSERT_EQ(back.size(), 1u);
    ASSERT_EQ(back[0].Objects.size(), 3u);
    EXPECT_EQ(back[0].Objects[2].Name(), "xxx");
    EXPECT_NEAR(back[0].Objects[2].X(), 100, 2);

    // Declined: the file stays as it was.
    ASSERT_TRUE(v.Raster->LoadFromFile(picture));
    v.Raster->SetActiveTool(v.Raster->FindTool(TRasterToolKind::ObjectCreate));
    v.Raster->ActiveTool()->Click(*v.Raster);
    v.Raster->ShowMessage = [](const std::wstring&, UINT) { return IDNO; };
    v.Raster->Clear();
    EXPECT_EQ(ParseGrx(ReadWholeFile(grx))[0].Objects.size(), 3u);
}

}  // namespace
