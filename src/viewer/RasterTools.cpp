#include "viewer/RasterTools.h"

#include "viewer/Raster.h"

#include <memory>

HCURSOR RasterCursor(int number)
{
    if (number == crHandPoint) return LoadCursorW(nullptr, IDC_HAND);
    static const wchar_t* const names[] = {L"CRPOINTXY", L"CRCENTERING", L"CRPOSTIT", L"CRZOOMIN", L"CRZOOMOUT",
                                           L"CRZOOMRECT", L"CROPENHAND", L"CRCLOSEHAND", L"CRMOVING", L"CRMEASURE"};
    if (number >= crPointXY && number <= crMeasure) {
        static HCURSOR loaded[10] = {};
        HCURSOR& c = loaded[number - crPointXY];
        if (!c) c = LoadCursorW(GetModuleHandleW(nullptr), names[number - crPointXY]);
        if (c) return c;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

namespace {

// The rubber band: a dotted black pen that merges with the inverted
// screen, so drawing the same figure twice restores what was there.
class TRubberBand {
public:
    explicit TRubberBand(TRaster& r) : Wnd(r.Handle()), Dc(GetDC(Wnd))
    {
        Pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
        OldPen = SelectObject(Dc, Pen);
        OldBrush = SelectObject(Dc, GetStockObject(NULL_BRUSH));
        OldRop = SetROP2(Dc, R2_MERGEPENNOT);
    }
    ~TRubberBand()
    {
        SetROP2(Dc, OldRop);
        SelectObject(Dc, OldBrush);
        SelectObject(Dc, OldPen);
        DeleteObject(Pen);
        ReleaseDC(Wnd, Dc);
    }
    void Rect(int l, int t, int r, int b) { Rectangle(Dc, l, t, r, b); }
    void Line(int x1, int y1, int x2, int y2)
    {
        MoveToEx(Dc, x1, y1, nullptr);
        LineTo(Dc, x2, y2);
    }

private:
    HWND Wnd;
    HDC Dc;
    HPEN Pen;
    HGDIOBJ OldPen, OldBrush;
    int OldRop;
};

void ShowCursorNow(int number) { SetCursor(RasterCursor(number)); }

}  // namespace

// ---- base ----

bool TRasterTool::IsA(TRasterToolKind kind) const
{
    return Kind == kind;
}

void TRasterTool::ReadPointer(TRaster& r)
{
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(r.Handle(), &p);
    InImage = r.InsideDisplay(p.x, p.y);
    if (InImage) X = p.x, Y = p.y;
}

void TRasterTool::Click(TRaster& r) { ReadPointer(r); }
void TRasterTool::DblClick(TRaster& r) { ReadPointer(r); }

void TRasterTool::MouseDown(TRaster& r, int, UINT shift, int x, int y)
{
    InImage = r.InsideDisplay(x, y);
    Pressed = true;
    Shift = shift;
    SavedCursor = crDefault;
    if (InImage) StartX = x, StartY = y;
}

void TRasterTool::MouseMove(TRaster& r, UINT shift, int x, int y)
{
    InImage = r.InsideDisplay(x, y);
    Shift = shift;
    ShowCursorNow(InImage ? Cursor : crDefault);
}

void TRasterTool::MouseUp(TRaster& r, int, UINT shift, int x, int y)
{
    InImage = r.InsideDisplay(x, y);
    Pressed = false;
    Shift = shift;
}

// ---- point tools ----

void TRasterPointTool::Click(TRaster& r)
{
    TRasterTool::Click(r);
    if (InImage && r.OnActiveToolClick) r.OnActiveToolClick(X, Y);
}

void TRasterClickTool::Click(TRaster& r)
{
    TRasterPointTool::Click(r);
    if (!InImage) return;
    if (Kind == TRasterToolKind::Centering) r.CenterAt(X, Y);
    else r.ZoomAt({X, Y}, Kind == TRasterToolKind::ZoomIn ? 0 : 1);
}

// ---- rectangle ----

void TRasterRectTool::MouseDown(TRaster& r, int button, UINT shift, int x, int y)
{
    TRasterTool::MouseDown(r, button, shift, x, y);
    if (InImage) EndX = x, EndY = y;
    else Pressed = false;
}

void TRasterRectTool::MouseMove(TRaster& r, UINT shift, int x, int y)
{
    TRasterTool::MouseMove(r, shift, x, y);
    if (!InImage || !Pressed) return;
    TRubberBand band(r);
    band.Rect(StartX, StartY, EndX, EndY);
    band.Rect(StartX, StartY, x, y);
    EndX = x, EndY = y;
}

void TRasterRectTool::MouseUp(TRaster& r, int button, UINT shift, int x, int y)
{
    Cancelled = true;
    const bool inside = r.InsideDisplay(x, y);
    if (inside && Pressed) {
        Cancelled = false;
        {
            TRubberBand band(r);
            band.Rect(StartX, StartY, EndX, EndY);  // erase the last band
        }
        EndX = x, EndY = y;
        if (StartX > EndX) std::swap(StartX, EndX);
        if (StartY > EndY) std::swap(StartY, EndY);
        if (InImage && r.OnActiveToolRectangle) r.OnActiveToolRectangle(StartX, StartY, EndX, EndY);
    } else if (Pressed) {
        TRubberBand band(r);
        band.Rect(StartX, StartY, EndX, EndY);
    }
    TRasterTool::MouseUp(r, button, shift, x, y);
    if (!Cancelled && EndX != StartX && EndY != StartY) r.ZoomToRect({StartX, StartY, EndX, EndY});
}

// ---- scroll ----

void TRasterScrollTool::MouseDown(TRaster& r, int button, UINT shift, int x, int y)
{
    Cursor = crCloseHand;
    ShowCursorNow(Cursor);
    TRasterTool::MouseDown(r, button, shift, x, y);
    if (InImage) LastX = x, LastY = y;
    else Pressed = false;
}

void TRasterScrollTool::MouseMove(TRaster& r, UINT shift, int x, int y)
{
    TRasterTool::MouseMove(r, shift, x, y);
    if (!InImage) return;
    int dx = x - LastX, dy = y - LastY;
    LastX = x, LastY = y;
    if (Pressed) r.ScrollBy(-dx, -dy);  // the picture follows the pointer
}

void TRasterScrollTool::MouseUp(TRaster& r, int button, UINT shift, int x, int y)
{
    Cursor = crOpenHand;
    TRasterTool::MouseUp(r, button, shift, x, y);
}

// ---- measure ----

void TRasterMeasureTool::Click(TRaster& r)
{
    TRasterTool::Click(r);
    if (!InImage) return;
    if (Finished) {
        Points.clear();
        Finished = false;
        Length = Area = 0;
    }
    Points.push_back({double(X), double(Y)});
    StartX = LastX = X;
    StartY = LastY = Y;
}

void TRasterMeasureTool::MouseMove(TRaster& r, UINT shift, int x, int y)
{
    TRasterTool::MouseMove(r, shift, x, y);
    if (!InImage || Finished) return;
    TRubberBand band(r);
    band.Line(StartX, StartY, LastX, LastY);
    band.Line(StartX, StartY, x, y);
    LastX = x, LastY = y;
}

void TRasterMeasureTool::DblClick(TRaster& r)
{
    TRasterTool::DblClick(r);
    if (!InImage) return;
    Area = PolygonArea(Points.data(), int(Points.size()));
    Length = PolylineLength(Points.data(), int(Points.size()));
    Points.clear();
    Finished = true;
    RedrawWindow(r.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (r.OnActiveToolMeasure) r.OnActiveToolMeasure(Area, Length);
}

// ---- objects ----

void TRasterObjectCreateTool::Click(TRaster& r)
{
    TRasterTool::Click(r);
    TRasterLayer* layer = r.ActiveLayer;
    if (!InImage || !layer) return;
    for (int i = 0; i < layer->Count(); ++i) layer->Items(i).SetSelected(false);
    TImagePoint p = r.ClientToImage(X, Y);
    auto object = std::make_unique<TRasterObject>(*layer);
    TRasterObject& created = *object;
    created.SetName("xxx");
    created.Data.SetX(p.X);
    created.Data.SetY(p.Y);
    created.Data.SetImageIndex(0);
    layer->AddObject(std::move(object));
    layer->SetCurrent(&created);
    created.SetSelected(true);
    r.Modified = true;
    InvalidateRect(r.Handle(), nullptr, FALSE);
}

TRasterObject* TRasterObjectSelectTool::SelectAt(TRaster& r)
{
    TRasterLayer* layer = r.ActiveLayer;
    if (!layer || !InImage) return nullptr;
    layer->SetCurrent(nullptr);
    // The first hit in layer order wins; every other object ends deselected.
    for (int i = 0; i < layer->Count(); ++i) {
        TRasterObject& o = layer->Items(i);
        o.SetSelected(false);
        if (!layer->Current() && o.Hit(X, Y)) {
            layer->SetCurrent(&o);
            o.SetSelected(true);
        }
    }
    InvalidateRect(r.Handle(), nullptr, FALSE);
    return layer->Current();
}

void TRasterObjectSelectTool::Click(TRaster& r)
{
    TRasterPointTool::Click(r);
    if (TRasterObject* o = SelectAt(r))
        if (r.OnActiveToolSelect) r.OnActiveToolSelect(X, Y, o);
}

void TRasterObjectSelectTool::DblClick(TRaster& r)
{
    TRasterTool::DblClick(r);
    if (r.OnActiveToolClick) r.OnActiveToolClick(X, Y);
    SelectAt(r);
}

void TRasterObjectMoveTool::MouseDown(TRaster& r, int button, UINT shift, int x, int y)
{
    Cursor = crMoving;
    ShowCursorNow(Cursor);
    TRasterTool::MouseDown(r, button, shift, x, y);
    Pressed = false;
    Target = nullptr;
    TRasterLayer* layer = r.ActiveLayer;
    if (!InImage || !layer) return;
    for (int i = 0; i < layer->Count(); ++i)
        if (layer->Items(i).Hit(x, y)) {
            Target = &layer->Items(i);
            Pressed = true;
            LastX = x, LastY = y;
            return;
        }
}

void TRasterObjectMoveTool::MouseMove(TRaster& r, UINT shift, int x, int y)
{
    TRasterTool::MouseMove(r, shift, x, y);
    if (!InImage || !Pressed || !r.StateImage) return;
    const TViewState& v = r.View();
    if (v.ScaleX <= 0 || v.ScaleY <= 0) return;
    int w = 0, h = 0;
    ImageList_GetIconSize(r.StateImage, &w, &h);
    int w2 = RoundEven(w / 2.0 / v.ScaleX), h2 = RoundEven(h / 2.0 / v.ScaleY);
    TRubberBand band(r);
    band.Rect(LastX - w2, LastY - h2, LastX + w2, LastY + h2);
    band.Rect(x - w2, y - h2, x + w2, y + h2);
    LastX = x, LastY = y;
}

void TRasterObjectMoveTool::MouseUp(TRaster& r, int button, UINT shift, int x, int y)
{
    if (Pressed && Target && r.InsideDisplay(x, y)) {
        TImagePoint p = r.ClientToImage(x, y);
        Target->Data.SetX(p.X);
        Target->Data.SetY(p.Y);
        // A moved object is a change to keep like any other.
        r.Modified = true;
        InvalidateRect(r.Handle(), nullptr, FALSE);
    }
    Target = nullptr;
    TRasterTool::MouseUp(r, button, shift, x, y);
}
