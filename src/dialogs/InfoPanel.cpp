#include "dialogs/InfoPanel.h"

#include "core/support/ProductInfo.h"
#include "gui/Platform.h"
#include "support/FileInfo.h"
#include "support/SysInfo.h"

namespace {

const COLORREF kSkyBlue = RGB(0xA6, 0xCA, 0xF0);
const COLORREF kNavy = RGB(0, 0, 0x80);
const COLORREF kRed = RGB(0xFF, 0, 0);
const COLORREF kMaroon = RGB(0x80, 0, 0);

// Shown until the version resource says otherwise.
const wchar_t kNoVersion[] = L"Version Number";
const wchar_t kNoOwner[] = L"Known User";

HFONT MakeFont(const wchar_t* face, int pixels, int weight, BYTE charSet)
{
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = weight;
    font.lfCharSet = charSet;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace

TInfoPanel::TInfoPanel(HWND parent, const RECT& bounds, TInfoBevel bevel)
    : Bevel(bevel), Background(CreateSolidBrush(kSkyBlue))
{
    RegisterWindowClass(L"QuirevueInfoPanel", CS_HREDRAW | CS_VREDRAW);
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    CreateHandle(0, L"QuirevueInfoPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds.left, bounds.top, width,
                 height, parent, nullptr);
    if (!Wnd) return;
    NameFont.Reset(MakeFont(L"Arial Black", 19, FW_BLACK, ANSI_CHARSET));
    TextFont.Reset(MakeFont(L"MS UI Gothic", 12, FW_NORMAL, SHIFTJIS_CHARSET));
    BoldFont.Reset(MakeFont(L"MS UI Gothic", 12, FW_BOLD, SHIFTJIS_CHARSET));
    CreateItems(width, height);
    Fill();
}

HWND TInfoPanel::AddItem(TInfoPanelItem id, const wchar_t* text, DWORD style, int x, int y, int width, int height,
                         HFONT font)
{
    HWND item = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, x, y, width, height,
                                Wnd, HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    if (item && font) SendMessageW(item, WM_SETFONT, WPARAM(font), FALSE);
    return item;
}

void TInfoPanel::CreateItems(int width, int height)
{
    const int margin = 12, inner = width - 2 * margin;
    AddItem(InfoImage, L"", SS_ICON | SS_CENTERIMAGE, 16, 14, 32, 32, nullptr);
    AddItem(InfoProductName, L"Quirevue", SS_LEFT, 60, 12, width - 76, 30, NameFont.Get());
    AddItem(InfoVersion, kNoVersion, SS_CENTER, margin, 52, inner, 16, TextFont.Get());
    AddItem(InfoBevel, L"", SS_ETCHEDHORZ, margin, 80, inner, 2, nullptr);
    AddItem(InfoRegLead, L"このプログラムは次の方にライセンスされています。", SS_LEFT, margin, 94, inner, 16,
            TextFont.Get());
    AddItem(InfoOwner, kNoOwner, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, margin, 116, inner, 28, BoldFont.Get());
    AddItem(InfoNotice, kNoticeLine, SS_CENTER, margin, height - margin - 16, inner, 16, TextFont.Get());
}

void TInfoPanel::Fill()
{
    // LR_SHARED: the module keeps the icon; nothing to free.
    auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32,
                                              LR_SHARED));
    if (icon) SendDlgItemMessageW(Wnd, InfoImage, STM_SETICON, WPARAM(icon), 0);

    // The running program's own version, whatever its file is called.
    if (auto version = TVersionResource(RunningExecutablePath()).String(L"FileVersion"))
        SetDlgItemTextW(Wnd, InfoVersion, (L"Version " + *version).c_str());

    std::wstring owner = RegisteredOwner();
    if (!owner.empty()) SetDlgItemTextW(Wnd, InfoOwner, owner.c_str());
}

std::wstring TInfoPanel::ItemText(TInfoPanelItem item) const
{
    wchar_t text[256] = {};
    GetDlgItemTextW(Wnd, item, text, int(std::size(text)));
    return text;
}

LRESULT TInfoPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        auto dc = HDC(wParam);
        RECT r;
        GetClientRect(Wnd, &r);
        FillRect(dc, &r, Background.Get());
        DrawEdge(dc, &r, Bevel == TInfoBevel::Raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
        return 1;
    }
    case WM_CTLCOLORSTATIC: {
        auto dc = HDC(wParam);
        int id = GetDlgCtrlID(HWND(lParam));
        COLORREF text = id == InfoProductName ? kNavy
                      : id == InfoVersion     ? kRed
                      : id == InfoNotice      ? kMaroon
                                              : GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc, text);
        SetBkColor(dc, kSkyBlue);
        return LRESULT(Background.Get());
    }
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
