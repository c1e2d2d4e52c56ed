#include "core/viewer/RasterActionRules.h"

TRasterToolKind RasterActionTool(int number)
{
    switch (number) {
    case 10020: return TRasterToolKind::ObjectSelect;
    case 10040: return TRasterToolKind::Centering;
    case 10050: return TRasterToolKind::ZoomRect;
    case 10060: return TRasterToolKind::ZoomIn;
    case 10070: return TRasterToolKind::ZoomOut;
    case 10080: return TRasterToolKind::Scroll;
    default: return TRasterToolKind::None;
    }
}

TRasterActionState RasterActionState(int number, const TRasterSnapshot& v)
{
    if (!v.HasView) return {false, std::nullopt};
    const bool zoomed = v.HasImage && !v.WholeImage;
    switch (number) {
    case 10010: return {v.Loading, std::nullopt};
    case 10030: return {zoomed, std::nullopt};
    case 10090: return {v.HasImage, std::nullopt};
    case 10100: return {true, v.PaintMode == TPaintMode::pmColorOn};
    case 10110: return {true, v.PaintMode == TPaintMode::pmHalfTone};
    default: break;
    }
    TRasterToolKind tool = RasterActionTool(number);
    if (tool == TRasterToolKind::None) return {false, std::nullopt};
    bool enabled = (tool == TRasterToolKind::Scroll || tool == TRasterToolKind::Centering) ? zoomed : v.HasImage;
    if (!enabled) return {false, std::nullopt};
    return {true, v.ActiveTool == tool};
}
