#include "core/viewer/ViewGeometry.h"

#include <algorithm>
#include <cmath>

int32_t RoundEven(double v)
{
    // nearbyint rounds halves to even in the default rounding mode.
    double r = std::nearbyint(v);
    if (r > 2147483647.0) return INT32_MAX;
    if (r < -2147483648.0) return INT32_MIN;
    return int32_t(r);
}

TViewState NewViewState(int32_t width, int32_t height, int scrollUnit)
{
    TViewState s;
    s.MaxX = std::max(width - 1, 0);
    s.MaxY = std::max(height - 1, 0);
    s.R = s.MaxX;
    s.B = s.MaxY;
    double unit = scrollUnit > 0 ? scrollUnit : 1;
    s.StepX = std::max(s.MaxX / unit, 1.0);
    s.StepY = std::max(s.MaxY / unit, 1.0);
    return s;
}

bool IsWholeImage(const TViewState& s)
{
    return RoundEven(s.R - s.L) == s.MaxX && RoundEven(s.B - s.T) == s.MaxY;
}

static void ClampAxis(double& lo, double& hi, double max)
{
    if (lo < 0) {
        hi = std::min(max, hi - lo);
        lo = 0;
    }
    if (hi > max) {
        lo = std::max(0.0, lo - (hi - max));
        hi = max;
    }
}

void ClampView(TViewState& s)
{
    ClampAxis(s.L, s.R, s.MaxX);
    ClampAxis(s.T, s.B, s.MaxY);
}

void ExpandView(TViewState& s, TViewMode mode, int cw, int ch)
{
    if (mode != TViewMode::vmExpand) return;
    ClampView(s);
    if (cw <= 0 || ch <= 0) return;  // no client: nothing to match
    double w = s.R - s.L, h = s.B - s.T;
    double cx = s.L + w / 2, cy = s.T + h / 2;
    if (w > h) {
        double half = double(ch) / cw * w / 2;
        s.T = std::max(0.0, cy - half);
        s.B = std::min(double(s.MaxY), cy + half);
    } else {
        double half = double(cw) / ch * h / 2;
        s.L = std::max(0.0, cx - half);
        s.R = std::min(double(s.MaxX), cx + half);
    }
}

void PrepareLayout(TViewState& s, TViewMode mode, int cw, int ch)
{
    ClampView(s);
    if (!IsWholeImage(s)) ExpandView(s, mode, cw, ch);
}

void FinishLayout(TViewState& s, TViewMode mode, int cw, int ch)
{
    if (!IsWholeImage(s)) ExpandView(s, mode, cw, ch);
    double w = s.R - s.L, h = s.B - s.T;
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0) {
        s.DL = s.DR = std::max(cw, 0) / 2;
        s.DT = s.DB = std::max(ch, 0) / 2;
        s.ScaleX = s.ScaleY = 0;
        return;
    }
    double dw, dh;
    if (w > h) {
        dh = std::min(double(ch), cw * h / w);
        dw = std::min(double(cw), (w / h) * dh);
    } else {
        dw = std::min(double(cw), ch * w / h);
        dh = std::min(double(ch), (h / w) * dw);
    }
    s.DL = RoundEven(cw / 2.0 - dw / 2);
    s.DR = RoundEven(cw / 2.0 + dw / 2);
    s.DT = RoundEven(ch / 2.0 - dh / 2);
    s.DB = RoundEven(ch / 2.0 + dh / 2);
    if (s.DR <= s.DL || s.DB <= s.DT) {
        s.ScaleX = s.ScaleY = 0;
        s.DR = s.DL;
        s.DB = s.DT;
        return;
    }
    s.ScaleX = w / (s.DR - s.DL);
    s.ScaleY = h / (s.DB - s.DT);
}

bool HasDisplay(const TViewState& s) { return s.DR > s.DL && s.DB > s.DT && s.ScaleX > 0 && s.ScaleY > 0; }

