#pragma once
// When the image view's commands (Action10010 to Action10110) are enabled
// and checked: a pure function of a snapshot of the view, so the frame's
// update pass only copies the answer onto its tool buttons.
#include <optional>

enum class TRasterToolKind {
    None, ZoomRect, ZoomIn, ZoomOut, Scroll, Centering, ObjectCreate, ObjectSelect, ObjectMove, Measure
};
enum class TPaintMode { pmColorOn, pmHalfTone };

struct TRasterSnapshot {
    bool HasView = false;   // an image view was found
    bool HasImage = false;
    bool WholeImage = true;
    bool Loading = false;
    TRasterToolKind ActiveTool = TRasterToolKind::None;
    TPaintMode PaintMode = TPaintMode::pmColorOn;
};

struct TRasterActionState {
    bool Enabled = false;
    // Nothing: leave the checked state as it is (a disabled tool action
    // keeps its last one; some actions have none).
    std::optional<bool> Checked;
};

// `number` is one of Cmd::ViewerCancel to Cmd::ViewerHalfTone
// (core/commands/CommandIds.h).
TRasterActionState RasterActionState(int number, const TRasterSnapshot& view);

// The tool an action makes active, or None for the other actions. The point
// tool's action finds the object selection tool (derived from the point tool).
TRasterToolKind RasterActionTool(int number);
