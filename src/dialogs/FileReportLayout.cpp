#include "dialogs/FileReportLayout.h"

#include "gui/MessageBox.h"

namespace {

// A text cell as most of the listing's cells are: white, opaque, margins
// of 4, centred vertically, 12-pixel gothic.
TLRItem& TextCell(TLRContainer& parent, int32_t left, int32_t top, int32_t width, int32_t height,
                  TLRTextAlign align, const wchar_t* text = L"", bool bold = false)
{
    TLRItem& item = parent.Add<TLRItem>();
    item.SetBounds(left, top, width, height);
    item.Text = text;
    item.Alignment = align;
    item.Transparent = false;
    item.SetHMargin(4);
    item.SetVMargin(4);
    item.Layout = TTextLayout::tlCenter;
    item.Font.Bold = bold;
    return item;
}

TLRLayoutPanel& Panel(TLightRep& report, TLRAlign align, int32_t left, int32_t top, int32_t width, int32_t height)
{
    auto panel = std::make_unique<TLRLayoutPanel>();
    panel->SetAlign(align);
    panel->SetBounds(left, top, width, height);
    return static_cast<TLRLayoutPanel&>(report.Insert(std::move(panel)));
}

} // namespace

TFileReportItems BuildFileReport(TLightRep& report)
{
    TFileReportItems r;
    report.SetPaperSize(TPaperSize::psA4);
    report.SetOrientation(TPaperOrientation::Portrait);
    report.SetMarginTop(35);
    report.SetMarginLeft(70);
    report.SetMarginRight(35);
    report.SetMarginBottom(35);
    report.Title = kFileReportTitle;
    report.SetFirstPage(0);
    report.SetLastPage(0);

    // The panels print in the order they are added: the list first, so that
    // its rows have been taken when the header and footer print.
    TLRLayoutPanel& list = Panel(report, TLRAlign::laTop, 71, 97, 687, 960);
    r.LRLayoutPanel20 = &list;
    TLRItem& frame = list.Add<TLRItem>();
    frame.SetBounds(0, 0, 687, 960);
    frame.SetLines(TLineStyle::lsHalf);
    auto grid = std::make_unique<TLRGridPanel>();
    grid->SetAlign(TLRAlign::laClient);
    TLRGridPanel& rows = static_cast<TLRGridPanel&>(list.Insert(std::move(grid)));
    rows.SetColCount(1);
    rows.SetRowCount(40);
    rows.PrintDirection = TPrintDirection::pdHorz;
    r.LRGridPanel20 = &rows;
    TLRImage& image = rows.Add<TLRImage>();
    image.SetBounds(2, 3, 16, 16);
    r.ItemImage = &image;
    r.ItemFileName = &TextCell(rows, 20, 0, 229, 21, TLRTextAlign::Left);
    r.ItemFileSize = &TextCell(rows, 248, 0, 89, 21, TLRTextAlign::Right);
    r.ItemFileType = &TextCell(rows, 336, 0, 169, 21, TLRTextAlign::Left);
    r.ItemFileDate = &TextCell(rows, 504, 0, 109, 21, TLRTextAlign::Center);
    r.ItemFileAttr = &TextCell(rows, 612, 0, 75, 21, TLRTextAlign::Right);
    r.ItemFileAttr->LineRight = TLineStyle::lsHalf;

    TLRLayoutPanel& header = Panel(report, TLRAlign::laTop, 71, 36, 687, 61);
    r.LRLayoutPanel10 = &header;
    r.ItemTitle = &TextCell(header, 0, 0, 603, 21, TLRTextAlign::Left, ApplicationTitle().c_str());
    r.ItemTitle->Font = {L"Arial Black", 13, true, RGB(0, 0, 128)};
    r.ItemDate = &TextCell(header, 602, 0, 85, 21, TLRTextAlign::Center);
    TLRItem* headings[] = {
        &TextCell(header, 0, 20, 73, 21, TLRTextAlign::Center, L"フォルダ：", true),
        r.ItemFolder = &TextCell(header, 72, 20, 615, 21, TLRTextAlign::Left),
        &TextCell(header, 0, 40, 249, 21, TLRTextAlign::Center, L"名　前", true),
        &TextCell(header, 248, 40, 89, 21, TLRTextAlign::Center, L"サイズ", true),
        &TextCell(header, 336, 40, 169, 21, TLRTextAlign::Center, L"ファイルの種類", true),
        &TextCell(header, 504, 40, 109, 21, TLRTextAlign::Center, L"更新日時", true),
        &TextCell(header, 612, 40, 75, 21, TLRTextAlign::Center, L"属　性", true),
    };
    r.ItemTitle->SetLines(TLineStyle::lsHalf);
    r.ItemDate->SetLines(TLineStyle::lsHalf);
    for (TLRItem* item : headings) item->SetLines(TLineStyle::lsHalf);

    TLRLayoutPanel& footer = Panel(report, TLRAlign::laClient, 71, 1057, 687, 30);
    r.LRLayoutPanel30 = &footer;
    TLRItem& page = footer.Add<TLRItem>();
    page.SetBounds(0, 0, 687, 30);
    page.Alignment = TLRTextAlign::Center;
    page.Layout = TTextLayout::tlCenter;
    page.DisplayMask = L"- ### -";
    page.LineTop = TLineStyle::lsHalf;
    page.SetHMargin(2);
    r.ItemPage = &page;
    return r;
}
