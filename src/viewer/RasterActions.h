#pragma once
// The image commands of the viewer's tool bar (Action10010 to Action10110):
// their enabled and checked states come from the view's snapshot
// (core/viewer/RasterActionRules), their effects from the view. The frame's
// command room only binds them.
#include "gui/Action.h"

#include <functional>

class TRaster;

// Sets the update and execute handlers of every image command present in
// `actions`. `findRaster` gives the visible image view, or null.
void BindRasterActions(TActionList& actions, std::function<TRaster*()> findRaster);

// The same for one action, for callers that build their own.
void UpdateRasterAction(TAction& action, const TRaster* raster);
void ExecuteRasterAction(int number, TRaster& raster);
