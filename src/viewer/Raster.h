#pragma once
// TRaster: the picture view of the viewer box. It decodes a file through
// the Susie host, keeps the plug-in's bitmap exactly as returned (checked,
// held once, drawn straight from its memory), and shows any part of it
// scaled into the client area, letterboxed and centred, with scroll bars,
// zooming, two paint modes, load progress with cancel, an exchangeable mouse
// tool and overlay layers from a ".grx" side-car file.
#include "core/viewer/RasterActionRules.h"
#include "core/viewer/ViewGeometry.h"
#include "gui/Window.h"
#include "viewer/RasterLayers.h"
#include "viewer/SusiePlug.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDrawDib;
class TRasterTool;

class TRaster : public TWindow {
public:
    TRaster(HWND parent, int id = 0);
    ~TRaster() override;

    // Loading. A second load while one decodes is refused (false at once).
    bool LoadFromFile(const std::wstring& fileName);
    void Clear();
    bool HasImage() const { return InfoPtr && BitsPtr; }
    bool Loading() const { return IsLoading; }
    bool CancelRequested() const { return CancelFlag; }
    // Whether a plug-in took the last file (a failure after that has been
    // reported by the view itself).
    bool LastLoadClaimed() const { return Claimed; }
    void RequestCancel() { if (IsLoading) CancelFlag = true; }
    // Runs `action` now, or, while a load decodes, cancels the load and runs
    // it when the load has ended (closing the window, a new plug-in folder:
    // nothing the decoding plug-in uses is freed under it).
    void RunWhenIdle(std::function<void()> action);

    const std::wstring& PluginFolder() const { return Plugs.Folder(); }
    void SetPluginFolder(const std::wstring& folder);
    TSusiePlugs& Plugins() { return Plugs; }

    // View operations (client coordinates).
    bool IsWholeImage() const { return HasImage() && ::IsWholeImage(State); }
    void ViewAll();
    void ZoomAt(POINT point, int mode);
    void ZoomToRect(const RECT& rect);
    void CenterAt(int x, int y);
    void ScrollBy(int dx, int dy);
    TImagePoint ClientToImage(int x, int y) const { return ::ClientToImage(State, x, y); }
    bool InsideDisplay(int x, int y) const { return HasImage() && ::InsideDisplay(State, x, y); }
    const TViewState& View() const { return State; }

    int ScrollUnit = 100;
    double ZoomSize = 0;
    TViewMode ViewMode() const { return Mode; }
    void SetViewMode(TViewMode mode);
    TPaintMode PaintMode() const { return PaintModeValue; }
    void SetPaintMode(TPaintMode mode);

    // What the last successful load found.
    const std::wstring& FileName() const { return File; }
    std::wstring PluginName, FileTypeName;
    int PictureWidth = 0, PictureHeight = 0, XDensity = 0, YDensity = 0, ColorDepth = 0;

    // Tools (the view owns one of each) and layers.
    int ToolCount() const { return int(Tools.size()); }
    TRasterTool& Tool(int i) { return *Tools[size_t(i)]; }
    TRasterTool* FindTool(TRasterToolKind kind);
    TRasterTool* ActiveTool() const { return Active; }
    void SetActiveTool(TRasterTool* tool);
    TRasterLayers Layers;
    TRasterLayer* ActiveLayer = nullptr;
    HIMAGELIST StateImage = nullptr, SelectImage = nullptr;
    bool Modified = false;
    bool LoadObjects(const std::wstring& fileName);
    bool SaveObjects(const std::wstring& fileName);

    // The state the image commands are decided on.
    TRasterSnapshot Snapshot() const;

    // Events.
    std::function<void(int position, bool& cancel)> OnLoadProgress;
    // A decode began or ended: the commands that depend on it (cancel, a
    // second load) are brought up to date at once, not when the program
    // next goes idle, which it does not while a plug-in runs.
    std::function<void()> OnLoadingChange;
    // The wheel turned over the view (forward: away from the user).
    std::function<void(bool forward)> OnMouseWheel;
    std::function<void()> OnActiveToolChange;
    std::function<void(int x, int y)> OnActiveToolClick;
    std::function<void(int x1, int y1, int x2, int y2)> OnActiveToolRectangle;
    std::function<void(double area, double length)> OnActiveToolMeasure;
    std::function<void(int x, int y, TRasterObject*)> OnActiveToolSelect;
    std::function<void(TRasterLayer*)> OnActiveLayerChange;
    std::function<void(TRasterObject*)> OnActiveObjectChange;
    // Every message the view shows goes through here (a message box owned
    // by the top-level window by default); returns the button pressed.
    std::function<int(const std::wstring& text, UINT flags)> ShowMessage;

    // The pixels as shown: for tests and screenshots of the decoded bitmap.
    const BITMAPINFOHEADER* Info() const { return reinterpret_cast<const BITMAPINFOHEADER*>(InfoPtr); }
    const void* Bits() const { return BitsPtr; }

    static const wchar_t* ClassName() { return L"TRaster"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static int WINAPI ProgressCallback(int done, int total, LONG_PTR user);
    bool Decode(TSusiePlug& plug, const std::vector<uint8_t>& data, size_t size);
    bool TakePicture(TSusiePlug& plug, HLOCAL info, HLOCAL bits, const std::vector<uint8_t>& data, size_t size);
    void FreePicture();
    void Layout();
    void SetScrollBars();
    void OnScroll(bool vertical, WPARAM wParam);
    void Paint(HDC dc);
    void PaintPicture(HDC dc);
    void PaintMargins(HDC dc, const RECT& client);
    void RunDeferred();
    void PumpWhileDecoding();
    bool ReleaseEndsDoubleClick = false;
    int Message(const std::wstring& text, UINT flags);

    TSusiePlugs Plugs;
    std::wstring File;
    HLOCAL InfoHandle = nullptr, BitsHandle = nullptr;
    uint8_t* InfoPtr = nullptr;
    uint8_t* BitsPtr = nullptr;
    bool DrawDibFormat = false;  // DrawDib takes this bitmap form
    std::unique_ptr<TDrawDib> DrawDib;
    TViewState State;
    TViewMode Mode = TViewMode::vmNormal;
    TPaintMode PaintModeValue = TPaintMode::pmColorOn;
    bool InScrollBarUpdate = false;
    bool IsLoading = false;
    bool Claimed = false;
    bool CancelFlag = false;
    bool Destroying = false;
    std::vector<std::function<void()>> Deferred;
    std::vector<std::unique_ptr<TRasterTool>> Tools;
    TRasterTool* Active = nullptr;
};

// The frame's mouse-wheel handling over the view: with `wheelMode` 0 a
// forward turn zooms out and a backward one zooms in, 1 the reverse, any
// other value nothing; the point is the centre of the client area.
void RasterMouseWheel(TRaster& raster, bool forward, int wheelMode);
