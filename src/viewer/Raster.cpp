#include "viewer/Raster.h"

#include "gui/Handles.h"
#include "core/viewer/DibLayout.h"
#include "gui/GdiLines.h"
#include "gui/LocalMemory.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"
#include "gui/WaitCursor.h"
#include "viewer/DrawDib.h"
#include "viewer/RasterTools.h"

#include <windowsx.h>

#include <cwchar>

namespace {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::wstring p(path, n);
    size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash);
}

std::wstring WithExtension(const std::wstring& file, const wchar_t* ext)
{
    size_t slash = file.find_last_of(L"\\/");
    size_t dot = file.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return file + ext;
    return file.substr(0, dot) + ext;
}

}  // namespace

TRaster::TRaster(HWND parent, int id)
{
    RegisterWindowClass(ClassName(), CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(0, ClassName(), L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 100, 100,
                 parent, reinterpret_cast<HMENU>(INT_PTR(id)));
    ShowScrollBar(Wnd, SB_BOTH, FALSE);
    Plugs.OnFault = [this](const std::wstring& name, const char* entry, DWORD code) {
        wchar_t text[512];
        swprintf(text, std::size(text),
                 L"プラグイン「%ls」の %hs で例外 (0x%08lX) が発生しました。このプラグインは以後使用しません。",
                 name.c_str(), entry, static_cast<unsigned long>(code));
        Message(text, MB_OK | MB_ICONEXCLAMATION);
    };
    Plugs.SetFolder(ProgramFolder());
    Tools.push_back(std::make_unique<TRasterRectTool>());
    Tools.push_back(std::make_unique<TRasterClickTool>(TRasterToolKind::ZoomIn, crZoomIn));
    Tools.push_back(std::make_unique<TRasterClickTool>(TRasterToolKind::ZoomOut, crZoomOut));
    Tools.push_back(std::make_unique<TRasterScrollTool>());
    Tools.push_back(std::make_unique<TRasterClickTool>(TRasterToolKind::Centering, crCentering));
    Tools.push_back(std::make_unique<TRasterObjectCreateTool>());
    Tools.push_back(std::make_unique<TRasterObjectSelectTool>());
    Tools.push_back(std::make_unique<TRasterObjectMoveTool>());
    Tools.push_back(std::make_unique<TRasterMeasureTool>());
    Active = FindTool(TRasterToolKind::ObjectSelect);
}

TRaster::~TRaster()
{
    Destroying = true;
    Clear();
}

int TRaster::Message(const std::wstring& text, UINT flags)
{
    if (ShowMessage) return ShowMessage(text, flags);
    HWND owner = Wnd ? GetAncestor(Wnd, GA_ROOT) : nullptr;
    return ShowMessageBox(owner, text, flags);
}

void TRaster::RunWhenIdle(std::function<void()> action)
{
    if (!IsLoading) {
        action();
        return;
    }
    CancelFlag = true;
    Deferred.push_back(std::move(action));
}

void TRaster::RunDeferred()
{
    std::vector<std::function<void()>> actions;
    actions.swap(Deferred);
    for (auto& a : actions) a();
}

void TRaster::SetPluginFolder(const std::wstring& folder)
{
    // The decoding plug-in belongs to the list a new folder would rebuild.
    RunWhenIdle([this, folder] { Plugs.SetFolder(folder); });
}

TRasterTool* TRaster::FindTool(TRasterToolKind kind)
{
    for (auto& t : Tools)
        if (t->IsA(kind)) return t.get();
    return nullptr;
}

void TRaster::SetActiveTool(TRasterTool* tool)
{
    if (!tool) return;
    for (auto& t : Tools)
        if (t.get() == tool) {
            Active = tool;
            return;
        }
    Tools.emplace_back(tool);
    Active = tool;
    if (OnActiveToolChange) OnActiveToolChange();
}

TRasterSnapshot TRaster::Snapshot() const
{
    TRasterSnapshot s;
    s.HasView = Wnd && IsWindowVisible(Wnd);
    s.HasImage = HasImage();
    s.WholeImage = !HasImage() || ::IsWholeImage(State);
    s.Loading = IsLoading;
    s.ActiveTool = Active ? Active->Kind : TRasterToolKind::None;
    s.PaintMode = PaintModeValue;
    return s;
}

// ---- loading ----

bool TRaster::LoadFromFile(const std::wstring& fileName)
{
    // Messages are pumped while a plug-in decodes: a second load asked for
    // then is refused rather than run inside the first.
    if (IsLoading) return false;
    TWaitCursor wait;
    Clear();
    File = fileName;
    Claimed = true;  // a file that cannot be read has been reported
    std::vector<uint8_t> data;
    size_t size = 0;
    if (!ReadPictureFile(fileName, data, size)) {
        Message(L"ファイルを読み込めません。\n" + fileName, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    Plugs.Rescan();
    bool shown = false;
    Claimed = false;
    for (int i = 0; i < Plugs.Count(); ++i) {
        TSusiePlug& plug = Plugs.Items(i);
        if (!plug.Load()) continue;
        if (!plug.IsSupported(data.data())) {
            plug.Unload();
            continue;
        }
        // This plug-in decides the outcome, whatever follows.
        Claimed = true;
        shown = Decode(plug, data, size);
        plug.Unload();
        break;
    }
    RunDeferred();
    return shown;
}

bool TRaster::Decode(TSusiePlug& plug, const std::vector<uint8_t>& data, size_t size)
{
    IsLoading = true;
    CancelFlag = false;
    PaintModeValue = TPaintMode::pmColorOn;
    if (OnLoadingChange) OnLoadingChange();
    HLOCAL info = nullptr, bits = nullptr;
    int result = kSusieInternalError;
    TPlugCall call = plug.GetPicture(data.data(), size, info, bits, &TRaster::ProgressCallback,
                                     reinterpret_cast<LONG_PTR>(this), result);
    IsLoading = false;
    if (OnLoadingChange) OnLoadingChange();
    if (call != TPlugCall::Ok) return false;  // the fault has been reported
    if (result != kSusieOk || !Wnd) {
        if (info) LocalFree(info);
        if (bits) LocalFree(bits);
        if (!Wnd) return false;  // the window went while the plug-in ran
        if (auto text = SusieResultMessage(result)) Message(*text, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return TakePicture(plug, info, bits, data, size);
}

int WINAPI TRaster::ProgressCallback(int done, int total, LONG_PTR user)
{
    auto* self = reinterpret_cast<TRaster*>(user);
    if (!self) return 0;
    int position = total > 0 ? int(std::clamp<int64_t>(int64_t(done) * 100 / total, 0, 100)) : 0;
    bool cancel = false;
    if (self->OnLoadProgress) self->OnLoadProgress(position, cancel);
    self->PumpWhileDecoding();
    return cancel || self->CancelFlag ? 1 : 0;
}

// The windows stay painted and the mouse reaches the cancel button while a
// plug-in decodes, but of the keyboard only Esc counts, and it cancels: a
// shortcut (Delete, F5, Ctrl+V, Alt+Left) run here would act on the program
// from inside the plug-in's call.
void TRaster::PumpWhileDecoding()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) RequestCancel();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The plug-in's bitmap is untrusted: it is checked against the sizes of its
// two blocks before anything reads it.
bool TRaster::TakePicture(TSusiePlug& plug, HLOCAL info, HLOCAL bits, const std::vector<uint8_t>& data, size_t size)
{
    InfoHandle = info;
    BitsHandle = bits;
    InfoPtr = info ? static_cast<uint8_t*>(LocalLock(info)) : nullptr;
    BitsPtr = bits ? static_cast<uint8_t*>(LocalLock(bits)) : nullptr;
    TDibFacts facts;
    std::string why = "no bitmap";
    if (!InfoPtr || !BitsPtr || !CheckDib(InfoPtr, LocalSize(info), LocalSize(bits), facts, why)) {
        FreePicture();
        Message(L"プラグイン「" + plug.FileName() + L"」が不正な画像データを返しました（" + AnsiToWide(why) + L"）。",
                MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (facts.TopDown) {
        // Turned bottom-up in place: the memory is ours now, and every
        // drawing path then sees one form.
        FlipDibRows(BitsPtr, facts.Stride, facts.Height);
        WriteLe32(InfoPtr + 8, uint32_t(facts.Height));
    }
    DrawDibFormat = facts.Compression == kBiRgb && (facts.BitCount == 8 || facts.BitCount >= 16);

    TPictureInfo picture;
    picture.Width = facts.Width;
    picture.Height = facts.Height;
    picture.ColorDepth = int16_t(facts.BitCount);
    plug.GetPictureInfo(data.data(), size, picture);
    PluginName = AnsiToWide(plug.PluginName());
    FileTypeName = AnsiToWide(plug.FileTypeName());
    PictureWidth = picture.Width;
    PictureHeight = picture.Height;
    XDensity = picture.XDensity;
    YDensity = picture.YDensity;
    ColorDepth = picture.ColorDepth;

    State = NewViewState(facts.Width, facts.Height, ScrollUnit);
    State.R = State.MaxX;
    State.B = State.MaxY;
    DrawDib = std::make_unique<TDrawDib>();
    if (TWindowDC dc(Wnd); dc) DrawDib->Realize(dc.Get());
    ShowScrollBar(Wnd, SB_BOTH, TRUE);
    LoadObjects(WithExtension(File, L".grx"));
    Layout();
    return true;
}

void TRaster::FreePicture()
{
    FreeLocalBlock(InfoHandle, InfoPtr);
    FreeLocalBlock(BitsHandle, BitsPtr);
}

void TRaster::Clear()
{
    if (!HasImage()) return;
    FreePicture();
    State = TViewState{};
    Active = FindTool(TRasterToolKind::ObjectSelect);
    DrawDib.reset();
    if (!Destroying && Wnd) ShowScrollBar(Wnd, SB_BOTH, FALSE);
    if (Modified) SaveObjects(WithExtension(File, L".grx"));
    Layers.Clear();
    ActiveLayer = nullptr;
    if (Wnd) InvalidateRect(Wnd, nullptr, TRUE);
}

// ---- view ----

void TRaster::SetViewMode(TViewMode mode)
{
    if (mode == Mode) return;
    Mode = mode;
    if (!HasImage()) return;
    RECT c;
    GetClientRect(Wnd, &c);
    ExpandView(State, Mode, c.right, c.bottom);
    Layout();
}

void TRaster::SetPaintMode(TPaintMode mode)
{
    if (mode == PaintModeValue) return;
    PaintModeValue = mode;
    InvalidateRect(Wnd, nullptr, FALSE);
}

void TRaster::Layout()
{
    RECT c;
    GetClientRect(Wnd, &c);
    PrepareLayout(State, Mode, c.right, c.bottom);
    InScrollBarUpdate = true;
    SetScrollBars();
    InScrollBarUpdate = false;
    GetClientRect(Wnd, &c);
    FinishLayout(State, Mode, c.right, c.bottom);
    InvalidateRect(Wnd, nullptr, FALSE);
}

void TRaster::SetScrollBars()
{
    auto set = [this](int bar, const TScrollBarSetting& s) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, s.Min, s.Max, UINT(std::max(s.Page, 0)), s.Pos, 0};
        SetScrollInfo(Wnd, bar, &si, TRUE);
    };
    set(SB_VERT, VerticalScrollBar(State));
    set(SB_HORZ, HorizontalScrollBar(State));
    // An empty range hides a bar on Windows but not everywhere: say it.
    ShowScrollBar(Wnd, SB_BOTH, !::IsWholeImage(State));
}

void TRaster::OnScroll(bool vertical, WPARAM wParam)
{
    if (!HasImage()) return;
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(Wnd, vertical ? SB_VERT : SB_HORZ, &si);
    TScrollCode code = TScrollCode::Other;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: code = TScrollCode::LineUp; break;
    case SB_LINEDOWN: code = TScrollCode::LineDown; break;
    case SB_PAGEUP: code = TScrollCode::PageUp; break;
    case SB_PAGEDOWN: code = TScrollCode::PageDown; break;
    case SB_THUMBPOSITION: code = TScrollCode::ThumbPosition; break;
    default: return;  // the picture moves only when the thumb is released
    }
    int pos = ApplyScroll(State, vertical, code, si.nTrackPos);
    if (pos < 0) return;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(Wnd, vertical ? SB_VERT : SB_HORZ, &si, TRUE);
    InvalidateRect(Wnd, nullptr, FALSE);
}

void TRaster::ViewAll()
{
    if (!HasImage()) return;
    ViewWholeImage(State);
    Layout();
}

void TRaster::ZoomAt(POINT p, int mode)
{
    if (!HasImage()) return;
    ZoomViewAt(State, p.x, p.y, mode, ZoomSize);
    RECT c;
    GetClientRect(Wnd, &c);
    ExpandView(State, Mode, c.right, c.bottom);
    Layout();
}

void TRaster::ZoomToRect(const RECT& r)
{
    if (!HasImage()) return;
    ZoomViewToRect(State, r.left, r.top, r.right, r.bottom);
    RECT c;
    GetClientRect(Wnd, &c);
    ExpandView(State, Mode, c.right, c.bottom);
    Layout();
}

void TRaster::CenterAt(int x, int y)
{
    if (!HasImage()) return;
    CenterViewAt(State, x, y);
    Layout();
}

void TRaster::ScrollBy(int dx, int dy)
{
    if (!HasImage()) return;
    ScrollViewBy(State, dx, dy);
    Layout();
}

// ---- painting ----

void TRaster::PaintPicture(HDC dc)
{
    const int l = RoundEven(State.L), t = RoundEven(State.T), r = RoundEven(State.R), b = RoundEven(State.B);
    const int dw = State.DR - State.DL, dh = State.DB - State.DT;
    int oldStretch = GetStretchBltMode(dc);
    int oldMap = SetMapMode(dc, MM_TEXT);
    POINT oldOrigin;
    GetBrushOrgEx(dc, &oldOrigin);
    auto* bi = reinterpret_cast<BITMAPINFO*>(InfoPtr);
    bool drawn = false;
    if (PaintModeValue == TPaintMode::pmColorOn && DrawDibFormat && DrawDib)
        drawn = DrawDib->Draw(dc, State.DL, State.DT, dw, dh, &bi->bmiHeader, BitsPtr, l, t, r - l + 1, b - t + 1);
    if (!drawn) {
        SetStretchBltMode(dc, PaintModeValue == TPaintMode::pmHalfTone ? HALFTONE : COLORONCOLOR);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, State.DL, State.DT, dw, dh, l, State.MaxY - b, r - l + 1, b - t + 1, BitsPtr, bi,
                      DIB_RGB_COLORS, SRCCOPY);
    }
    for (int i = 0; i < Layers.Count(); ++i) {
        TRasterLayer& layer = Layers.Items(i);
        if (layer.State() == kLayerHidden) continue;
        for (int k = 0; k < layer.Count(); ++k) layer.Items(k).Draw(dc);
    }
    SetStretchBltMode(dc, oldStretch);
    SetMapMode(dc, oldMap);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void TRaster::PaintMargins(HDC dc, const RECT& c)
{
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const RECT margins[4] = {{0, 0, c.right, State.DT - 1},
                             {0, State.DB + 1, c.right, c.bottom},
                             {0, 0, State.DL - 1, c.bottom},
                             {State.DR + 1, State.DT, c.right, c.bottom}};
    for (const RECT& m : margins)
        if (m.right > m.left && m.bottom > m.top) FillRect(dc, &m, face);
    // A one-pixel sunken frame round the picture.
    const int l = State.DL - 1, t = State.DT - 1, r = State.DR + 1, b = State.DB + 1;
    int oldRop = SetROP2(dc, R2_COPYPEN);
    DrawSystemColourLine(dc, COLOR_BTNSHADOW, {{l, b}, {l, t}, {r, t}});
    DrawSystemColourLine(dc, COLOR_BTNHIGHLIGHT, {{r, t}, {r, b}, {l, b}});
    SetROP2(dc, oldRop);
}

void TRaster::Paint(HDC dc)
{
    RECT c;
    GetClientRect(Wnd, &c);
    if (!HasImage()) {
        FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    if (HasDisplay(State)) PaintPicture(dc);
    PaintMargins(dc, c);
}

// ---- messages ----

LRESULT TRaster::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto tool = [this]() -> TRasterTool* { return Active; };
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_MOUSEWHEEL:
        if (OnMouseWheel) {
            OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam) > 0);
            return 0;
        }
        break;
    case WM_PAINT:
        Paint(TPaintDC(Wnd).Get());
        return 0;
    case WM_ERASEBKGND:
        if (HasImage()) return 1;  // the paint fills the margins itself
        break;
    case WM_SIZE:
        if (!InScrollBarUpdate && HasImage()) {
            RECT c;
            GetClientRect(Wnd, &c);
            if (!::IsWholeImage(State)) ExpandView(State, Mode, c.right, c.bottom);
            Layout();
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(msg == WM_VSCROLL, wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetCapture(Wnd);
        if (auto* t = tool()) t->MouseDown(*this, msg == WM_LBUTTONDOWN ? 0 : 1, UINT(wParam), x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (GetFocus() != Wnd) SetFocus(Wnd);
        if (auto* t = tool()) t->MouseMove(*this, UINT(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (GetCapture() == Wnd) ReleaseCapture();
        if (auto* t = tool()) {
            t->MouseUp(*this, msg == WM_LBUTTONUP ? 0 : 1, UINT(wParam), x, y);
            if (msg == WM_LBUTTONUP && !ReleaseEndsDoubleClick) t->Click(*this);
        }
        if (msg == WM_LBUTTONUP) ReleaseEndsDoubleClick = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        // The second press of a double-click: the system sends it in place
        // of a button-down, so it is a press for the tools (the release that
        // follows pairs with it), but its release is no further click: the
        // first press's release was the click.
        SetCapture(Wnd);
        ReleaseEndsDoubleClick = true;
        if (auto* t = tool()) {
            t->DblClick(*this);
            t->MouseDown(*this, 0, UINT(wParam), x, y);
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && HasImage()) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(Wnd, &p);
            TRasterTool* t = tool();
            SetCursor(RasterCursor(t && InsideDisplay(p.x, p.y) ? t->Cursor : crDefault));
            return TRUE;
        }
        break;
    case WM_DESTROY:
        Destroying = true;
        CancelFlag = true;
        break;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

void RasterMouseWheel(TRaster& raster, bool forward, int wheelMode)
{
    if (!raster.HasImage() || (wheelMode != 0 && wheelMode != 1)) return;
    RECT c;
    GetClientRect(raster.Handle(), &c);
    POINT centre{c.right / 2, c.bottom / 2};
    bool zoomOut = wheelMode == 0 ? forward : !forward;
    raster.ZoomAt(centre, zoomOut ? 1 : 0);
}
