#include "settings/FontData.h"

#include "gui/Handles.h"
#include "gui/Strings.h"

COLORREF ColorToRGB(TColor color)
{
    if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(int(color & 0xFF));
    return COLORREF(color & 0x00FFFFFFu);
}

static int ScreenPixelsPerInch()
{
    TWindowDC screen(nullptr);
    int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

TFontData FontDataFromLogFont(const LOGFONTW& font)
{
    TFontData data;
    data.Name = WideToAnsi(font.lfFaceName);
    data.Color = clWindowText;
    int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    data.Size = MulDiv(height, 72, ScreenPixelsPerInch());
    data.Style = uint8_t((font.lfWeight >= FW_BOLD ? 1 : 0) | (font.lfItalic ? 2 : 0) | (font.lfUnderline ? 4 : 0) |
                         (font.lfStrikeOut ? 8 : 0));
    return data;
}

LOGFONTW LogFontFromData(const TFontData& font)
{
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(font.Size, ScreenPixelsPerInch(), 72);
    lf.lfWeight = (font.Style & 1) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & 2) != 0;
    lf.lfUnderline = (font.Style & 4) != 0;
    lf.lfStrikeOut = (font.Style & 8) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring name = AnsiToWide(font.Name);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return lf;
}

HFONT CreateFontFromData(const TFontData& font)
{
    LOGFONTW lf = LogFontFromData(font);
    return CreateFontIndirectW(&lf);
}

TFontData IconTitleFontData()
{
    LOGFONTW lf{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    return FontDataFromLogFont(lf);
}
