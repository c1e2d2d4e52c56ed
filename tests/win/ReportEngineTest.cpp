// The report engine and its items on real device contexts: docking in the
// margins, where objects may sit, the print events and their statuses, the
// preview's scale, the page counter, and what a text or picture cell draws.
// (Printing to a real printer is in PrintToPdfTest, run with a spooler.)
#include "PixelCanvas.h"
#include "core/report/ReportErrors.h"
#include "dialogs/FileReportLayout.h"
#include "fileops/PrinterSettings.h"
#include "report/JpegImage.h"
#include "report/dib/DibImage.h"
#include "support/GuiTestHelpers.h"
#include "support/PictureFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Runs `f` and returns the engine's message it raised (empty when none).
std::wstring RaisedMessage(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ELRError& e) {
        return e.Message;
    }
    return {};
}

// A report of one layout panel holding one item, for the status tests.
struct TOneItemReport {
    TLightRep Report;
    TLRLayoutPanel& Panel = Report.Add<TLRLayoutPanel>();
    TLRItem& Item = Panel.Add<TLRItem>();
    TOneItemReport()
    {
        Report.SetMarginTop(10);
        Report.SetMarginLeft(10);
        Item.SetBounds(10, 10, 100, 21);
        Item.Text = L"WWWW";
        Item.Transparent = false;
        Item.Color = RGB(0, 255, 0);
        Item.SetLines(TLineStyle::lsSingle);
        Item.LineColor = RGB(0, 0, 255);
    }
};

}  // namespace

TEST(ReportEngine, DocksTheListingsPanelsInsideTheMargins)
{
    TLightRep report;
    TFileReportItems items = BuildFileReport(report);
    EXPECT_EQ(report.PageSize(), (TLRSize{794, 1123}));
    // Added list first, header second: the header still docks above, by
    // where each stood when it was put in.
    EXPECT_EQ(items.LRLayoutPanel10->Bounds(), LRBounds(71, 36, 687, 61));
    EXPECT_EQ(items.LRLayoutPanel20->Bounds(), LRBounds(71, 97, 687, 960));
    EXPECT_EQ(items.LRLayoutPanel30->Bounds(), LRBounds(71, 1057, 687, 30));
    EXPECT_EQ(items.LRGridPanel20->Bounds(), LRBounds(0, 0, 687, 960));
    EXPECT_EQ(items.LRGridPanel20->CellTemplate().Bounds(), LRBounds(0, 0, 687, 24));
    // The items went into the cell template, not onto the grid.
    EXPECT_EQ(items.ItemFileName->Parent(), &items.LRGridPanel20->CellTemplate());

    report.SetOrientation(TPaperOrientation::Landscape);
    EXPECT_EQ(report.PageSize(), (TLRSize{1123, 794}));
    EXPECT_EQ(items.LRLayoutPanel10->Bounds().Width(), 1123 - 70 - 35 - 2);
    // A margin of half the page's width or more is ignored.
    report.SetMarginLeft(1123 / 2);
    EXPECT_EQ(report.Margins().Left, 70);
}

TEST(ReportEngine, ObjectsSitOnlyWhereTheyMay)
{
    TLightRep report;
    TLRLayoutPanel& layout = report.Add<TLRLayoutPanel>();
    TLRGridPanel& grid = layout.Add<TLRGridPanel>();
    EXPECT_EQ(RaisedMessage([&] { report.Add<TLRItem>(); }), kLROnlyOnPanel);
    EXPECT_EQ(RaisedMessage([&] { grid.Add<TLRGridPanel>(); }), kLROnlyOnReportOrLayout);
    EXPECT_EQ(RaisedMessage([&] { grid.CellTemplate().Add<TLRGridPanel>(); }), kLROnlyOnReportOrLayout);
    EXPECT_EQ(RaisedMessage([&] { layout.Insert(std::make_unique<TLightRep>()); }), kLROnlyOnForm);
    TLRLayoutPanel& inCell = grid.Add<TLRLayoutPanel>();
    EXPECT_EQ(inCell.Parent(), &grid.CellTemplate());
    EXPECT_TRUE(grid.Children().empty());

    HWND form = MakeTestHost(L"form", 200, 100);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
    EXPECT_EQ(RaisedMessage([&] { report.PlaceOn(form); }), L"");
    EXPECT_EQ(RaisedMessage([&] { report.PlaceOn(nullptr); }), L"");
    EXPECT_EQ(RaisedMessage([&] { report.PlaceOn(child); }), kLROnlyOnForm);
    DestroyWindow(form);
}

