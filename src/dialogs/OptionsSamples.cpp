// The options dialog's sample panels and the colour and font pickers that
// change them. A pick that gives back what the panel already shows keeps
// the setting's own value, so that a system colour stays one.
#include "dialogs/OptionsDialog.h"

#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "settings/FontData.h"

#include <commdlg.h>

namespace {

// The colour setting a colour button changes.
TColor* ColorOfButton(TOptionValues& v, int button)
{
    switch (button) {
    case IDC_BUTTON211: return &v.TreeColor;
    case IDC_BUTTON221: return &v.ListColor;
    case IDC_BUTTON223: return &v.LockedColor;
    case IDC_BUTTON421: return &v.ToolColor;
    default:
        if (button >= IDC_BUTTON231 && button < IDC_BUTTON231 + apCount)
            return &v.AttributeColors[size_t(button - IDC_BUTTON231)];
        return nullptr;
    }
}

TFontData* FontOfButton(TOptionValues& v, int button)
{
    switch (button) {
    case IDC_BUTTON212: return &v.TreeFont;
    case IDC_BUTTON222: return &v.ListFont;
    case IDC_BUTTON224: return &v.LockedFont;
    default: return nullptr;
    }
}

}  // namespace

void TSubForm06090::TakeColor(int button, COLORREF chosen)
{
    TColor* color = ColorOfButton(Options, button);
    if (!color || ColorToRGB(*color) == chosen) return;
    *color = TColor(chosen & 0x00FFFFFFu);
    RefreshSamples();
}

void TSubForm06090::TakeFont(int button, const LOGFONTW& font, int pointSize, COLORREF color)
{
    TFontData* held = FontOfButton(Options, button);
    if (!held) return;
    TFontData chosen = *held;
    if (AnsiToWide(held->Name) != font.lfFaceName) chosen.Name = WideToAnsiDroppingUnmapped(font.lfFaceName);
    chosen.Size = pointSize;
    chosen.Style = uint8_t((font.lfWeight >= FW_BOLD ? fsBold : 0) | (font.lfItalic ? fsItalic : 0) |
                           (font.lfUnderline ? fsUnderline : 0) | (font.lfStrikeOut ? fsStrikeOut : 0));
    if (ColorToRGB(held->Color) != color) chosen.Color = TColor(color & 0x00FFFFFFu);
    *held = chosen;
    RefreshSamples();
}

void TSubForm06090::PickColor(int button)
{
    TColor* color = ColorOfButton(Options, button);
    if (!color) return;
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.rgbResult = ColorToRGB(*color);
    choose.lpCustColors = CustomColors;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&choose)) TakeColor(button, choose.rgbResult);
}

// The colour of an attribute panel's text is the attribute's colour.
void TSubForm06090::PickAttributeColor(int button) { PickColor(button); }

void TSubForm06090::PickFont(int button)
{
    TFontData* held = FontOfButton(Options, button);
    if (!held) return;
    LOGFONTW font = LogFontFromData(*held);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.lpLogFont = &font;
    choose.iPointSize = held->Size * 10;
    choose.rgbColors = ColorToRGB(held->Color);
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (ChooseFontW(&choose)) TakeFont(button, font, (choose.iPointSize + 5) / 10, choose.rgbColors);
}

void TSubForm06090::RefreshSamples()
{
    TreeFont.Reset(CreateFontFromData(Options.TreeFont));
    ListFont.Reset(CreateFontFromData(Options.ListFont));
    LockedFont.Reset(CreateFontFromData(Options.LockedFont));
    PanelBrushes.clear();
    const int panels[] = {IDC_PANEL211, IDC_PANEL221, IDC_PANEL222, IDC_PANEL421};
    for (int id : panels) {
        COLORREF background, text;
        HFONT font = nullptr;
        PanelColors(id, background, text, font);
        if (font) SendMessageW(Item(id), WM_SETFONT, WPARAM(font), FALSE);
        InvalidateRect(Item(id), nullptr, TRUE);
    }
    for (int i = 0; i < apCount; ++i) {
        SendMessageW(Item(IDC_PANEL231 + i), WM_SETFONT, WPARAM(ListFont.Get()), FALSE);
        InvalidateRect(Item(IDC_PANEL231 + i), nullptr, TRUE);
    }
}

bool TSubForm06090::PanelColors(int panel, COLORREF& background, COLORREF& text, HFONT& font)
{
    const TOptionValues& v = Options;
    switch (panel) {
    case IDC_PANEL211:
        background = ColorToRGB(v.TreeColor);
        text = ColorToRGB(v.TreeFont.Color);
        font = TreeFont.Get();
        return true;
    case IDC_PANEL221:
        background = ColorToRGB(v.ListColor);
        text = ColorToRGB(v.ListFont.Color);
        font = ListFont.Get();
        return true;
    case IDC_PANEL222:
        background = ColorToRGB(v.LockedColor);
        text = ColorToRGB(v.LockedFont.Color);
        font = LockedFont.Get();
        return true;
    case IDC_PANEL421:
        background = ColorToRGB(v.ToolColor);
        text = GetSysColor(COLOR_BTNTEXT);
        font = nullptr;
        return true;
    default:
        // The attribute panels: the list's background and font, their own
        // text colour.
        if (panel < IDC_PANEL231 || panel >= IDC_PANEL231 + apCount) return false;
        background = ColorToRGB(v.ListColor);
        text = ColorToRGB(v.AttributeColors[size_t(panel - IDC_PANEL231)]);
        font = ListFont.Get();
        return true;
    }
}
