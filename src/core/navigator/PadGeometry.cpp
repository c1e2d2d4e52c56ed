#include "core/navigator/PadGeometry.h"

namespace {

const TPadTriangle kCorners[] = {
    {{{8, 22}, {47, 61}, {8, 100}}},      // left
    {{{72, 61}, {111, 22}, {111, 100}}},  // right
    {{{21, 8}, {99, 8}, {60, 47}}},       // top
    {{{61, 72}, {100, 111}, {22, 111}}},  // bottom
};

long long Cross(TPadPoint a, TPadPoint b, int x, int y)
{
    return (long long)(b.X - a.X) * (y - a.Y) - (long long)(b.Y - a.Y) * (x - a.X);
}

}  // namespace

const TPadTriangle& WedgeCorners(TPadWedge wedge) { return kCorners[int(wedge)]; }

bool WedgeContains(TPadWedge wedge, int x, int y)
{
    const TPadTriangle& t = WedgeCorners(wedge);
    long long d1 = Cross(t[0], t[1], x, y);
    long long d2 = Cross(t[1], t[2], x, y);
    long long d3 = Cross(t[2], t[0], x, y);
    bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

std::optional<TPadWedge> WedgeAt(int x, int y)
{
    for (TPadWedge wedge : kPadWedges)
        if (WedgeContains(wedge, x, y)) return wedge;
    return std::nullopt;
}