static TScrollBarSetting Bar(const TViewState& s, double lo, double hi, int32_t max)
{
    if (IsWholeImage(s)) return {};
    return {0, max, RoundEven(hi - lo + 1), RoundEven(lo)};
}

TScrollBarSetting VerticalScrollBar(const TViewState& s) { return Bar(s, s.T, s.B, s.MaxY); }
TScrollBarSetting HorizontalScrollBar(const TViewState& s) { return Bar(s, s.L, s.R, s.MaxX); }

int ApplyScroll(TViewState& s, bool vertical, TScrollCode code, int trackPos)
{
    double& lo = vertical ? s.T : s.L;
    double& hi = vertical ? s.B : s.R;
    double step = vertical ? s.StepY : s.StepX;
    double max = vertical ? s.MaxY : s.MaxX;
    double extent = hi - lo;
    switch (code) {
    case TScrollCode::LineUp: lo = std::max(lo - step, 0.0); break;
    case TScrollCode::LineDown: lo = std::min(lo + step, max - extent); break;
    case TScrollCode::PageUp: lo = std::max(lo - 2 * step, 0.0); break;
    case TScrollCode::PageDown: lo = std::min(lo + 2 * step, max - extent); break;
    case TScrollCode::ThumbPosition: lo = trackPos; break;
    default: return -1;
    }
    hi = lo + extent;
    return code == TScrollCode::ThumbPosition ? trackPos : RoundEven(lo);
}

TImagePoint ClientToImage(const TViewState& s, int x, int y)
{
    return {RoundEven((x - s.DL) * s.ScaleX + s.L), RoundEven((y - s.DT) * s.ScaleY + s.T)};
}

void ZoomViewAt(TViewState& s, int x, int y, int mode, double zoomSize)
{
    TImagePoint p = ClientToImage(s, x, y);
    double f = mode == 0 ? 1 - zoomSize : 1 + zoomSize;
    double hw = (s.R - s.L) * f / 2, hh = (s.B - s.T) * f / 2;
    s.L = p.X - hw;
    s.R = p.X + hw;
    s.T = p.Y - hh;
    s.B = p.Y + hh;
}

void ZoomViewToRect(TViewState& s, int left, int top, int right, int bottom)
{
    TImagePoint a = ClientToImage(s, left, top), b = ClientToImage(s, right, bottom);
    s.L = a.X;
    s.T = a.Y;
    s.R = b.X;
    s.B = b.Y;
}

void CenterViewAt(TViewState& s, int x, int y)
{
    TImagePoint p = ClientToImage(s, x, y);
    double dx = p.X - (s.L + s.R) / 2, dy = p.Y - (s.T + s.B) / 2;
    s.L += dx;
    s.R += dx;
    s.T += dy;
    s.B += dy;
}

void ScrollViewBy(TViewState& s, int dx, int dy)
{
    s.L += dx * s.ScaleX;
    s.R += dx * s.ScaleX;
    s.T += dy * s.ScaleY;
    s.B += dy * s.ScaleY;
}

void ViewWholeImage(TViewState& s)
{
    s.L = s.T = 0;
    s.R = s.MaxX;
    s.B = s.MaxY;
    s.DL = s.DT = s.DR = s.DB = 0;
}

bool InsideDisplay(const TViewState& s, int x, int y)
{
    return s.DL <= x && x <= s.DR && s.DT <= y && y <= s.DB;
}

double PolygonArea(const TMeasurePoint* p, int n)
{
    if (n <= 0) return 0;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const TMeasurePoint& next = p[(i + 1) % n];
        const TMeasurePoint& prev = p[(i + n - 1) % n];
        sum += p[i].Y * (next.X - prev.X);
    }
    return sum / 2;
}

double PolylineLength(const TMeasurePoint* p, int n)
{
    double sum = 0;
    for (int i = 1; i < n; ++i) sum += std::hypot(p[i].X - p[i - 1].X, p[i].Y - p[i - 1].Y);
    return sum;
}
