// The address combo box's window: the control, its drawing, and its place
// as an OLE drop target (drops go into the location shown).
#include "browser/ShellComboBox.h"

#include "browser/ComboDropSite.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

const wchar_t kClassName[] = L"QuirevueShellComboBox";
// Posted to itself after a change of the desktop font: the control is made
// anew with the new row height.
constexpr UINT kRecreateMessage = WM_USER + 1;
constexpr int kIndentPerLevel = 12;
constexpr int kTextGap = 4;
constexpr int kMinRowHeight = 18;

TFontHandle DesktopFont()
{
    LOGFONTW font{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return {};
    return TFontHandle(CreateFontIndirectW(&font));
}

int FontHeight(HFONT font)
{
    LOGFONTW info{};
    if (!font || !GetObjectW(font, sizeof info, &info)) return 0;
    return std::abs(int(info.lfHeight));
}

}  // namespace

TSHComboBox::TSHComboBox(HWND parent) : OwnFont(DesktopFont())
{
    Font = OwnFont ? OwnFont.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    RegisterWindowClass(kClassName, 0);
    CreateHandle(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                 nullptr);
    if (Wnd) CreateCombo();
}

TSHComboBox::~TSHComboBox()
{
    if (Tree) Tree->ComboDestroyed(this);
    Tree = nullptr;
    DestroyCombo();
    if (Wnd) DestroyWindow(Wnd);
}

int TSHComboBox::RowHeight() const { return std::max(FontHeight(Font), kMinRowHeight); }

int TSHComboBox::ClosedHeight() const
{
    RECT box{};
    if (!Combo || !GetWindowRect(Combo, &box)) return RowHeight() + 6;
    return box.bottom - box.top;
}

void TSHComboBox::CreateCombo()
{
    RECT client{};
    GetClientRect(Wnd, &client);
    int height = RowHeight();
    // The window's height sets how far the list drops down.
    Combo = CreateWindowExW(0, WC_COMBOBOXW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                            0, 0, client.right, height * (DropDownCount + 1) + 8, Wnd, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!Combo) return;
    SendMessageW(Combo, WM_SETFONT, WPARAM(Font), FALSE);
    SendMessageW(Combo, CB_SETITEMHEIGHT, WPARAM(-1), height);
    SendMessageW(Combo, CB_SETITEMHEIGHT, 0, height);
    SendMessageW(Combo, CB_SETMINVISIBLE, WPARAM(DropDownCount), 0);
    Rebuild();
    if (SavedIDList) {
        SelectIDList(SavedIDList.get());
        SavedIDList.reset();
    }
    DropSite = std::make_unique<TComboDropSite>(*this);
}

void TSHComboBox::DestroyCombo()
{
    if (!Combo) return;
    if (PCIDList current = GetCurrentIDList()) SavedIDList.reset(CopyIDList(current));
    DropSite.reset();
    HWND old = Combo;
    Combo = nullptr;
    DestroyWindow(old);
    Rows.Clear();
}

void TSHComboBox::RecreateCombo()
{
    if (!Combo) return;
    bool focused = GetFocus() == Combo;
    DestroyCombo();
    CreateCombo();
    if (focused && Combo) SetFocus(Combo);
}

void TSHComboBox::SetBoxFont(HFONT font)
{
    if (!font) return;
    OwnFont.Reset();
    Font = font;
    RecreateCombo();
}

void TSHComboBox::BeginUpdate() { Redraw.Begin(Combo); }

void TSHComboBox::EndUpdate() { Redraw.End(Combo); }

int TSHComboBox::CurrentIndex() const { return Combo ? int(SendMessageW(Combo, CB_GETCURSEL, 0, 0)) : -1; }

void TSHComboBox::SetCurrent(int index)
{
    if (Combo) SendMessageW(Combo, CB_SETCURSEL, WPARAM(index), 0);
}

void TSHComboBox::PlaceholderInserted(int index)
{
    if (Combo) SendMessageW(Combo, CB_INSERTSTRING, WPARAM(index), 0);
}

void TSHComboBox::PlaceholderDeleted(int index)
{
    if (Combo) SendMessageW(Combo, CB_DELETESTRING, WPARAM(index), 0);
}

LRESULT TSHComboBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = UINT(RowHeight());
        return TRUE;
    case WM_DRAWITEM:
        DrawRow(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (Combo && HWND(lParam) == Combo && HIWORD(wParam) == CBN_SELCHANGE) RowChosen();
        return 0;
    case WM_SIZE:
        if (Combo) MoveWindow(Combo, 0, 0, LOWORD(lParam), RowHeight() * (DropDownCount + 1) + 8, TRUE);
        return 0;
    case WM_SETFOCUS:
        if (Combo) SetFocus(Combo);
        return 0;
    case WM_SETTINGCHANGE:
        // Only a box on the desktop font follows it.
        if (OwnFont && (wParam == SPI_SETICONTITLELOGFONT || wParam == SPI_SETNONCLIENTMETRICS))
            PostMessageW(Wnd, kRecreateMessage, 0, 0);
        break;
    case kRecreateMessage:
        if (OwnFont) {
            TFontHandle font = DesktopFont();
            if (font && FontHeight(font.Get()) != FontHeight(OwnFont.Get())) {
                OwnFont = std::move(font);
                Font = OwnFont.Get();
                RecreateCombo();
            }
        }
        return 0;
    case WM_DESTROY:
        DestroyCombo();
        break;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

void TSHComboBox::DrawRow(const DRAWITEMSTRUCT& draw)
{
    if (!Ready) return;
    HDC dc = draw.hDC;
    RECT area = draw.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    TSHComboItem* row = Rows.Rows(int(draw.itemID));
    if (!row || !row->IsValid()) return;

    bool edit = draw.itemState & ODS_COMBOBOXEDIT;
    bool selected = draw.itemState & ODS_SELECTED;
    std::wstring text = row->GetDisplayName();
    if (edit && row->GetIndex() != 0) {
        std::wstring path = row->GetPath();
        if (!path.empty()) text = path;
    }
    HIMAGELIST images = GetSysImageList(false);
    int imageWidth = 16, imageHeight = 16;
    if (images) ImageList_GetIconSize(images, &imageWidth, &imageHeight);
    int imageLeft = edit ? area.left : area.left + kIndentPerLevel * row->GetLevel();
    int textLeft = imageLeft + imageWidth + kTextGap;
    int height = area.bottom - area.top;

    HGDIOBJ oldFont = SelectObject(dc, Font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    RECT back{textLeft - 1, area.top, textLeft + extent.cx + 1, area.bottom};
    FillRect(dc, &back, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TextOutW(dc, textLeft, area.top + (height - extent.cy) / 2, text.c_str(), int(text.size()));

    if (images) {
        int index = selected ? row->GetSelectedIconIndex() : row->GetIconIndex();
        UINT style = ILD_TRANSPARENT | (selected ? ILD_FOCUS : ILD_NORMAL);
        if (row->HasAttributes(SFGAO_SHARE)) {
            int overlay = row->GetOverlayIndex();
            if (overlay >= 0) style |= INDEXTOOVERLAYMASK(overlay + 1);
        }
        ImageList_Draw(images, index, dc, imageLeft, area.top + (height - imageHeight) / 2, style);
    }
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &back);
    SelectObject(dc, oldFont);
}

bool TSHComboBox::DropTargetRegistered() const { return DropSite && DropSite->Registered(); }
