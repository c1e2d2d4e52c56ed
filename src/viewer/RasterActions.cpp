#include "viewer/RasterActions.h"

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
    case 10010: raster.RequestCancel(); return;
    case 10030:
        raster.ViewAll();
        raster.SetActiveTool(raster.FindTool(TRasterToolKind::ObjectSelect));
        return;
    case 10090: RedrawWindow(raster.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); return;
    case 10100: raster.SetPaintMode(TPaintMode::pmColorOn); return;
    case 10110: raster.SetPaintMode(TPaintMode::pmHalfTone); return;
    default: break;
    }
    TRasterToolKind kind = RasterActionTool(number);
    if (kind != TRasterToolKind::None) raster.SetActiveTool(raster.FindTool(kind));
}

void BindRasterActions(TActionList& actions, std::function<TRaster*()> findRaster)
{
    for (int number = 10010; number <= 10110; number += 10) {
        TAction* action = actions.Find(number);
        if (!action) continue;
        action->OnExecute = [findRaster, number] {
            if (TRaster* r = findRaster()) ExecuteRasterAction(number, *r);
        };
    }
}
