#pragma once
// The navigator pad's face: four triangular wedges around a centre point of
// a 120 x 120 client area, each standing for an arrow key of the folder
// tree.
#include <array>
#include <optional>

// In the order in which a press is tested.
enum class TPadWedge { Left, Right, Top, Bottom };

struct TPadPoint {
    int X, Y;
};
using TPadTriangle = std::array<TPadPoint, 3>;

inline constexpr int kPadClientSize = 120;

// The corners of a wedge, in client coordinates.
const TPadTriangle& WedgeCorners(TPadWedge wedge);
// The wedges in the order a press tests them.
inline constexpr std::array<TPadWedge, 4> kPadWedges = {TPadWedge::Left, TPadWedge::Right, TPadWedge::Top,
                                                         TPadWedge::Bottom};

// Whether a client point lies in the wedge: inside it or on its edges.
bool WedgeContains(TPadWedge wedge, int x, int y);
// The first wedge, in the order above, that contains the point; none for
// the centre and the corners of the pad.
std::optional<TPadWedge> WedgeAt(int x, int y);
