#include "core/report/ReportGrid.h"
#include "core/report/ReportItemLayout.h"
#include "core/report/ReportPage.h"
#include "core/report/ReportPlacement.h"

#include "ReportTestHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportPage, PaperSizesAndTheirDeviceCodes)
{
    struct Case { TPaperSize paper; TLRSize portrait; int16_t code; };
    const Case cases[] = {
        {TPaperSize::psA4, {794, 1123}, 9},  {TPaperSize::psB4, {971, 1376}, 12}, {TPaperSize::psB5, {688, 971}, 13},
        {TPaperSize::psA3, {1123, 1587}, 8}, {TPaperSize::psA5, {559, 794}, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageSizeOf(c.paper, TPaperOrientation::Portrait, {}), c.portrait);
        EXPECT_EQ(PageSizeOf(c.paper, TPaperOrientation::Landscape, {}), (TLRSize{c.portrait.Height, c.portrait.Width}));
        EXPECT_EQ(DevModePaperCode(c.paper), c.code);
    }
    EXPECT_EQ(PageSizeOf(TPaperSize::psNone, TPaperOrientation::Landscape, {300, 400}), (TLRSize{300, 400}));
    EXPECT_EQ(DevModeOrientation(TPaperOrientation::Portrait), 1);
    EXPECT_EQ(DevModeOrientation(TPaperOrientation::Landscape), 2);
}

TEST(ReportPage, MarginsAreTakenWhenPositiveAndBelowHalfThePage)
{
    EXPECT_EQ(kDefaultReportMargin, 36);
    EXPECT_TRUE(ReportMarginAccepted(1, 794));
    EXPECT_TRUE(ReportMarginAccepted(396, 794));
    EXPECT_FALSE(ReportMarginAccepted(397, 794));
    EXPECT_FALSE(ReportMarginAccepted(0, 794));
    EXPECT_FALSE(ReportMarginAccepted(-5, 794));
}

TEST(ReportPage, PanelsDockInsideTheMarginsTopBottomLeftRightClient)
{
    // The printed listing: the list panel is added before the header above
    // it, and the footer fills what is left.
    const TLRMargins margins{35, 70, 35, 35};
    const TLRRect area = ReportPanelArea({794, 1123}, margins);
    EXPECT_EQ(area, (TLRRect{71, 36, 758, 1087}));
    const TDockedPanel listing[] = {
        {TLRAlign::laTop, LRBounds(71, 97, 687, 960)},
        {TLRAlign::laTop, LRBounds(71, 36, 687, 61)},
        {TLRAlign::laClient, LRBounds(0, 0, 10, 10)},
    };
    std::vector<TLRRect> docked = DockPanels(area, listing);
    EXPECT_EQ(docked[0], LRBounds(71, 97, 687, 960));
    EXPECT_EQ(docked[1], LRBounds(71, 36, 687, 61));
    EXPECT_EQ(docked[2], LRBounds(71, 1057, 687, 30));

    // Bottom before left before right, whatever the order given; panels
    // larger than what is left are cut to it.
    const TDockedPanel mixed[] = {
        {TLRAlign::laRight, LRBounds(0, 0, 30, 5)},
        {TLRAlign::laLeft, LRBounds(0, 0, 20, 5)},
        {TLRAlign::laBottom, LRBounds(0, 50, 10, 10)},
        {TLRAlign::laBottom, LRBounds(0, 80, 10, 15)},  // the lower one docks first
        {TLRAlign::laClient, LRBounds(0, 0, 1, 1)},
        {TLRAlign::laTop, LRBounds(0, 0, 5, 500)},
    };
    docked = DockPanels({0, 0, 100, 200}, mixed);
    EXPECT_EQ(docked[5], (TLRRect{0, 0, 100, 200}));
    EXPECT_EQ(docked[3], (TLRRect{0, 200, 100, 200}));
    EXPECT_EQ(docked[0], (TLRRect{70, 200, 100, 200}));
    EXPECT_EQ(docked[1], (TLRRect{0, 200, 20, 200}));
    EXPECT_EQ(docked[4], (TLRRect{20, 200, 70, 200}));

    docked = DockPanels({0, 0, 100, 200}, std::span(mixed, 5));
    EXPECT_EQ(docked[3], (TLRRect{0, 185, 100, 200}));
    EXPECT_EQ(docked[2], (TLRRect{0, 175, 100, 185}));
    EXPECT_EQ(docked[1], (TLRRect{0, 0, 20, 175}));
    EXPECT_EQ(docked[0], (TLRRect{70, 0, 100, 175}));
    EXPECT_EQ(docked[4], (TLRRect{20, 0, 70, 175}));
}

