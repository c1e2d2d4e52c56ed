#pragma once
// Between the settings' font records and the platform's fonts and colours.
#include "core/settings/InitData.h"

#include <windows.h>

COLORREF ColorToRGB(TColor color);
TFontData FontDataFromLogFont(const LOGFONTW& font);
LOGFONTW LogFontFromData(const TFontData& font);
HFONT CreateFontFromData(const TFontData& font);
// The system's icon-title font, the default of every font setting.
TFontData IconTitleFontData();
