#pragma once
// The image commands of the viewer's tool bar (Action10010 to Action10110):
// their enabled and checked states come from the view's snapshot
// (core/viewer/RasterActionRules), their effects from the view.
#include "gui/Action.h"

#include <functional>

class TRaster;

// Sets the execute handlers of every image command present in `actions`.
// `findRaster` gives the visible image view, or null.
void BindRasterActions(TActionList& actions, std::function<TRaster*()> findRaster);

// Sets one action's state from a view (null: none). The frame decides the
// states of its own list with the other commands' (core/commands).
void UpdateRasterAction(TAction& action, const TRaster* raster);
void ExecuteRasterAction(int number, TRaster& raster);
