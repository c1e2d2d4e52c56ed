// What the list control shows of the rows: texts, images, the type-ahead
// search, the header's sort arrows and the owner-drawn attribute images.
#include "browser/ShellListView.h"
#include "core/shell/AttributeLetters.h"

#include <string>

namespace {

// LVFI_SUBSTRING, which newer controls send for a search anywhere in a name.
constexpr UINT kFindSubstring = 0x0004;

// Rows with any of these get cell-by-cell painting.
constexpr DWORD kDrawnAttributes = 0x1937;

std::wstring Upper(const std::wstring& text)
{
    if (text.empty()) return text;
    std::wstring upper(text.size(), L'\0');
    int length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.c_str(), int(text.size()), upper.data(),
                              int(upper.size()));
    if (length <= 0) return text;
    upper.resize(size_t(length));
    return upper;
}

void CopyText(LVITEMW& item, const std::wstring& text)
{
    if (item.pszText && item.cchTextMax > 0) lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

// The image index for each attribute, in a given order.
struct TAttributeImage {
    DWORD Attribute;
    int TAttributesImage::*Index;
};
const TAttributeImage kIconColumnOrder[] = {
    {FILE_ATTRIBUTE_ARCHIVE, &TAttributesImage::Archive},       {FILE_ATTRIBUTE_SYSTEM, &TAttributesImage::System},
    {FILE_ATTRIBUTE_HIDDEN, &TAttributesImage::Hidden},         {FILE_ATTRIBUTE_READONLY, &TAttributesImage::ReadOnly},
    {FILE_ATTRIBUTE_DIRECTORY, &TAttributesImage::Directory},   {FILE_ATTRIBUTE_TEMPORARY, &TAttributesImage::Temporary},
    {FILE_ATTRIBUTE_COMPRESSED, &TAttributesImage::Compressed}, {FILE_ATTRIBUTE_OFFLINE, &TAttributesImage::Offline},
};
const TAttributeImage kCellOrder[] = {
    {FILE_ATTRIBUTE_READONLY, &TAttributesImage::ReadOnly},     {FILE_ATTRIBUTE_HIDDEN, &TAttributesImage::Hidden},
    {FILE_ATTRIBUTE_SYSTEM, &TAttributesImage::System},         {FILE_ATTRIBUTE_ARCHIVE, &TAttributesImage::Archive},
    {FILE_ATTRIBUTE_DIRECTORY, &TAttributesImage::Directory},   {FILE_ATTRIBUTE_TEMPORARY, &TAttributesImage::Temporary},
    {FILE_ATTRIBUTE_COMPRESSED, &TAttributesImage::Compressed}, {FILE_ATTRIBUTE_OFFLINE, &TAttributesImage::Offline},
};

}  // namespace

HBITMAP TSHListView::SortBitmap(int direction) const
{
    return direction < 0 ? SortDownBitmap.Get() : SortUpBitmap.Get();
}

void TSHListView::GetDispInfo(LVITEMW& item)
{
    TSHFileItem* row = Files->Rows(item.iItem);
    if (!row) return;
    if (item.mask & LVIF_IMAGE) item.iImage = row->GetIconIndex();
    if (item.mask & LVIF_PARAM) item.lParam = LPARAM(row);
    if (item.mask & LVIF_TEXT) {
        switch (item.iSubItem) {
        case 0: CopyText(item, row->GetDisplayName()); break;
        case 1: CopyText(item, row->GetSizeText()); break;
        case 2: CopyText(item, row->GetTypeText()); break;
        case 3: CopyText(item, row->GetDateText()); break;
        case 4:
            CopyText(item, AttributesImage.ImageList ? std::wstring() : AttributeLetters(row->GetFileAttributes()));
            break;
        default: break;
        }
    }
    if (item.iSubItem == 0) {
        item.mask |= LVIF_STATE;
        item.stateMask |= LVIS_OVERLAYMASK | LVIS_CUT;
        item.state = (item.state & ~(LVIS_OVERLAYMASK | LVIS_CUT)) | row->GetOverlayMask() |
                     (IsMarkedCut(item.iItem) ? LVIS_CUT : 0);
    }
}

int TSHListView::FindRow(const NMLVFINDITEMW& find) const
{
    int count = Files->Count();
    if (count == 0) return -1;
    const LVFINDINFOW& info = find.lvfi;
    if (info.flags & LVFI_PARAM) return Files->IndexOf(reinterpret_cast<const TSHFileItem*>(info.lParam));
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL | kFindSubstring)) || !info.psz) return -1;
    std::wstring typed = Upper(info.psz);
    bool anywhere = info.flags & (LVFI_PARTIAL | kFindSubstring);
    int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    bool wrap = info.flags & LVFI_WRAP;
    int end = wrap ? start + count : count;
    for (int k = start; k < end; ++k) {
        int i = k % count;
        std::wstring name = Upper(Files->Rows(i)->GetFileName());
        size_t at = name.find(typed);
        if (anywhere ? at != std::wstring::npos : at == 0) return i;
    }
    return -1;
}

