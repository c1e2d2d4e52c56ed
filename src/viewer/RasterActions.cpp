#include "viewer/RasterActions.h"

#include "core/commands/CommandIds.h"
#include "core/viewer/RasterActionRules.h"
#include "viewer/Raster.h"
#include "viewer/RasterTools.h"

void UpdateRasterAction(TAction& action, const TRaster* raster)
{
    TRasterSnapshot snapshot = raster ? raster->Snapshot() : TRasterSnapshot{};
    TRasterActionState state = RasterActionState(action.Id, snapshot);
    action.Enabled = state.Enabled;
    if (state.Checked) action.Checked = *state.Checked;
}

void ExecuteRasterAction(int number, TRaster& raster)
{
    switch (number) {
    case Cmd::ViewerCancel: raster.RequestCancel(); return;
    case Cmd::ViewerExtent:
        raster.ViewAll();
        raster.SetActiveTool(raster.FindTool(TRasterToolKind::ObjectSelect));
        return;
    case Cmd::ViewerRedraw: RedrawWindow(raster.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); return;
    case Cmd::ViewerColorOn: raster.SetPaintMode(TPaintMode::pmColorOn); return;
    case Cmd::ViewerHalfTone: raster.SetPaintMode(TPaintMode::pmHalfTone); return;
    default: break;
    }
    TRasterToolKind kind = RasterActionTool(number);
    if (kind != TRasterToolKind::None) raster.SetActiveTool(raster.FindTool(kind));
}

void BindRasterActions(TActionList& actions, std::function<TRaster*()> findRaster)
{
    for (int number = Cmd::ViewerCancel; number <= Cmd::ViewerHalfTone; number += 10) {
        TAction* action = actions.Find(number);
        if (!action) continue;
        action->OnExecute = [findRaster, number] {
            if (TRaster* r = findRaster()) ExecuteRasterAction(number, *r);
        };
    }
}