TEST(ReportEngine, GridCountsAndTheOrderCellsPrintIn)
{
    TLightRep report;
    TLRLayoutPanel& layout = report.Add<TLRLayoutPanel>();
    layout.SetBounds(0, 0, 200, 960);  // docked at the top: as wide as the page's area
    TLRGridPanel& grid = layout.Add<TLRGridPanel>();
    grid.SetAlign(TLRAlign::laClient);
    grid.SetRowCount(40);
    EXPECT_EQ(grid.CellTemplate().Bounds().Height(), 24);
    EXPECT_EQ(RaisedMessage([&] { grid.SetRowCount(100); }), kLRBadRowCount);
    EXPECT_EQ(RaisedMessage([&] { grid.SetColCount(0); }), kLRBadColCount);
    EXPECT_EQ(grid.RowCount(), 40);

    grid.SetRowCount(3);
    grid.SetColCount(2);
    for (auto [direction, expected] :
         {std::pair{TPrintDirection::pdVert, std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}},
          std::pair{TPrintDirection::pdHolz, std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}}}) {
        grid.PrintDirection = direction;
        std::vector<std::pair<int, int>> seen;
        std::vector<TLRRect> rects;
        int token = grid.OnPrintPanel.Add([&](TLRGridPanel&, int32_t c, int32_t r, const TLRRect& rect, TPrintStatus&) {
            seen.push_back({c, r});
            rects.push_back(rect);
        });
        TPixelCanvas canvas(800, 1123);
        report.PreviewPage(canvas.Dc);
        grid.OnPrintPanel.Remove(token);
        EXPECT_EQ(seen, expected);
        // Cell (1, 2) of the grid, which fills the panel at the top of the
        // page's panel area.
        const TLRRect area = report.DockArea();
        const int32_t half = grid.Bounds().Width() / 2;
        auto at = std::find(seen.begin(), seen.end(), std::pair{1, 2}) - seen.begin();
        EXPECT_EQ(rects[size_t(at)], LRBounds(area.Left + half, area.Top + 640, half, 320));
    }
}

TEST(ReportEngine, EndNowSkipsAPanelAndLineOnlyDrawsNoText)
{
    TOneItemReport r;
    int afterPrint = 0;
    r.Panel.AfterPrint.Add([&](TCustomLRPanel&) { ++afterPrint; });
    TPrintStatus wanted = TPrintStatus::psEndNow;
    r.Panel.BeforePrint.Add([&](TCustomLRPanel&, const TLRRect&, TPrintStatus& status) { status = wanted; });
    TPixelCanvas canvas(794, 1123);

    r.Report.PreviewPage(canvas.Dc);
    EXPECT_EQ(afterPrint, 0);
    EXPECT_EQ(canvas.Drawn().right, 0) << "nothing at all was drawn";

    wanted = TPrintStatus::psLineOnly;
    canvas.Clear();
    r.Report.PreviewPage(canvas.Dc);
    EXPECT_EQ(afterPrint, 1);
    const RECT cell = canvas.Drawn();
    EXPECT_GT(canvas.Count(RGB(0, 255, 0)), 80 * 15) << "the background";
    EXPECT_GT(canvas.Count(RGB(0, 0, 255)), 4 * 18) << "the lines";
    const int plain = canvas.Count(RGB(255, 255, 255)) + canvas.Count(RGB(0, 255, 0)) + canvas.Count(RGB(0, 0, 255));
    EXPECT_EQ(plain, canvas.Width() * canvas.Height()) << "no text";

    wanted = TPrintStatus::psNormal;
    canvas.Clear();
    r.Report.PreviewPage(canvas.Dc);
    const int withText = canvas.Count(RGB(255, 255, 255)) + canvas.Count(RGB(0, 255, 0)) + canvas.Count(RGB(0, 0, 255));
    EXPECT_GT(canvas.Width() * canvas.Height() - withText, 20) << "the text";
    EXPECT_EQ(canvas.Drawn(), cell);
}

