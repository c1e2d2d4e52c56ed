#pragma once
// The arithmetic of the printed file listing's preview: pages of 40 rows,
// where the data cursor goes for each navigation, which navigation is
// possible, and how large the page is shown.
#include "core/report/ReportGeometry.h"

#include <cstdint>

inline constexpr int32_t kListRowsPerPage = 40;

// max(1, ceil(count / 40)).
int32_t ListPageTotal(int32_t count);

// The cursor (the next object to print) for the page a navigation shows.
// Drawing a page leaves the cursor at the next page's first row, so "next"
// keeps it; "previous" goes back from there.
int32_t ListFirstPageCursor();
int32_t ListPreviousPageCursor(int32_t cursor);
int32_t ListLastPageCursor(int32_t count);

// First and previous need a page before; next and last a page after.
bool ListCanGoBack(int32_t page);
bool ListCanGoForward(int32_t page, int32_t pageTotal);

// The paper's size in millimetres from the printer's physical size in
// device pixels and its resolution (A4 when the printer tells nothing).
struct TPaperMillimetres {
    int32_t Width = 210, Height = 297;
};
TPaperMillimetres PaperMillimetres(int32_t physicalWidth, int32_t physicalHeight, int32_t dpiX, int32_t dpiY);

// Where the preview image goes in the scroll box's client area and the
// scale the page is drawn at. The image takes the paper's proportions and
// fills the box's height (a box wider than high) or width; the scale is the
// image height's share of the paper height at the form's resolution, kept
// within 25..100 percent: outside it the image is the page at that scale,
// larger than the box (scroll bars) or smaller (centred).
struct TListPreviewLayout {
    TLRRect Image;      // in the client area
    int32_t Scale = 0;  // percent, for DrawPreview
};
TListPreviewLayout ListPreviewLayout(TLRSize client, TPaperMillimetres paper, TLRSize page, int32_t formDpi);