TEST(ReportGrid, CountsLeaveCellsOfTenUnits)
{
    EXPECT_NO_THROW(CheckRowCount(40, 960));
    EXPECT_EQ(GridCellSize({687, 960}, 1, 40), (TLRSize{687, 24}));
    EXPECT_EQ(LRFailure([] { CheckRowCount(100, 960); }), L"行数が有効範囲を超えています．");
    EXPECT_EQ(LRFailure([] { CheckRowCount(0, 960); }), L"行数が有効範囲を超えています．");
    EXPECT_EQ(LRFailure([] { CheckColCount(-1, 960); }), L"列数が有効範囲を超えています．");
    EXPECT_EQ(LRFailure([] { CheckColCount(70, 687); }), L"列数が有効範囲を超えています．");
    EXPECT_NO_THROW(CheckColCount(68, 687));
}

TEST(ReportGrid, CellsAndTheirOrder)
{
    const TLRRect grid = LRBounds(71, 97, 687, 960);
    EXPECT_EQ(GridCellRect(grid, 0, 39, 1, 40, {687, 24}), LRBounds(71, 97 + 936, 687, 24));
    // Positions are truncated from the whole height, not steps of the cell.
    EXPECT_EQ(GridCellRect(LRBounds(0, 0, 100, 100), 2, 2, 3, 3, {33, 33}), LRBounds(66, 66, 33, 33));

    const std::vector<TGridCell> vertical = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}};
    const std::vector<TGridCell> across = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}};
    EXPECT_EQ(GridVisitOrder(2, 3, TPrintDirection::pdVert), vertical);
    EXPECT_EQ(GridVisitOrder(2, 3, TPrintDirection::pdHorz), across);
    EXPECT_EQ(GridVisitOrder(2, 3, TPrintDirection::pdHolz), across);
}

TEST(ReportPlacement, WhereEachObjectMaySit)
{
    using K = TLRObjectKind;
    struct Case { K child, parent; const wchar_t* failure; TLRPlacement placed; };
    const Case cases[] = {
        {K::Report, K::Form, nullptr, TLRPlacement::AsGiven},
        {K::Report, K::Nothing, nullptr, TLRPlacement::AsGiven},
        {K::Report, K::LayoutPanel, L"フォーム上にのみ配置できます．", {}},
        {K::LayoutPanel, K::Report, nullptr, TLRPlacement::AsGiven},
        {K::LayoutPanel, K::LayoutPanel, nullptr, TLRPlacement::AsGiven},
        {K::LayoutPanel, K::CellTemplate, nullptr, TLRPlacement::AsGiven},
        {K::LayoutPanel, K::GridPanel, nullptr, TLRPlacement::IntoCellTemplate},
        {K::LayoutPanel, K::Form, L"TLightRep上かTLRLayoutPanelにのみ配置できます．", {}},
        {K::GridPanel, K::Report, nullptr, TLRPlacement::AsGiven},
        {K::GridPanel, K::LayoutPanel, nullptr, TLRPlacement::AsGiven},
        {K::GridPanel, K::CellTemplate, L"TLightRep上かTLRLayoutPanelにのみ配置できます．", {}},
        {K::GridPanel, K::GridPanel, L"TLightRep上かTLRLayoutPanelにのみ配置できます．", {}},
        {K::Item, K::LayoutPanel, nullptr, TLRPlacement::AsGiven},
        {K::Item, K::CellTemplate, nullptr, TLRPlacement::AsGiven},
        {K::Item, K::GridPanel, nullptr, TLRPlacement::IntoCellTemplate},
        {K::Item, K::Report, L"パネル上にのみ配置できます．", {}},
        {K::Item, K::Form, L"パネル上にのみ配置できます．", {}},
    };
    for (const Case& c : cases) {
        if (c.failure) EXPECT_EQ(LRFailure([&] { PlaceReportObject(c.child, c.parent); }), c.failure);
        else EXPECT_EQ(PlaceReportObject(c.child, c.parent), c.placed) << int(c.child) << " on " << int(c.parent);
    }
}

