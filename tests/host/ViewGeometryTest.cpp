#include "core/viewer/ViewGeometry.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

// A picture laid out in a client the way the view does it.
TViewState Shown(int w, int h, int cw, int ch, TViewMode mode = TViewMode::vmExpand)
{
    TViewState s = NewViewState(w, h, 100);
    PrepareLayout(s, mode, cw, ch);
    FinishLayout(s, mode, cw, ch);
    return s;
}

void Relayout(TViewState& s, int cw, int ch, TViewMode mode = TViewMode::vmExpand)
{
    ExpandView(s, mode, cw, ch);
    PrepareLayout(s, mode, cw, ch);
    FinishLayout(s, mode, cw, ch);
}

TEST(ViewGeometry, PictureOfTheClientsAspectFillsItWithoutScrollBars)
{
    TViewState s = Shown(401, 201, 400, 200);
    EXPECT_TRUE(IsWholeImage(s));
    EXPECT_EQ(s.DL, 0);
    EXPECT_EQ(s.DT, 0);
    EXPECT_EQ(s.DR, 400);
    EXPECT_EQ(s.DB, 200);
    TScrollBarSetting v = VerticalScrollBar(s), h = HorizontalScrollBar(s);
    EXPECT_EQ(v.Max, 0);
    EXPECT_EQ(v.Page, 0);
    EXPECT_EQ(h.Max, 0);
}

TEST(ViewGeometry, LetterboxedAndCentred)
{
    struct Case { int w, h, cw, ch, dl, dt, dr, db; };
    const Case cases[] = {
        {1001, 501, 200, 200, 0, 50, 200, 150},   // wide picture: bars above and below
        {501, 1001, 200, 200, 50, 0, 150, 200},   // tall picture: bars left and right
        {101, 101, 300, 100, 100, 0, 200, 100},
    };
    for (const Case& c : cases) {
        TViewState s = Shown(c.w, c.h, c.cw, c.ch);
        EXPECT_EQ(s.DL, c.dl) << c.w << "x" << c.h;
        EXPECT_EQ(s.DT, c.dt) << c.w << "x" << c.h;
        EXPECT_EQ(s.DR, c.dr) << c.w << "x" << c.h;
        EXPECT_EQ(s.DB, c.db) << c.w << "x" << c.h;
        EXPECT_DOUBLE_EQ(s.ScaleX, (s.R - s.L) / (s.DR - s.DL));
    }
}

TEST(ViewGeometry, ZoomInAtTheCentreWidensTheViewToTheClientsAspect)
{
    TViewState s = Shown(1000, 500, 200, 200);
    ZoomViewAt(s, 100, 100, 0, 0.1);
    ExpandView(s, TViewMode::vmExpand, 200, 200);
    PrepareLayout(s, TViewMode::vmExpand, 200, 200);
    FinishLayout(s, TViewMode::vmExpand, 200, 200);
    EXPECT_FALSE(IsWholeImage(s));
    EXPECT_NEAR(s.R - s.L, 899.1, 1e-9);
    // Widened vertically to a square, then cut to the picture's rows.
    EXPECT_DOUBLE_EQ(s.T, 0);
    EXPECT_DOUBLE_EQ(s.B, 499);
    EXPECT_EQ(HorizontalScrollBar(s).Max, 999);
    EXPECT_EQ(HorizontalScrollBar(s).Page, RoundEven(s.R - s.L + 1));
}

TEST(ViewGeometry, ZoomingOutEndsAtTheWholePicture)
{
    TViewState s = Shown(640, 480, 320, 240);
    for (int i = 0; i < 5; ++i) {
        ZoomViewAt(s, 100, 70, 0, 0.1);
        Relayout(s, 320, 240);
    }
    ASSERT_FALSE(IsWholeImage(s));
    for (int i = 0; i < 20; ++i) {
        ZoomViewAt(s, 160, 120, 1, 0.1);
        Relayout(s, 320, 240);
    }
    EXPECT_TRUE(IsWholeImage(s));
    TViewState before = s;
    ZoomViewAt(s, 160, 120, 1, 0.1);
    Relayout(s, 320, 240);
    EXPECT_DOUBLE_EQ(s.L, before.L);
    EXPECT_DOUBLE_EQ(s.R, before.R);
    EXPECT_EQ(VerticalScrollBar(s).Max, 0);
}

TEST(ViewGeometry, ZoomNearACornerStaysInsideThePicture)
{
    TViewState s = Shown(800, 600, 400, 300);
    for (int i = 0; i < 3; ++i) {
        ZoomViewAt(s, 399, 299, 0, 0.1);  // bottom-right corner
        Relayout(s, 400, 300);
        EXPECT_LE(s.R, 799);
        EXPECT_LE(s.B, 599);
        EXPECT_GE(s.L, 0);
        EXPECT_GE(s.T, 0);
    }
    ZoomViewAt(s, 0, 0, 0, 0.1);
    Relayout(s, 400, 300);
    EXPECT_DOUBLE_EQ(s.L, 0);
    EXPECT_DOUBLE_EQ(s.T, 0);
}