void TSHListView::UpdateSortArrows()
{
    HWND header = List ? reinterpret_cast<HWND>(SendMessageW(List, LVM_GETHEADER, 0, 0)) : nullptr;
    if (!header) return;
    int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count && i < 5; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        if (!SendMessageW(header, HDM_GETITEMW, WPARAM(i), LPARAM(&item))) continue;
        const int flags = HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
        HBITMAP bitmap = i == int(SortType) ? SortBitmap(ColumnSortDirections[i]) : nullptr;
        int format = bitmap ? (item.fmt | flags) : (item.fmt & ~flags);
        if (format == item.fmt && bitmap == item.hbm) continue;
        item.mask = HDI_FORMAT | HDI_BITMAP;
        item.fmt = format;
        item.hbm = bitmap;
        SendMessageW(header, HDM_SETITEMW, WPARAM(i), LPARAM(&item));
    }
}

// ---- painting

LRESULT TSHListView::CustomDraw(NMLVCUSTOMDRAW& draw)
{
    NMCUSTOMDRAW& cd = draw.nmcd;
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (DestroyingWnd) return CDRF_SKIPDEFAULT;
        UpdateSortArrows();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        TSHFileItem* row = Files->Rows(int(cd.dwItemSpec));
        if (!row || DestroyingWnd) return CDRF_DODEFAULT;
        LRESULT result = CDRF_DODEFAULT;
        RowColorSet = false;
        COLORREF text = draw.clrText;
        if (OnCustomDrawItem && OnCustomDrawItem(*this, int(cd.dwItemSpec), text)) {
            draw.clrText = RowColor = text;
            RowColorSet = true;
            result |= CDRF_NEWFONT;
        }
        DWORD attributes = row->GetFileAttributes();
        if (AttributesImage.ImageList && (attributes & kDrawnAttributes)) {
            int style = ViewStyle();
            if (style == LV_VIEW_DETAILS) result |= CDRF_NOTIFYSUBITEMDRAW;
            // Drawn after the row, so that the row's own painting cannot
            // cover them.
            else if (style == LV_VIEW_ICON) result |= CDRF_NOTIFYPOSTPAINT;
        }
        return result;
    }
    case CDDS_ITEMPOSTPAINT:
        if (TSHFileItem* row = Files->Rows(int(cd.dwItemSpec))) DrawIconAttributes(draw, row->GetFileAttributes());
        return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        // Each cell takes the row's colour again: the control resets it per cell.
        LRESULT result = CDRF_DODEFAULT;
        if (RowColorSet) {
            draw.clrText = RowColor;
            result = CDRF_NEWFONT;
        }
        TSHFileItem* row = Files->Rows(int(cd.dwItemSpec));
        if (draw.iSubItem == 4 && row && AttributesImage.ImageList) {
            DrawAttributeCell(draw, row->GetFileAttributes());
            return CDRF_SKIPDEFAULT;
        }
        return result;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void TSHListView::DrawIconAttributes(const NMLVCUSTOMDRAW& draw, DWORD attributes)
{
    HIMAGELIST images = AttributesImage.ImageList;
    if (!images) return;
    RECT icon{};
    icon.left = LVIR_ICON;
    if (!SendMessageW(List, LVM_GETITEMRECT, draw.nmcd.dwItemSpec, LPARAM(&icon))) return;
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    int x = icon.left + 5 - width, y = icon.bottom - height;
    for (const TAttributeImage& a : kIconColumnOrder) {
        int index = AttributesImage.*a.Index;
        if (!(attributes & a.Attribute) || index < 0) continue;
        ImageList_Draw(images, index, draw.nmcd.hdc, x, y, ILD_TRANSPARENT);
        y -= height + 1;
    }
}

void TSHListView::DrawAttributeCell(const NMLVCUSTOMDRAW& draw, DWORD attributes)
{
    HIMAGELIST images = AttributesImage.ImageList;
    HDC dc = draw.nmcd.hdc;
    int row = int(draw.nmcd.dwItemSpec);
    RECT cell{};
    cell.top = 4;
    cell.left = LVIR_LABEL;
    if (!SendMessageW(List, LVM_GETSUBITEMRECT, WPARAM(row), LPARAM(&cell))) return;

    COLORREF fill = COLORREF(SendMessageW(List, LVM_GETBKCOLOR, 0, 0));
    if (fill == CLR_NONE) fill = GetSysColor(COLOR_WINDOW);
    DWORD exStyle = DWORD(SendMessageW(List, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    if ((exStyle & LVS_EX_FULLROWSELECT) && IsSelected(row))
        fill = SendMessageW(List, LVM_GETHOTITEM, 0, 0) == row ? RGB(0, 0, 255) : GetSysColor(COLOR_HIGHLIGHT);

    int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    TBrushHandle brush(CreateSolidBrush(fill));
    FillRect(dc, &cell, brush.Get());
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    int x = cell.left;
    for (const TAttributeImage& a : kCellOrder) {
        int index = AttributesImage.*a.Index;
        if (!(attributes & a.Attribute) || index < 0) continue;
        ImageList_Draw(images, index, dc, x, cell.top + 2, ILD_TRANSPARENT);
        x += width;
    }
    RestoreDC(dc, saved);
}

