#include "core/navigator/PadGeometry.h"

#include <gtest/gtest.h>

TEST(PadGeometry, EachWedgeHoldsItsCornersAndMiddle)
{
    for (TPadWedge wedge : kPadWedges) {
        const TPadTriangle& t = WedgeCorners(wedge);
        for (const TPadPoint& p : t) EXPECT_TRUE(WedgeContains(wedge, p.X, p.Y));
        int cx = (t[0].X + t[1].X + t[2].X) / 3, cy = (t[0].Y + t[1].Y + t[2].Y) / 3;
        EXPECT_EQ(WedgeAt(cx, cy), wedge);
    }
}

TEST(PadGeometry, TheCentreAndTheCornersHitNothing)
{
    struct Case {
        int x, y;
        std::optional<TPadWedge> wedge;
    };
    const Case cases[] = {
        {60, 60, std::nullopt}, {0, 0, std::nullopt},  {119, 119, std::nullopt}, {60, 50, std::nullopt},
        {20, 61, TPadWedge::Left}, {100, 61, TPadWedge::Right}, {60, 20, TPadWedge::Top}, {60, 100, TPadWedge::Bottom},
        {46, 61, TPadWedge::Left}, {48, 61, std::nullopt},  // just beside the left wedge's tip
    };
    for (const Case& c : cases) EXPECT_EQ(WedgeAt(c.x, c.y), c.wedge) << c.x << "," << c.y;
}