TEST(ReportItemLayout, TextSitsByAlignmentLayoutAndMargins)
{
    // 100 x 21 at scale 1: a 20-pixel box; right aligned 4 pixels in, centred
    // vertically.
    const TLRRect box = ItemBox(LRBounds(10, 30, 100, 21), 1.0);
    EXPECT_EQ(box, (TLRRect{10, 30, 109, 50}));
    EXPECT_EQ(ItemMeasureWidth(box, 4, 1.0), 95);
    const int textHeight = 12;
    EXPECT_EQ(ItemTextRect(box, TLRTextAlign::Right, TTextLayout::tlCenter, 4, 4, 1.0, textHeight),
              (TLRRect{10, 34, 105, 50}));
    EXPECT_EQ(ItemTextRect(box, TLRTextAlign::Left, TTextLayout::tlTop, 4, 3, 1.0, textHeight),
              (TLRRect{14, 33, 109, 50}));
    EXPECT_EQ(ItemTextRect(box, TLRTextAlign::Center, TTextLayout::tlBottom, 4, 3, 1.0, textHeight),
              (TLRRect{10, 35, 109, 50}));
    // Taller text than the box centres upwards, rounding toward zero.
    EXPECT_EQ(ItemTextRect(box, TLRTextAlign::Left, TTextLayout::tlCenter, 0, 0, 1.0, 25).Top, 28);

    // At 600 dpi (scale 6.25) every coordinate and margin is scaled and truncated.
    const TLRRect printed = ItemBox(LRBounds(248, 40, 89, 21), 6.25);
    EXPECT_EQ(printed, (TLRRect{1550, 250, 2100, 375}));
    EXPECT_EQ(ItemTextRect(printed, TLRTextAlign::Right, TTextLayout::tlTop, 4, 4, 6.25, 75),
              (TLRRect{1550, 275, 2075, 375}));

    EXPECT_TRUE(ItemMarginAccepted(-255));
    EXPECT_TRUE(ItemMarginAccepted(255));
    EXPECT_FALSE(ItemMarginAccepted(256));
    EXPECT_FALSE(ItemMarginAccepted(-256));
}

TEST(ReportItemLayout, LinesAndWhatEachStatusDraws)
{
    EXPECT_EQ(LinePenWidth(TLineStyle::lsHalf, 6.25), 3);
    EXPECT_EQ(LinePenWidth(TLineStyle::lsSingle, 6.25), 7);
    EXPECT_EQ(LinePenWidth(TLineStyle::lsDouble, 6.25), 12);
    EXPECT_EQ(LinePenWidth(TLineStyle::lsHalf, 1.0), 0);  // one pixel
    EXPECT_EQ(LinePenWidth(TLineStyle::lsNone, 1.0), -1);

    const TLRRect b{100, 200, 150, 220};
    EXPECT_EQ(ItemLine(TLRSide::Top, b, 6.25), (TLRSegment{94, 194, 150, 194}));
    EXPECT_EQ(ItemLine(TLRSide::Left, b, 6.25), (TLRSegment{94, 194, 94, 220}));
    EXPECT_EQ(ItemLine(TLRSide::Right, b, 6.25), (TLRSegment{150, 194, 150, 220}));
    EXPECT_EQ(ItemLine(TLRSide::Bottom, b, 6.25), (TLRSegment{94, 220, 150, 220}));

    struct Case { TPrintStatus status; bool transparent, background, text, lines; };
    const Case cases[] = {
        {TPrintStatus::psNormal, false, true, true, true},   {TPrintStatus::psNormal, true, false, true, true},
        {TPrintStatus::psLineOnly, false, true, false, true}, {TPrintStatus::psLineOnly, true, false, false, true},
        {TPrintStatus::psEndNow, false, true, false, false}, {TPrintStatus::psEndNow, true, false, false, false},
    };
    for (const Case& c : cases) {
        TItemPaint p = ItemPaintFor(c.status, c.transparent);
        EXPECT_EQ(p.Background, c.background);
        EXPECT_EQ(p.Text, c.text);
        EXPECT_EQ(p.Lines, c.lines);
    }
}

TEST(ReportItemLayout, PicturesAreCroppedOrStretched)
{
    // A 16 x 16 icon in a 20 x 20 item.
    TImagePlacement p = ImageItemPlacement(LRBounds(2, 3, 20, 20), {16, 16}, false, 1.0);
    EXPECT_EQ(p.Source, (TLRSize{16, 16}));
    EXPECT_EQ(p.Target, LRBounds(2, 3, 16, 16));
    p = ImageItemPlacement(LRBounds(2, 3, 20, 20), {16, 16}, true, 1.0);
    EXPECT_EQ(p.Source, (TLRSize{16, 16}));
    EXPECT_EQ(p.Target, LRBounds(2, 3, 20, 20));
    // A picture larger than the item is cropped, then scaled with the item.
    p = ImageItemPlacement(LRBounds(2, 3, 20, 10), {32, 8}, false, 6.25);
    EXPECT_EQ(p.Source, (TLRSize{20, 8}));
    EXPECT_EQ(p.Target, (TLRRect{12, 18, 137, 68}));
}

}  // namespace
