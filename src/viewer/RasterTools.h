#pragma once
// The mouse tools of the image view. The view hands every click, double
// click and button or move event to its active tool, which turns it into a
// zoom, a centring, a drag, a measurement or an object edit. Positions are
// client coordinates; "inside" means on the display rectangle, edges
// included.
#include "core/viewer/RasterActionRules.h"
#include "core/viewer/ViewGeometry.h"

#include <windows.h>

#include <vector>

class TRaster;
class TRasterObject;

// Cursor resources of the program, by number.
enum TRasterCursor : int {
    crDefault = 0, crPointXY = 11, crCentering = 12, crPostIt = 13, crZoomIn = 14, crZoomOut = 15, crZoomRect = 16,
    crOpenHand = 17, crCloseHand = 18, crMoving = 19, crMeasure = 20, crHandPoint = -21
};
HCURSOR RasterCursor(int number);

class TRasterTool {
public:
    explicit TRasterTool(TRasterToolKind kind, int cursor) : Kind(kind), Cursor(cursor) {}
    virtual ~TRasterTool() = default;
    const TRasterToolKind Kind;
    int Cursor;
    int X = 0, Y = 0, StartX = 0, StartY = 0;
    int SavedCursor = crDefault;
    UINT Shift = 0;
    bool Pressed = false, InImage = false;

    virtual void Click(TRaster& r);
    virtual void DblClick(TRaster& r);
    virtual void MouseDown(TRaster& r, int button, UINT shift, int x, int y);
    virtual void MouseMove(TRaster& r, UINT shift, int x, int y);
    virtual void MouseUp(TRaster& r, int button, UINT shift, int x, int y);
    bool IsA(TRasterToolKind kind) const;

protected:
    void ReadPointer(TRaster& r);
};

class TRasterPointTool : public TRasterTool {
public:
    TRasterPointTool(TRasterToolKind kind = TRasterToolKind::None, int cursor = crHandPoint)
        : TRasterTool(kind, cursor) {}
    void Click(TRaster& r) override;
};

class TRasterRectTool : public TRasterTool {
public:
    TRasterRectTool() : TRasterTool(TRasterToolKind::ZoomRect, crZoomRect) {}
    int EndX = 0, EndY = 0;
    bool Cancelled = false;
    void MouseDown(TRaster& r, int button, UINT shift, int x, int y) override;
    void MouseMove(TRaster& r, UINT shift, int x, int y) override;
    void MouseUp(TRaster& r, int button, UINT shift, int x, int y) override;
};

class TRasterScrollTool : public TRasterTool {
public:
    TRasterScrollTool() : TRasterTool(TRasterToolKind::Scroll, crOpenHand) {}
    int LastX = 0, LastY = 0;
    void MouseDown(TRaster& r, int button, UINT shift, int x, int y) override;
    void MouseMove(TRaster& r, UINT shift, int x, int y) override;
    void MouseUp(TRaster& r, int button, UINT shift, int x, int y) override;
};

class TRasterMeasureTool : public TRasterTool {
public:
    TRasterMeasureTool() : TRasterTool(TRasterToolKind::Measure, crMeasure) {}
    double Area = 0, Length = 0;
    int LastX = 0, LastY = 0;
    bool Finished = true;
    std::vector<TMeasurePoint> Points;
    void Click(TRaster& r) override;
    void DblClick(TRaster& r) override;
    void MouseMove(TRaster& r, UINT shift, int x, int y) override;
};

class TRasterObjectCreateTool : public TRasterTool {
public:
    TRasterObjectCreateTool() : TRasterTool(TRasterToolKind::ObjectCreate, crPostIt) {}
    void Click(TRaster& r) override;
};

class TRasterObjectSelectTool : public TRasterPointTool {
public:
    TRasterObjectSelectTool() : TRasterPointTool(TRasterToolKind::ObjectSelect, crHandPoint) {}
    void Click(TRaster& r) override;
    void DblClick(TRaster& r) override;

private:
    TRasterObject* SelectAt(TRaster& r);
};

class TRasterObjectMoveTool : public TRasterTool {
public:
    TRasterObjectMoveTool() : TRasterTool(TRasterToolKind::ObjectMove, crMoving) {}
    TRasterObject* Target = nullptr;
    int LastX = 0, LastY = 0;
    void MouseDown(TRaster& r, int button, UINT shift, int x, int y) override;
    void MouseMove(TRaster& r, UINT shift, int x, int y) override;
    void MouseUp(TRaster& r, int button, UINT shift, int x, int y) override;
};

// The point tools that act on a click inside the picture.
class TRasterClickTool : public TRasterPointTool {
public:
    TRasterClickTool(TRasterToolKind kind, int cursor) : TRasterPointTool(kind, cursor) {}
    void Click(TRaster& r) override;  // centring, zoom in, zoom out
};
