// Creation and layout of the main window's controls.
#include "app/ControlIds.h"
#include "app/ImageLists.h"
#include "app/MainForm.h"
#include "app/StatusPanels.h"
#include "browser/FolderTreeView.h"
#include "browser/ShellTreeView.h"
#include "controls/NoWheelComboBox.h"
#include "core/commands/MenuLayout.h"
#include "viewer/PanelBox.h"
#include "viewer/Raster.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

const int kPanelSpaceHeight = 1;
const int kSplitterFrameWidth = 2;
const int kSplitter1Height = 3;
const int kFilterComboWidth = 209;
// Each label holds its widest usual text (five-digit sizes, a 32-bit depth).
const wchar_t* const kLabelSamples[3] = {L" 横:99999 / 縦:99999 pixel ", L" 横:9999 / 縦:9999 dpi ", L" 32 bit "};

int LabelWidth(HFONT font, int index)
{
    TWindowDC dc(nullptr);
    SIZE size{};
    TSelectObject selected(dc.Get(), font);
    GetTextExtentPoint32W(dc.Get(), kLabelSamples[index], lstrlenW(kLabelSamples[index]), &size);
    return size.cx + 8;
}
const COLORREF kClientBackground = RGB(0x44, 0x44, 0x44);

HWND CreateChild(const wchar_t* cls, const wchar_t* text, DWORD style, HWND parent, int id, HFONT font,
                 DWORD exStyle = 0)
{
    HWND wnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    if (font) SendMessageW(wnd, WM_SETFONT, WPARAM(font), FALSE);
    return wnd;
}

// The area behind the folder windows is dark grey.
LRESULT CALLBACK MdiClientProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(wnd, &r);
        TBrushHandle brush(CreateSolidBrush(kClientBackground));
        FillRect(HDC(wParam), &r, brush.Get());
        return 1;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, MdiClientProc, id);
    return DefSubclassProc(wnd, msg, wParam, lParam);
}

int WindowHeight(HWND wnd)
{
    if (!wnd || !IsWindowVisible(wnd)) return 0;
    RECT r;
    GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

SIZE ToolBarSize(HWND toolBar)
{
    SIZE size{};
    SendMessageW(toolBar, TB_GETMAXSIZE, 0, LPARAM(&size));
    return size;
}

}  // namespace

void TMainForm::CreateControls()
{
    UiFont.Reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic"));
    ImageList1.Reset(LoadCommandImages(false));
    ImageList2.Reset(LoadCommandImages(true));

    CreateCoolBar();
    PanelSpace = CreateChild(WC_STATICW, L"", SS_ETCHEDHORZ, Wnd, 0, nullptr);
    CreateStatusBar();
    CreateViewerBar();
    CreateLeftPanel();
    Status = std::make_unique<TStatusPanels>(StatusWnd, *Tree, ImageList1.Get(), UiFont.Get());
    CreateShellPopupMenu();
    SplitterFrame = std::make_unique<TSplitter>(Wnd, TSplitter::TOrientation::Vertical);
    SplitterFrame->OnMoved = [this](int delta) {
        RECT r;
        GetClientRect(Wnd, &r);
        PanelCtrlWidth = std::max(2, std::min<int>(PanelCtrlWidth + delta, r.right - kSplitterFrameWidth));
        LayoutForm();
    };

    CLIENTCREATESTRUCT ccs{WindowMenu, IDM_FIRSTCHILD};
    ClientWnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                0, 0, 0, 0, Wnd, reinterpret_cast<HMENU>(INT_PTR(IDC_MDICLIENT)),
                                GetModuleHandleW(nullptr), &ccs);
    SetWindowSubclass(ClientWnd, MdiClientProc, 1, 0);
}