TEST(ViewGeometry, ScrollBarMessages)
{
    TViewState s = Shown(1000, 1000, 100, 100);
    s.L = 0, s.R = 499, s.T = 0, s.B = 499;
    Relayout(s, 100, 100);
    ASSERT_DOUBLE_EQ(s.StepY, 9.99);
    const double h = s.B - s.T;
    // Line down at the bottom stays at MaxY - extent.
    s.T = 999 - h, s.B = 999;
    EXPECT_EQ(ApplyScroll(s, true, TScrollCode::LineDown, 0), RoundEven(999 - h));
    EXPECT_DOUBLE_EQ(s.T, 999 - h);
    EXPECT_DOUBLE_EQ(s.B - s.T, h);
    EXPECT_EQ(ApplyScroll(s, true, TScrollCode::PageUp, 0), RoundEven(999 - h - 2 * 9.99));
    // Thumb tracking moves nothing; releasing the thumb does.
    TViewState before = s;
    EXPECT_EQ(ApplyScroll(s, false, TScrollCode::Other, 300), -1);
    EXPECT_DOUBLE_EQ(s.L, before.L);
    EXPECT_EQ(ApplyScroll(s, false, TScrollCode::ThumbPosition, 300), 300);
    EXPECT_DOUBLE_EQ(s.L, 300);
    EXPECT_DOUBLE_EQ(s.R - s.L, before.R - before.L);
    // Scrolling keeps the display rectangle and scales.
    EXPECT_EQ(s.DL, before.DL);
    EXPECT_DOUBLE_EQ(s.ScaleX, before.ScaleX);
    s.L = 3, s.R = 3 + 499;
    EXPECT_EQ(ApplyScroll(s, false, TScrollCode::LineUp, 0), 0);
    EXPECT_DOUBLE_EQ(s.L, 0);
}

TEST(ViewGeometry, ZeroExtentOrEmptyClientGivesAnEmptyDisplay)
{
    struct Case { int w, h, cw, ch; };
    const Case cases[] = {{1, 300, 200, 200}, {300, 1, 200, 200}, {1, 1, 200, 200},
                          {300, 300, 0, 200}, {300, 300, 200, 0}, {300, 300, -5, -5}};
    for (const Case& c : cases) {
        TViewState s = Shown(c.w, c.h, c.cw, c.ch);
        EXPECT_FALSE(HasDisplay(s)) << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch;
        EXPECT_EQ(s.ScaleX, 0);
        // Tools still get a point and no division happens.
        ZoomViewAt(s, 10, 10, 0, 0.1);
        Relayout(s, c.cw, c.ch);
        CenterViewAt(s, 5, 5);
        Relayout(s, c.cw, c.ch);
        EXPECT_FALSE(HasDisplay(s));
    }
}

TEST(ViewGeometry, ClientToImageCentreAndScroll)
{
    TViewState s = Shown(201, 201, 100, 100);  // two image pixels per client pixel
    ASSERT_DOUBLE_EQ(s.ScaleX, 2.0);
    TImagePoint p = ClientToImage(s, 25, 75);
    EXPECT_EQ(p.X, 50);
    EXPECT_EQ(p.Y, 150);
    s.L = 0, s.R = 100, s.T = 0, s.B = 100;
    Relayout(s, 100, 100);
    CenterViewAt(s, 100, 100);  // the picture point under the client's corner
    Relayout(s, 100, 100);
    EXPECT_DOUBLE_EQ((s.L + s.R) / 2, 100);
    ScrollViewBy(s, 1000, 0);  // pushed back inside
    Relayout(s, 100, 100);
    EXPECT_DOUBLE_EQ(s.R, 200);
}

TEST(ViewGeometry, RoundingIsHalfToEven)
{
    const double in[] = {0.5, 1.5, 2.5, -0.5, -1.5, 2.4999, 2.5001};
    const int out[] = {0, 2, 2, 0, -2, 2, 3};
    for (size_t i = 0; i < std::size(in); ++i) EXPECT_EQ(RoundEven(in[i]), out[i]) << in[i];
}

TEST(ViewGeometry, InsideDisplayIncludesItsEdges)
{
    TViewState s = Shown(101, 101, 300, 100);  // display 100..200 x 0..100
    EXPECT_TRUE(InsideDisplay(s, 100, 0));
    EXPECT_TRUE(InsideDisplay(s, 200, 100));
    EXPECT_FALSE(InsideDisplay(s, 99, 50));
    EXPECT_FALSE(InsideDisplay(s, 201, 50));
}

TEST(ViewGeometry, MeasuredAreaAndLength)
{
    const TMeasurePoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_DOUBLE_EQ(PolygonArea(square, 4), -100);
    EXPECT_DOUBLE_EQ(PolylineLength(square, 4), 30);
    EXPECT_DOUBLE_EQ(PolygonArea(square, 0), 0);
    EXPECT_DOUBLE_EQ(PolylineLength(square, 1), 0);
}

}  // namespace