TEST(ReportEngine, PreviewScaleLimitsSizeAndPageCounter)
{
    TLightRep report;
    TFileReportItems items = BuildFileReport(report);
    std::vector<int> footers;
    items.LRLayoutPanel30->BeforePrint.Add(
        [&](TCustomLRPanel&, const TLRRect&, TPrintStatus&) { footers.push_back(report.PageNumber()); });
    TPixelCanvas canvas(800, 1130);
    canvas.Clear(RGB(128, 128, 128));
    for (int percent : {24, 101})
        EXPECT_EQ(RaisedMessage([&] { report.DrawPreview(canvas.Dc, 0, 0, 0, percent); }), kLRBadPreviewScale);
    EXPECT_EQ(report.PageNumber(), 0);

    report.DrawPreview(canvas.Dc, 3, 5, 0, 50);
    const RECT page = canvas.Drawn(RECT{0, 0, 800, 1130}, RGB(128, 128, 128));
    EXPECT_EQ(page.left, 3);
    EXPECT_EQ(page.top, 5);
    EXPECT_EQ(page.right - page.left, 397);
    EXPECT_EQ(page.bottom - page.top, 561);
    report.DrawPreview(canvas.Dc, 0, 0, 24, 100);
    report.DrawPreview(canvas.Dc, 0, 0, 0, 25);
    EXPECT_EQ(footers, (std::vector<int>{1, 2, 3}));
    report.EndPreview();
    EXPECT_EQ(report.PageNumber(), 0);
}

TEST(ReportEngine, ThePrintJobsChecksBeforeAnyPrinterIsAsked)
{
    TLightRep report;
    report.Add<TLRLayoutPanel>();
    report.SetFirstPage(5);
    report.SetLastPage(2);
    EXPECT_EQ(RaisedMessage([&] { report.BeginDoc(); }), kLRBadPageRange);
    EXPECT_EQ(report.LastPage(), 5);
    EXPECT_EQ(report.Mode(), TReportMode::Idle);
    EXPECT_EQ(RaisedMessage([&] { report.PrintPage(); }), kLRNoBeginDoc);
}

TEST(ReportEngine, WithoutAPrinterTheJobSaysSoAndTheReportStaysIdle)
{
    // The test prefix has no spooler, so no printer.
    TLightRep report;
    ASSERT_FALSE(report.Printer().HasPrinter());
    report.BeginPreview();
    try {
        report.BeginDoc();
        FAIL() << "printed without a printer";
    } catch (const EShownError& e) {
        EXPECT_EQ(e.Message, kNoPrinterText);
    }
    EXPECT_EQ(report.Mode(), TReportMode::Idle);
}

// ---- text items

TEST(ReportItems, TextSitsWhereAlignmentLayoutAndMarginsSay)
{
    TLRItem item;
    item.SetBounds(0, 0, 100, 21);
    item.Text = L"88";
    item.Layout = TTextLayout::tlCenter;
    item.Alignment = TLRTextAlign::Right;
    item.SetHMargin(4);
    item.SetHMargin(300);  // out of range: ignored
    EXPECT_EQ(item.HMargin(), 4);
    TPixelCanvas canvas(200, 60);
    item.PrintOut(canvas.Dc, LRBounds(10, 10, 100, 21), TPrintStatus::psNormal, 1.0);
    const RECT text = canvas.Drawn();
    // The box is (10, 10)-(109, 30): the text ends 4 pixels left of its right
    // edge (give or take the glyph's own side bearing) and is centred in it.
    EXPECT_LE(text.right, 109 - 4);
    EXPECT_GE(text.right, 109 - 4 - 2);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 20.0, 2.0);
}

TEST(ReportItems, LineWidthsAtAPrinterScale)
{
    for (auto [style, width] : {std::pair{TLineStyle::lsHalf, 3}, std::pair{TLineStyle::lsSingle, 7},
                                std::pair{TLineStyle::lsDouble, 12}}) {
        TLRItem item;
        item.LineTop = style;
        TPixelCanvas canvas(300, 300);
        item.PrintOut(canvas.Dc, LRBounds(10, 10, 30, 30), TPrintStatus::psNormal, 6.25);
        int dark = 0;
        for (int y = 0; y < 300; ++y) dark += canvas.Dark(150, y);
        EXPECT_EQ(dark, width) << int(style);
    }
}