HWND TMainForm::CreateBandToolBar(HWND parent, const std::vector<TToolEntry>& entries)
{
    int id = IDC_TOOLBAR_FIRST + int(ToolBars.size());
    HWND tb = CreateChild(TOOLBARCLASSNAMEW, L"",
                          TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN |
                              TBSTYLE_TRANSPARENT,
                          parent, id, UiFont.Get());
    SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Buttons with captions show them beside the image.
    for (const TToolEntry& e : entries)
        if (e.ShowCaption) SetWindowLongPtrW(tb, GWL_STYLE, GetWindowLongPtrW(tb, GWL_STYLE) | TBSTYLE_LIST);
    SendMessageW(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    SendMessageW(tb, TB_SETIMAGELIST, 0, LPARAM(ImageList1.Get()));
    SendMessageW(tb, TB_SETDISABLEDIMAGELIST, 0, LPARAM(ImageList2.Get()));

    for (const TToolEntry& e : entries) {
        TBBUTTON b{};
        b.fsState = TBSTATE_ENABLED;
        b.iBitmap = I_IMAGENONE;
        switch (e.Kind) {
        case TToolEntryKind::Separator:
            b.fsStyle = BTNS_SEP;
            break;
        case TToolEntryKind::Button: {
            TAction* action = ActionsList.Find(e.Command);
            if (!action || !action->Visible) continue;
            b.idCommand = action->Id;
            b.iBitmap = e.ImageIndex >= 0 ? e.ImageIndex : action->ImageIndex;
            b.fsState = 0;
            b.fsStyle = BTNS_BUTTON | (e.Check ? BTNS_CHECK : 0) | (e.Group ? BTNS_GROUP : 0) |
                        (e.DropDownMenu != TToolMenu::None ? BTNS_DROPDOWN : 0);
            if (e.ShowCaption) {
                b.fsStyle |= BTNS_SHOWTEXT | BTNS_AUTOSIZE;
                b.iString = INT_PTR(e.Caption ? e.Caption : action->Caption.c_str());
            }
            break;
        }
        case TToolEntryKind::DropDownButton:
            b.idCommand = e.DropDownMenu == TToolMenu::ToolBarMenu1 ? IDB_NEW_DROPDOWN : IDB_ARRANGE_DROPDOWN;
            b.iBitmap = e.ImageIndex;
            b.fsStyle = BTNS_DROPDOWN;
            break;
        case TToolEntryKind::PasteButton:
            b.idCommand = IDB_PASTE;
            b.iBitmap = e.ImageIndex;
            b.fsStyle = BTNS_BUTTON;
            break;
        case TToolEntryKind::Label:
            // Room for a label, which the owner places over it.
            b.fsStyle = BTNS_SEP;
            b.iBitmap = LabelWidth(UiFont.Get(), e.LabelIndex - 1);
            b.idCommand = IDC_LABEL_FIRST + e.LabelIndex - 1;
            break;
        default:
            continue;  // combo boxes are placed by their owners
        }
        SendMessageW(tb, TB_ADDBUTTONSW, 1, LPARAM(&b));
    }
    SendMessageW(tb, TB_AUTOSIZE, 0, 0);
    ToolBars.push_back(tb);
    return tb;
}

void TMainForm::CreateCoolBar()
{
    CoolBarWnd = CreateChild(REBARCLASSNAMEW, L"",
                             WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                             Wnd, IDC_COOLBAR, UiFont.Get(), WS_EX_TOOLWINDOW);

    for (const TBandLayout& band : CoolBarLayout()) {
        HWND child = nullptr;
        int width = 0;
        bool hasFilterCombo = false, hasAddress = false;
        for (const TToolEntry& e : band.Entries) {
            hasFilterCombo |= e.Kind == TToolEntryKind::FilterCombo;
            hasAddress |= e.Kind == TToolEntryKind::AddressBar;
        }
        if (hasFilterCombo || hasAddress) {
            // A combo box followed by the band's buttons, in a panel of their own.
            auto& panel = hasFilterCombo ? ToolBar7Panel : Frame1;
            panel = std::make_unique<TPanel>(CoolBarWnd, band.Name);
            HWND combo;
            if (hasFilterCombo) {
                combo = ComboBox1 = CreateNoWheelComboBox(panel->Handle(), IDC_FILTERCOMBO, kFilterComboWidth,
                                                          UiFont.Get());
            } else {
                combo = AddressComboWnd = CreateChild(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL |
                                                          WS_TABSTOP, panel->Handle(), IDC_ADDRESSCOMBO, UiFont.Get());
                SetWindowPos(combo, nullptr, 0, 0, 300, 300, SWP_NOZORDER | SWP_NOMOVE);
            }
            std::vector<TToolEntry> buttons;
            for (const TToolEntry& e : band.Entries)
                if (e.Kind != TToolEntryKind::FilterCombo && e.Kind != TToolEntryKind::AddressBar) buttons.push_back(e);
            HWND tb = CreateBandToolBar(panel->Handle(), buttons);
            RECT cr;
            GetWindowRect(combo, &cr);
            int comboWidth = cr.right - cr.left;
            SIZE ts = ToolBarSize(tb);
            HWND comboHandle = combo;
            TPanel* p = panel.get();
            panel->OnResize = [p, comboHandle, tb, ts, hasAddress]() {
                RECT r;
                GetClientRect(p->Handle(), &r);
                RECT c;
                GetWindowRect(comboHandle, &c);
                int comboW = c.right - c.left;
                int comboH = c.bottom - c.top;
                if (hasAddress) comboW = std::max(60, int(r.right - ts.cx - 2));
                SetWindowPos(comboHandle, nullptr, 0, (r.bottom - comboH) / 2, comboW, 300, SWP_NOZORDER);
                SetWindowPos(tb, nullptr, comboW + 2, (r.bottom - ts.cy) / 2, ts.cx, ts.cy, SWP_NOZORDER);
            };
            child = panel->Handle();
            width = comboWidth + 2 + ts.cx;
        } else {
            child = CreateBandToolBar(CoolBarWnd, band.Entries);
            width = ToolBarSize(child).cx;
        }

        REBARBANDINFOW rb{};
        rb.cbSize = sizeof rb;
        rb.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_STYLE | RBBIM_IDEALSIZE |
                   (band.Text ? RBBIM_TEXT : 0);
        rb.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | RBBS_USECHEVRON | (band.Break ? RBBS_BREAK : 0);
        rb.hwndChild = child;
        // Bands shrink rather than wrap to a new row on a narrow window.
        rb.cxMinChild = hasAddress ? 100 : std::min(width, 24);
        rb.cyMinChild = BandMinHeight;
        rb.cx = hasAddress ? 400 : width + 20;
        rb.cxIdeal = width;
        rb.wID = UINT(band.ID);
        std::wstring text = band.Text ? band.Text : L"";
        rb.lpText = text.data();
        SendMessageW(CoolBarWnd, RB_INSERTBANDW, WPARAM(-1), LPARAM(&rb));
    }
}

void TMainForm::CreateStatusBar()
{
    StatusWnd = CreateChild(STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP | SBARS_TOOLTIPS, Wnd, IDC_STATUSBAR,
                            UiFont.Get());
    int widths[5] = {240, 340, 390, 440, -1};
    SendMessageW(StatusWnd, SB_SETPARTS, 5, LPARAM(widths));
    // The bar is 23 pixels high for a font of 9 points or less, else the
    // font's height and 6.
    LOGFONTW font{};
    GetObjectW(UiFont.Get(), sizeof font, &font);
    int height = std::abs(font.lfHeight);
    int points = MulDiv(height, 72, 96);
    int barHeight = points > 9 ? height + 6 : 23;
    SendMessageW(StatusWnd, SB_SETMINHEIGHT, WPARAM(barHeight - 2 * GetSystemMetrics(SM_CYBORDER)), 0);
    SendMessageW(StatusWnd, WM_SIZE, 0, 0);
    SendMessageW(StatusWnd, SB_SETTEXTW, 2 | SBT_OWNERDRAW, 0);
    SendMessageW(StatusWnd, SB_SETTEXTW, 3 | SBT_OWNERDRAW, 0);
}

void TMainForm::CreateViewerBar()
{
    PanelViewer = std::make_unique<TPanel>(Wnd, L"PanelViewer");
    ToolBar8 = CreateBandToolBar(PanelViewer->Handle(), ToolBar8Layout());
    for (int i = 0; i < 3; ++i) {
        Labels[i] = CreateChild(WC_STATICW, L"", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, ToolBar8, 0, UiFont.Get());
        RECT r{};
        SendMessageW(ToolBar8, TB_GETRECT, IDC_LABEL_FIRST + i, LPARAM(&r));
        SetWindowPos(Labels[i], nullptr, r.left, r.top + 2, r.right - r.left, r.bottom - r.top - 4, SWP_NOZORDER);
    }
    ProgressBar = CreateChild(PROGRESS_CLASSW, L"", 0, PanelViewer->Handle(), IDC_PROGRESSBAR, nullptr);
    ShowWindow(ProgressBar, SW_HIDE);
    PanelViewer->OnResize = [this] { LayoutViewerBar(); };
}

void TMainForm::LayoutViewerBar()
{
    RECT r;
    GetClientRect(PanelViewer->Handle(), &r);
    SIZE ts = ToolBarSize(ToolBar8);
    SetWindowPos(ToolBar8, nullptr, 0, 0, ts.cx, ts.cy, SWP_NOZORDER);
    int x = ts.cx + 2;
    SetWindowPos(ProgressBar, nullptr, x, 3, std::max(0, int(r.right - x - 2)), ts.cy - 6, SWP_NOZORDER);
}

void TMainForm::CreateLeftPanel()
{
    PanelCtrl = std::make_unique<TPanel>(Wnd, L"PanelCtrl");
    HWND parent = PanelCtrl->Handle();
    PageControl = CreateChild(WC_TABCONTROLW, L"", WS_CLIPCHILDREN | TCS_FOCUSNEVER, parent, IDC_PAGECONTROL,
                              UiFont.Get());
    const wchar_t* tabs[] = {L"フォルダ", L"お気に入り"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        SendMessageW(PageControl, TCM_INSERTITEMW, i, LPARAM(&item));
    }

    FoldersPage = std::make_unique<TPanel>(parent, L"TabSheet1");
    Tree = std::make_unique<TSHTreeView>(FoldersPage->Handle());
    SHTreeView = Tree->TreeHandle();
    SendMessageW(SHTreeView, TVM_SETINDENT, 19, 0);
    // The desktop is the only root: it needs no lines of its own.
    SetWindowLongPtrW(SHTreeView, GWL_STYLE, GetWindowLongPtrW(SHTreeView, GWL_STYLE) & ~LONG_PTR(TVS_LINESATROOT));
    Tree->ZipFolder = true;
    Tree->SetShVirtuaItems(ShVirtuaBit(itInterNet) | ShVirtuaBit(itBitBucket) | ShVirtuaBit(itNetWork) |
                           ShVirtuaBit(itVirtual));
    Tree->OnSelectNode = [this](TSHTreeView&, HTREEITEM) { SHTreeViewSelectNode(); };
    FoldersPage->OnResize = [this] {
        RECT r;
        GetClientRect(FoldersPage->Handle(), &r);
        SetWindowPos(Tree->Handle(), nullptr, 0, 0, r.right, r.bottom, SWP_NOZORDER);
    };

    FavoritesPage = std::make_unique<TPanel>(parent, L"TabSheet2");
    ToolBar88 = CreateBandToolBar(FavoritesPage->Handle(), ToolBar88Layout());
    SendMessageW(ToolBar88, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    // Folders and shortcuts only, read-only, no menu of its own.
    FolderTreeView = std::make_unique<TFolderTreeView>(FavoritesPage->Handle(), IDC_FOLDERTREEVIEW);
    FolderTreeView->SetFileMask(L"*.lnk");
    FolderTreeView->OnSelectNode = [this](TFolderTreeView&, HTREEITEM node) {
        if (FavoriteSelectHandler) FavoriteSelectHandler(node);
    };
    FavoritesPage->OnResize = [this] {
        RECT r;
        GetClientRect(FavoritesPage->Handle(), &r);
        SIZE ts = ToolBarSize(ToolBar88);
        SetWindowPos(ToolBar88, nullptr, 0, 0, r.right, ts.cy, SWP_NOZORDER);
        SetWindowPos(FolderTreeView->Handle(), nullptr, 0, ts.cy, r.right, std::max(0, int(r.bottom - ts.cy)),
                     SWP_NOZORDER);
    };
    ShowWindow(FavoritesPage->Handle(), SW_HIDE);

    Splitter1 = std::make_unique<TSplitter>(parent, TSplitter::TOrientation::Horizontal);
    Splitter1->OnMoved = [this](int delta) {
        RECT r;
        GetClientRect(PanelCtrl->Handle(), &r);
        PanelBoxHeight = std::max(PanelBox->TitleHeight(), std::min<int>(PanelBoxHeight - delta, r.bottom - 60));
        LayoutLeftPanel();
    };
    PanelBox = std::make_unique<TPanelBox>(parent, L" プラグイン ビューワー", UiFont.Get());
    Raster = std::make_unique<TRaster>(PanelBox->Handle(), IDC_RASTER);
    Raster->ScrollUnit = 100;
    Raster->ZoomSize = 0.1;
    Raster->SetViewMode(TViewMode::vmExpand);
    Raster->OnLoadProgress = [this](int position, bool&) { SendMessageW(ProgressBar, PBM_SETPOS, position, 0); };
    Raster->OnLoadingChange = [this] { UpdateActions(); };
    Raster->OnMouseWheel = [this](bool forward) { RasterMouseWheel(*Raster, forward, SettingsData->WheelMode); };
    PanelBox->OnResize = [this] {
        RECT r = PanelBox->ContentRect();
        SetWindowPos(Raster->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
    };
    PanelCtrl->OnResize = [this] { LayoutLeftPanel(); };
}

void TMainForm::ShowPage(int index)
{
    ShowWindow(FoldersPage->Handle(), index == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(FavoritesPage->Handle(), index == 1 ? SW_SHOW : SW_HIDE);
}

void TMainForm::LayoutLeftPanel()
{
    RECT r;
    GetClientRect(PanelCtrl->Handle(), &r);
    int boxHeight = IsWindowVisible(PanelBox->Handle()) ? PanelBoxHeight : 0;
    int splitter = boxHeight ? kSplitter1Height : 0;
    int pageHeight = std::max(0, int(r.bottom - boxHeight - splitter));
    SetWindowPos(PageControl, nullptr, 0, 0, r.right, pageHeight, SWP_NOZORDER);
    RECT page{0, 0, r.right, pageHeight};
    SendMessageW(PageControl, TCM_ADJUSTRECT, FALSE, LPARAM(&page));
    for (TPanel* p : {FoldersPage.get(), FavoritesPage.get()})
        SetWindowPos(p->Handle(), HWND_TOP, page.left, page.top, std::max(0, int(page.right - page.left)),
                     std::max(0, int(page.bottom - page.top)), 0);
    SetWindowPos(Splitter1->Handle(), nullptr, 0, pageHeight, r.right, splitter, SWP_NOZORDER);
    SetWindowPos(PanelBox->Handle(), nullptr, 0, pageHeight + splitter, r.right, boxHeight, SWP_NOZORDER);
}

void TMainForm::LayoutForm()
{
    if (!Wnd || !ClientWnd) return;
    RECT r;
    GetClientRect(Wnd, &r);
    SetWindowPos(CoolBarWnd, nullptr, 0, 0, r.right, WindowHeight(CoolBarWnd), SWP_NOZORDER);
    int top = WindowHeight(CoolBarWnd);
    SetWindowPos(PanelSpace, nullptr, 0, top, r.right, kPanelSpaceHeight, SWP_NOZORDER);
    top += kPanelSpaceHeight;

    int bottom = r.bottom;
    if (IsWindowVisible(StatusWnd)) {
        SendMessageW(StatusWnd, WM_SIZE, 0, 0);
        bottom -= WindowHeight(StatusWnd);
        int widths[5];
        RECT sr;
        GetClientRect(StatusWnd, &sr);
        // Panel 1 takes what the fixed panels leave.
        widths[0] = 150;
        widths[1] = widths[0] + std::max(0, int(sr.right - 450));
        widths[2] = widths[1] + 100;
        widths[3] = widths[2] + 100;
        widths[4] = -1;
        SendMessageW(StatusWnd, SB_SETPARTS, 5, LPARAM(widths));
    }
    if (IsWindowVisible(PanelViewer->Handle())) {
        int h = ToolBarSize(ToolBar8).cy + 2;
        bottom -= h;
        SetWindowPos(PanelViewer->Handle(), nullptr, 0, bottom, r.right, h, SWP_NOZORDER);
    }
    int height = std::max(0, bottom - top);
    int panelWidth = std::min<int>(PanelCtrlWidth, std::max(0, int(r.right - kSplitterFrameWidth)));
    SetWindowPos(PanelCtrl->Handle(), nullptr, 0, top, panelWidth, height, SWP_NOZORDER);
    SetWindowPos(SplitterFrame->Handle(), nullptr, panelWidth, top, kSplitterFrameWidth, height, SWP_NOZORDER);
    int left = panelWidth + kSplitterFrameWidth;
    SetWindowPos(ClientWnd, nullptr, left, top, std::max(0, int(r.right - left)), height, SWP_NOZORDER);
}

int TMainForm::BandIndex(int id) const
{
    return int(SendMessageW(CoolBarWnd, RB_IDTOINDEX, WPARAM(id), 0));
}

bool TMainForm::BandVisible(int id) const
{
    int index = BandIndex(id);
    if (index < 0) return false;
    REBARBANDINFOW rb{};
    rb.cbSize = sizeof rb;
    rb.fMask = RBBIM_STYLE;
    SendMessageW(CoolBarWnd, RB_GETBANDINFOW, index, LPARAM(&rb));
    return !(rb.fStyle & RBBS_HIDDEN);
}

void TMainForm::ShowBand(int id, bool visible)
{
    int index = BandIndex(id);
    if (index < 0) return;
    SendMessageW(CoolBarWnd, RB_SHOWBAND, index, visible);
    LayoutForm();
}

void TMainForm::SetStatusBarVisible(bool visible)
{
    ShowWindow(StatusWnd, visible ? SW_SHOW : SW_HIDE);
    LayoutForm();
}

void TMainForm::SetViewerVisible(bool visible)
{
    int show = visible ? SW_SHOW : SW_HIDE;
    ShowWindow(PanelViewer->Handle(), show);
    ShowWindow(Splitter1->Handle(), show);
    ShowWindow(PanelBox->Handle(), show);
    SetPictureLabels(L"", L"", L"");
    ShowWindow(ProgressBar, SW_HIDE);
    Raster->Clear();
    LayoutLeftPanel();
    LayoutForm();
}

void TMainForm::SetPictureLabels(const std::wstring& size, const std::wstring& resolution, const std::wstring& depth)
{
    SetWindowTextW(Labels[0], size.c_str());
    SetWindowTextW(Labels[1], resolution.c_str());
    SetWindowTextW(Labels[2], depth.c_str());
}

std::wstring TMainForm::PictureLabel(int index) const
{
    wchar_t text[128] = {};
    GetWindowTextW(Labels[index], text, 128);
    return text;
}

void TMainForm::ShowLoadProgress(bool visible)
{
    if (visible) {
        SendMessageW(ProgressBar, PBM_SETRANGE32, 0, 100);
        SendMessageW(ProgressBar, PBM_SETSTEP, 1, 0);
        SendMessageW(ProgressBar, PBM_SETPOS, 0, 0);
    }
    ShowWindow(ProgressBar, visible ? SW_SHOW : SW_HIDE);
}
