#include "core/report/ListPreview.h"

#include "core/report/ReportRun.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t PagesFor(int32_t rows) { return rows <= 0 ? 0 : (rows + kListRowsPerPage - 1) / kListRowsPerPage; }

int32_t Rounded(double v) { return int32_t(std::lround(v)); }

// An image of `size` in the client area: centred where it is smaller,
// from the top-left corner where it is larger (the box scrolls).
TLRRect Placed(TLRSize client, TLRSize size)
{
    const int32_t left = size.Width < client.Width ? Rounded((client.Width - size.Width) / 2.0) : 0;
    const int32_t top = size.Height < client.Height ? Rounded((client.Height - size.Height) / 2.0) : 0;
    return LRBounds(left, top, size.Width, size.Height);
}

} // namespace

int32_t ListPageTotal(int32_t count) { return std::max(1, PagesFor(count)); }

int32_t ListFirstPageCursor() { return 0; }

int32_t ListPreviousPageCursor(int32_t cursor) { return std::max(0, kListRowsPerPage * (PagesFor(cursor) - 2)); }

int32_t ListLastPageCursor(int32_t count) { return std::max(0, kListRowsPerPage * (PagesFor(count) - 1)); }

bool ListCanGoBack(int32_t page) { return page > 1; }

bool ListCanGoForward(int32_t page, int32_t pageTotal) { return page < pageTotal; }

TPaperMillimetres PaperMillimetres(int32_t physicalWidth, int32_t physicalHeight, int32_t dpiX, int32_t dpiY)
{
    if (physicalWidth <= 0 || physicalHeight <= 0 || dpiX <= 0 || dpiY <= 0) return {};
    TPaperMillimetres mm{Rounded(physicalWidth * 25.4 / dpiX), Rounded(physicalHeight * 25.4 / dpiY)};
    if (mm.Width <= 0 || mm.Height <= 0) return {};
    return mm;
}

TListPreviewLayout ListPreviewLayout(TLRSize client, TPaperMillimetres paper, TLRSize page, int32_t formDpi)
{
    if (paper.Width <= 0 || paper.Height <= 0) paper = {};
    if (formDpi <= 0) formDpi = 96;
    TLRSize image;
    if (client.Width > client.Height)
        image = {Rounded(double(client.Height) * paper.Width / paper.Height), client.Height};
    else
        image = {client.Width, Rounded(double(client.Width) * paper.Height / paper.Width)};
    const int32_t scale = Rounded(100.0 * image.Height / (formDpi * paper.Height / 25.4));
    TListPreviewLayout layout;
    layout.Scale = std::clamp(scale, 25, 100);
    if (layout.Scale != scale) image = PreviewDrawSize(page, layout.Scale);
    layout.Image = Placed(client, image);
    return layout;
}
