#include "dialogs/FileReportDialog.h"

#include "core/help/HelpContexts.h"
#include "core/shell/AttributeLetters.h"
#include "core/shell/SizeText.h"
#include "fileops/PrinterSettings.h"
#include "gui/MessageBox.h"
#include "gui/WaitCursor.h"
#include "res/DialogIds.h"
#include "shell/IDList.h"

#include <cwchar>
#include <utility>

namespace {

struct THint {
    int Id;
    const wchar_t* Text;  // the short hint; the status-bar half has no bar to go to here
};
constexpr THint kHints[] = {
    {IDC_REPPRINT, L"印刷"},        {IDC_REPFIRST, L"先頭ページ"}, {IDC_REPPREV, L"前ページ"},
    {IDC_REPNEXT, L"次ページ"},     {IDC_REPLAST, L"最終ページ"},  {IDC_REPSETUP, L"プリンタ設定"},
    {IDCANCEL, L"終了"},            {IDC_HELPBUTTON, L"ヘルプ"},
};

// The form's size and the preview box's width, in pixels at 96 dots per inch.
constexpr SIZE kFormSize{550, 641};
constexpr int kBoxWidth = 445;

int ScreenDpi()
{
    TWindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

std::wstring TodayText()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t text[16];
    swprintf(text, 16, L"%04u/%02u/%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

} // namespace

TSubForm01070::TSubForm01070(HWND owner, std::vector<TListRowRecord> rows, std::wstring folderText)
    : TDialog(owner, IDD_FILEREPORT, HelpContext::PrintPreview), Rows(std::move(rows)),
      FolderText(std::move(folderText)), Parts(BuildFileReport(LightRep))
{
    Parts.LRGridPanel20->OnPrintPanel.Add(
        [this](TLRGridPanel&, int32_t col, int32_t row, const TLRRect&, TPrintStatus& status) {
            LRGridPanel20PrintPanel(col, row, status);
        });
    Parts.LRLayoutPanel10->BeforePrint.Add(
        [this](TCustomLRPanel&, const TLRRect&, TPrintStatus&) { LRLayoutPanel10BeforePrint(); });
    Parts.LRLayoutPanel30->BeforePrint.Add(
        [this](TCustomLRPanel&, const TLRRect&, TPrintStatus&) { LRLayoutPanel30BeforePrint(); });
}

void TSubForm01070::FormCreate()
{
    LightRep.PlaceOn(Handle());
    SmallIcons = GetSysImageList(false);
    Parts.ItemFolder->Text = FolderText;
    PlaceControls();
    AddHints();

    // The program's printer, set to one copy of A4 portrait.
    TPrinterSettings& printer = LightRep.Printer();
    LightRep.PrinterIndex = printer.DeviceName();
    if (printer.Prepare())
        printer.EditDevMode([](DEVMODEW& dm) {
            dm.dmPaperSize = DMPAPER_A4;
            dm.dmCopies = 1;
            dm.dmOrientation = DMORIENT_PORTRAIT;
            dm.dmFields |= DM_PAPERSIZE | DM_COPIES | DM_ORIENTATION;
        });
    MeasurePreview();
    Pages = ListPageTotal(int32_t(Rows.size()));
    LightRep.BeginPreview();
    ShowPage(1, ListFirstPageCursor());
    // The dialog would start on the print button, the first one, and a
    // focused button takes Enter: start on closing instead. (Posted: the
    // dialog sets its first focus after this.)
    PostMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
}

void TSubForm01070::PlaceControls()
{
    const int dpi = ScreenDpi();
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    SetWindowPos(Handle(), nullptr, 0, 0, px(kFormSize.cx), px(kFormSize.cy), SWP_NOMOVE | SWP_NOZORDER);
    // Centred on the owner again at the form's real size.
    RECT area{}, box{};
    if (Owner && IsWindowVisible(Owner)) GetWindowRect(Owner, &area);
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(Handle(), &box);
    SetWindowPos(Handle(), nullptr, (area.left + area.right - (box.right - box.left)) / 2,
                 std::max<LONG>(0, (area.top + area.bottom - (box.bottom - box.top)) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(Handle(), &client);
    Box = std::make_unique<TImageScrollBox>(Handle(), RECT{0, 0, px(kBoxWidth), client.bottom}, IDC_REPPREVIEW);
    const int left = px(kBoxWidth) + px(8), width = client.right - left - px(8), button = px(25), gap = px(4);
    const int half = (width - gap) / 2;
    auto place = [&](int id, int x, int y, int w, int h) { MoveWindow(Item(id), x, y, w, h, TRUE); };
    place(IDC_REPPRINT, left, px(8), width, button);
    place(IDC_REPPAGE, left, px(46), width, px(16));
    place(IDC_REPFIRST, left, px(68), half, button);
    place(IDC_REPPREV, left + half + gap, px(68), half, button);
    place(IDC_REPNEXT, left, px(68) + button + gap, half, button);
    place(IDC_REPLAST, left + half + gap, px(68) + button + gap, half, button);
    place(IDC_REPSETUP, left, px(136), width, button);
    place(IDCANCEL, left, client.bottom - px(8) - 2 * button - gap, width, button);
    place(IDC_HELPBUTTON, left, client.bottom - px(8) - button, width, button);
}

void TSubForm01070::AddHints()
{
    Hints = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
    if (!Hints) return;
    for (const THint& hint : kHints) {
        TOOLINFOW tool{sizeof tool};
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Item(hint.Id));
        tool.lpszText = const_cast<wchar_t*>(hint.Text);
        SendMessageW(Hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TSubForm01070::MeasurePreview()
{
    int32_t physicalWidth = 0, physicalHeight = 0, dpiX = 0, dpiY = 0;
    if (HDC printer = LightRep.Printer().CreatePrinterIC()) {
        physicalWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
        physicalHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
        dpiX = GetDeviceCaps(printer, LOGPIXELSX);
        dpiY = GetDeviceCaps(printer, LOGPIXELSY);
        DeleteDC(printer);
    }
    const TPaperMillimetres paper = PaperMillimetres(physicalWidth, physicalHeight, dpiX, dpiY);
    const SIZE client = Box->FullClientSize();
    Layout = ListPreviewLayout({client.cx, client.cy}, paper, LightRep.PageSize(), ScreenDpi());
    // A page as wide as the box but a little higher would need a vertical
    // scroll bar, whose width then asks for a horizontal one too: fit the
    // page to the width the vertical bar leaves instead.
    if (Layout.Image.Bottom > client.cy && Layout.Image.Right <= client.cx) {
        const TLRSize narrower{client.cx - GetSystemMetrics(SM_CXVSCROLL), client.cy};
        Layout = ListPreviewLayout(narrower, paper, LightRep.PageSize(), ScreenDpi());
        // When it now fits, no bar shows: centre it in the whole width.
        TLRRect& image = Layout.Image;
        if (image.Bottom <= client.cy && image.Width() < client.cx)
            image = LRBounds((client.cx - image.Width()) / 2, image.Top, image.Width(), image.Height());
    }
    const TLRRect& r = Layout.Image;
    Box->SetImage({r.Left, r.Top, r.Right, r.Bottom});
}

void TSubForm01070::ShowPage(int32_t page, int32_t cursor)
{
    PageShown = page;
    RowCursor = cursor;
    SetItemText(IDC_REPPAGE, std::to_wstring(PageShown) + L" / " + std::to_wstring(Pages));
    DrawPage();
}

void TSubForm01070::DrawPage()
{
    HBITMAP image = Box->Image();
    if (!image) return;
    HDC memory = CreateCompatibleDC(TWindowDC(Handle()).Get());
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, image);
    const RECT& place = Box->ImagePlace();
    RECT all{0, 0, place.right - place.left, place.bottom - place.top};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    try {
        LightRep.DrawPreview(memory, 0, 0, 0, Layout.Scale);
    } catch (...) {
        SelectObject(memory, old);
        DeleteDC(memory);
        Box->ImageChanged();
        throw;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    Box->ImageChanged();
}

void TSubForm01070::LRGridPanel20PrintPanel(int32_t, int32_t, TPrintStatus& status)
{
    if (RowCursor >= int32_t(Rows.size())) {
        // Past the last row: the frame and the right line only.
        status = TPrintStatus::psLineOnly;
        return;
    }
    const TListRowRecord& row = Rows[size_t(RowCursor)];
    Parts.ItemImage->Picture().Assign(RowIcon(row.IconIndex).Clone());
    Parts.ItemFileName->Text = row.Name;
    const TNumberSeparators separators = UserNumberSeparators();
    // Sizes of files only: a folder's or a virtual object's size means nothing.
    const bool file = !row.Folder && !row.Path.empty();
    Parts.ItemFileSize->Text = file ? FormatKilobytesTenths(row.Size, separators.Thousands, separators.Decimal) : L"";
    Parts.ItemFileType->Text = row.TypeText;
    Parts.ItemFileDate->Text = row.DateText;
    Parts.ItemFileAttr->Text = AttributeLetters(row.Attributes);
    ++RowCursor;
}

const DibImage& TSubForm01070::RowIcon(int iconIndex)
{
    std::unique_ptr<DibImage>& icon = Icons[iconIndex];
    if (icon) return *icon;
    // The small icon drawn on white into a 16 x 16 bitmap.
    icon = std::make_unique<DibImage>();
    auto bitmap = TBitmapGraphic::Blank(16, 16);
    HDC memory = CreateCompatibleDC(nullptr);
    if (memory && bitmap->Handle()) {
        {
            TSelectObject in(memory, bitmap->Handle());
            RECT all{0, 0, 16, 16};
            FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            if (SmallIcons && iconIndex >= 0) ImageList_Draw(SmallIcons, iconIndex, memory, 0, 0, ILD_NORMAL);
        }
        icon->AssignBitmap(bitmap->Handle());
    }
    if (memory) DeleteDC(memory);
    return *icon;
}

void TSubForm01070::LRLayoutPanel10BeforePrint() { Parts.ItemDate->Text = TodayText(); }

void TSubForm01070::LRLayoutPanel30BeforePrint()
{
    const int32_t page = LightRep.Mode() == TReportMode::Printing ? LightRep.PageNumber() : PageShown;
    Parts.ItemPage->Text = std::to_wstring(page);
}

void TSubForm01070::UpdateControls()
{
    EnableItem(IDC_REPFIRST, ListCanGoBack(PageShown));
    EnableItem(IDC_REPPREV, ListCanGoBack(PageShown));
    EnableItem(IDC_REPNEXT, ListCanGoForward(PageShown, Pages));
    EnableItem(IDC_REPLAST, ListCanGoForward(PageShown, Pages));
}

void TSubForm01070::ActionFirstExecute()
{
    if (ListCanGoBack(PageShown)) ShowPage(1, ListFirstPageCursor());
}

void TSubForm01070::ActionPrevExecute()
{
    if (ListCanGoBack(PageShown)) ShowPage(PageShown - 1, ListPreviousPageCursor(RowCursor));
}

void TSubForm01070::ActionNextExecute()
{
    if (ListCanGoForward(PageShown, Pages)) ShowPage(PageShown + 1, RowCursor);
}

void TSubForm01070::ActionLastExecute()
{
    if (ListCanGoForward(PageShown, Pages)) ShowPage(Pages, ListLastPageCursor(int32_t(Rows.size())));
}

void TSubForm01070::ActionSetupExecute()
{
    TPrinterSettings& printer = LightRep.Printer();
    if (!printer.Setup(Handle())) return;
    LightRep.PrinterIndex = printer.DeviceName();
    MeasurePreview();
    ShowPage(1, ListFirstPageCursor());
}

void TSubForm01070::ActionPrintExecute()
{
    if (!LightRep.Printer().HasPrinter()) {
        ShowMessageBox(Handle(), kNoPrinterText, MB_OK | MB_ICONERROR);
        return;
    }
    TWaitCursor wait;
    try {
        LightRep.BeginDoc();
        PageShown = 0;
        RowCursor = 0;
        while (RowCursor < int32_t(Rows.size())) {
            LightRep.PrintPage();
            if (RowCursor < int32_t(Rows.size())) LightRep.NewPage();
        }
        LightRep.EndDoc();
    } catch (...) {
        // Nothing half-printed goes out; the preview shows page 1 again.
        if (LightRep.Mode() == TReportMode::Printing) LightRep.AbortDoc();
        LightRep.BeginPreview();
        ShowPage(1, ListFirstPageCursor());
        throw;
    }
    PressOk();
}

bool TSubForm01070::OnCommand(int id, int code, HWND)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_REPPRINT: ActionPrintExecute(); return true;
    case IDC_REPFIRST: ActionFirstExecute(); return true;
    case IDC_REPPREV: ActionPrevExecute(); return true;
    case IDC_REPNEXT: ActionNextExecute(); return true;
    case IDC_REPLAST: ActionLastExecute(); return true;
    case IDC_REPSETUP: ActionSetupExecute(); return true;
    default: return false;
    }
}