TEST(ReportItems, ItemsThatPrintNothing)
{
    struct TCase {
        const wchar_t* Text;
        const wchar_t* Mask;
        bool Transparent;
        TPrintStatus Status;
    } cases[] = {
        {L"", L"- ### -", true, TPrintStatus::psNormal},       // an empty text, even with a mask
        {L"", L"", true, TPrintStatus::psNormal},              // transparent, no lines
        {L"text", L"", true, TPrintStatus::psEndNow},          // ended: a transparent item has nothing left
        {L"text", L"", true, TPrintStatus::psLineOnly},        // no lines to draw
    };
    for (const TCase& c : cases) {
        TLRItem item;
        item.Text = c.Text;
        item.DisplayMask = c.Mask;
        item.Transparent = c.Transparent;
        TPixelCanvas canvas(100, 40);
        item.PrintOut(canvas.Dc, LRBounds(5, 5, 65, 17), c.Status, 1.0);
        EXPECT_EQ(canvas.Drawn().right, 0) << c.Text << " " << int(c.Status);
    }
}

TEST(ReportItems, DisplayTextThroughTheMask)
{
    struct TCase {
        const wchar_t *Text, *Mask, *Shown;
    } cases[] = {
        {L"1536", L"#,##0.0", L"1,536.0"},
        {L"12", L"- ### -", L"- 12 -"},
        {L"abc", L"#,##0.0", L"abc"},  // letters take the edit-mask path
        {L"", L"- ### -", L""},
        {L"7", L"", L"7"},
    };
    for (const TCase& c : cases) {
        TLRItem item;
        item.Text = c.Text;
        item.DisplayMask = c.Mask;
        EXPECT_EQ(item.DisplayText(), c.Shown) << c.Text;
    }
    TLRItem bad;
    bad.Text = L"1.2.3";
    bad.DisplayMask = L"0";
    EXPECT_THROW(bad.DisplayText(), std::invalid_argument);
    TPixelCanvas canvas(100, 40);
    EXPECT_THROW(bad.PrintOut(canvas.Dc, LRBounds(0, 0, 65, 17), TPrintStatus::psNormal, 1.0), std::invalid_argument);
}

// ---- picture items

TEST(ReportItems, APictureIsCroppedToItsCellOrStretchedOverIt)
{
    auto red = TBitmapGraphic::Blank(16, 16);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, red->Handle());
        RECT all{0, 0, 16, 16};
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    for (auto [stretch, size] : {std::pair{false, 16}, std::pair{true, 20}}) {
        TLRImage image;
        image.SetPicture(red.get());
        image.Stretch = stretch;
        TPixelCanvas canvas(60, 60);
        image.PrintOut(canvas.Dc, LRBounds(10, 10, 20, 20), TPrintStatus::psNormal, 1.0);
        EXPECT_EQ(canvas.Drawn(), (RECT{10, 10, 10 + size, 10 + size})) << stretch;
        EXPECT_EQ(canvas.Pixel(10, 10), RGB(255, 0, 0));
        canvas.Clear();
        image.PrintOut(canvas.Dc, LRBounds(10, 10, 20, 20), TPrintStatus::psLineOnly, 1.0);
        EXPECT_EQ(canvas.Drawn().right, 0) << "pictures draw nothing but in psNormal";
    }
}

TEST(ReportItems, APictureIsABitmapOrAJpegImage)
{
    TTempFolder temp;
    ASSERT_TRUE(WriteTestJpeg(temp / L"p.jpg", 8, 6));
    TJpegImage jpeg;
    jpeg.LoadFromFile(temp / L"p.jpg");
    EXPECT_EQ(jpeg.Width(), 8);
    DibImage dib;
    auto bitmap = TBitmapGraphic::Blank(4, 4);
    TLRImage image;
    for (const TGraphic* graphic : std::initializer_list<const TGraphic*>{&jpeg, &dib, bitmap.get(), nullptr}) {
        EXPECT_EQ(RaisedMessage([&] { image.SetPicture(graphic); }), L"");
        if (graphic) {
            EXPECT_EQ(image.Picture().Graphic()->Width(), graphic->Width());
        }
    }
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    TIconGraphic iconGraphic(CopyIcon(icon));
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    TMetafileGraphic metafile(CloseEnhMetaFile(recorder));
    for (const TGraphic* refused : std::initializer_list<const TGraphic*>{&iconGraphic, &metafile})
        EXPECT_EQ(RaisedMessage([&] { image.SetPicture(refused); }), L"イメージはビットマップかJPEGイメージのみ有効です");
    // The item's own holder takes anything.
    image.Picture().Assign(iconGraphic.Clone());
    EXPECT_NE(image.Picture().Graphic(), nullptr);

    EXPECT_THROW(jpeg.LoadFromBytes(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0}), EInvalidGraphic);
    EXPECT_EQ(jpeg.Width(), 8) << "a failed load keeps the picture";
}
