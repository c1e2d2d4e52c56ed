#include "core/viewer/RasterActionRules.h"

#include "core/commands/CommandIds.h"

TRasterToolKind RasterActionTool(int number)
{
    switch (number) {
    case Cmd::ViewerPointTool: return TRasterToolKind::ObjectSelect;
    case Cmd::ViewerCentering: return TRasterToolKind::Centering;
    case Cmd::ViewerZoomRectTool: return TRasterToolKind::ZoomRect;
    case Cmd::ViewerZoomInTool: return TRasterToolKind::ZoomIn;
    case Cmd::ViewerZoomOutTool: return TRasterToolKind::ZoomOut;
    case Cmd::ViewerScrollTool: return TRasterToolKind::Scroll;
    default: return TRasterToolKind::None;
    }
}

TRasterActionState RasterActionState(int number, const TRasterSnapshot& v)
{
    if (!v.HasView) return {false, std::nullopt};
    const bool zoomed = v.HasImage && !v.WholeImage;
    switch (number) {
    case Cmd::ViewerCancel: return {v.Loading, std::nullopt};
    case Cmd::ViewerExtent: return {zoomed, std::nullopt};
    case Cmd::ViewerRedraw: return {v.HasImage, std::nullopt};
    case Cmd::ViewerColorOn: return {true, v.PaintMode == TPaintMode::pmColorOn};
    case Cmd::ViewerHalfTone: return {true, v.PaintMode == TPaintMode::pmHalfTone};
    default: break;
    }
    TRasterToolKind tool = RasterActionTool(number);
    if (tool == TRasterToolKind::None) return {false, std::nullopt};
    bool enabled = (tool == TRasterToolKind::Scroll || tool == TRasterToolKind::Centering) ? zoomed : v.HasImage;
    if (!enabled) return {false, std::nullopt};
    return {true, v.ActiveTool == tool};
}
