#pragma once
// The image view's arithmetic: which part of the picture is shown (the view
// rectangle, in image pixels held as doubles so repeated zooms do not
// drift), where it is drawn in the client area (the display rectangle), and
// the scroll bars. No platform calls: the control feeds in client sizes.
#include <cstdint>

enum class TViewMode { vmNormal, vmExpand };

struct TViewState {
    int32_t MaxX = 0, MaxY = 0;          // picture width - 1, height - 1
    double L = 0, T = 0, R = 0, B = 0;   // view rectangle (image coordinates)
    int32_t DL = 0, DT = 0, DR = 0, DB = 0;  // display rectangle (client)
    double ScaleX = 0, ScaleY = 0;       // image units per client pixel
    double StepX = 1, StepY = 1;         // scroll-bar line step (image pixels)
};

struct TScrollBarSetting {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

enum class TScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, Other };

// Round half to even, as the view's positions are rounded.
int32_t RoundEven(double v);

// A freshly loaded picture of width x height: the whole picture in view,
// no display rectangle yet, line steps from the scroll unit.
TViewState NewViewState(int32_t width, int32_t height, int scrollUnit);

bool IsWholeImage(const TViewState& s);
// Moves the view back inside the picture; cuts it only when it is larger.
void ClampView(TViewState& s);
// Widens the view to the client's aspect ratio (vmExpand only).
void ExpandView(TViewState& s, TViewMode mode, int clientWidth, int clientHeight);
// The first half of a layout: clamp, then expand unless the whole picture
// is shown. The control then sets its scroll bars (which may change the
// client size) and calls FinishLayout with the client size it has now.
void PrepareLayout(TViewState& s, TViewMode mode, int clientWidth, int clientHeight);
// Expands again unless whole, then centres the letterboxed display
// rectangle and derives the scales. A zero extent or an empty client gives
// an empty display rectangle and zero scales (nothing is drawn).
void FinishLayout(TViewState& s, TViewMode mode, int clientWidth, int clientHeight);
bool HasDisplay(const TViewState& s);

// Scroll-bar settings for the current view: range 0..0 (hidden) while the
// whole picture is shown.
TScrollBarSetting VerticalScrollBar(const TViewState& s);
TScrollBarSetting HorizontalScrollBar(const TViewState& s);
// Moves the view for a scroll-bar message; returns the bar's new position,
// or -1 when the code is ignored (thumb tracking and the rest).
int ApplyScroll(TViewState& s, bool vertical, TScrollCode code, int trackPos);

struct TImagePoint { int32_t X = 0, Y = 0; };
TImagePoint ClientToImage(const TViewState& s, int x, int y);

// The view operations, before the layout the control runs after them.
// Mode 0 zooms in (keeps 1 - zoomSize of the extent), 1 zooms out.
void ZoomViewAt(TViewState& s, int clientX, int clientY, int mode, double zoomSize);
void ZoomViewToRect(TViewState& s, int left, int top, int right, int bottom);
void CenterViewAt(TViewState& s, int clientX, int clientY);
void ScrollViewBy(TViewState& s, int dx, int dy);
void ViewWholeImage(TViewState& s);

// Whether a client point lies on the display rectangle, edges included.
bool InsideDisplay(const TViewState& s, int x, int y);

// The measuring tool's results for a polyline: the signed shoelace area of
// the closed polygon and the length of the open polyline.
struct TMeasurePoint { double X = 0, Y = 0; };
double PolygonArea(const TMeasurePoint* points, int count);
double PolylineLength(const TMeasurePoint* points, int count);
