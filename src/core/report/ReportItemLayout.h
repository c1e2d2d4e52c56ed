#pragma once
// Where a report item draws on its target: the text cell's box, text
// rectangle and border lines, and the picture cell's source and destination.
// Rectangles come in page units; s is the report's scale to the target, and
// m(v) = trunc(v x s).
#include "core/report/ReportGeometry.h"

#include <cstdint>

enum class TPrintStatus { psNormal, psLineOnly, psEndNow };
enum class TLRTextAlign { Left, Right, Center };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TLineStyle { lsNone, lsSingle, lsHalf, lsDouble };
enum class TLRSide { Top, Left, Right, Bottom };

// A new text item's size, and its margins' default and accepted range.
inline constexpr TLRSize kNewItemSize{65, 17};
inline constexpr int32_t kDefaultItemMargin = 2;
bool ItemMarginAccepted(int32_t value);  // -255..255; other values are ignored

int32_t ScaledUnits(int32_t value, double scale);  // m(v)

// The cell's box on the target: (m(L), m(T), m(R - 1), m(B - 1)).
TLRRect ItemBox(TLRRect rect, double scale);

// The width the text is measured in: the box's, less the scaled margin.
int32_t ItemMeasureWidth(TLRRect box, int32_t hMargin, double scale);
// The rectangle the text is drawn in, given its measured height.
TLRRect ItemTextRect(TLRRect box, TLRTextAlign align, TTextLayout layout, int32_t hMargin, int32_t vMargin,
                     double scale, int32_t textHeight);

// The pen width of a line style (whole pixels; 0 draws one pixel); -1 for
// no line.
int32_t LinePenWidth(TLineStyle style, double scale);

struct TLRSegment {
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // the end point is not drawn
    bool operator==(const TLRSegment&) const = default;
};
// One border line of the box. The top and left lines lie trunc(s) pixels
// outside it, so that they meet the right and bottom lines of the
// neighbouring cells.
TLRSegment ItemLine(TLRSide side, TLRRect box, double scale);

// What a text item draws for a status: the background unless it is
// transparent; text only for psNormal; lines for psNormal and psLineOnly.
struct TItemPaint {
    bool Background = false, Text = false, Lines = false;
};
TItemPaint ItemPaintFor(TPrintStatus status, bool transparent);

// A picture item: the part of the picture drawn and the scaled rectangle it
// is stretched into. Without Stretch the picture is cropped to the item, or
// the item reduced to the picture, side by side; with Stretch it fills it.
struct TImagePlacement {
    TLRSize Source;  // from the picture's top-left
    TLRRect Target;  // on the target, scaled
};
TImagePlacement ImageItemPlacement(TLRRect rect, TLRSize picture, bool stretch, double scale);
