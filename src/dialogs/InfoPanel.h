#pragma once
// The information panel of the splash and the version dialog: the program's
// icon and name, its file version, the owner the installed system is
// registered to and the notice line, on sky blue.
#include "gui/Handles.h"
#include "gui/Window.h"

#include <string>

// The panel's items, by their control ids.
enum TInfoPanelItem {
    InfoImage = 100,
    InfoProductName,  // "Quirevue"
    InfoVersion,      // "Version " and the file version
    InfoBevel,
    InfoRegLead,      // "このプログラムは次の方にライセンスされています。"
    InfoOwner,        // the registered owner, or "Known User"
    InfoNotice,
};

enum class TInfoBevel { Raised, Lowered };

class TInfoPanel : public TWindow {
public:
    // A child of `parent` at `bounds` (client pixels), filled from the
    // running program's version resource and the system's registration.
    TInfoPanel(HWND parent, const RECT& bounds, TInfoBevel bevel);

    std::wstring ItemText(TInfoPanelItem item) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateItems(int width, int height);
    HWND AddItem(TInfoPanelItem id, const wchar_t* text, DWORD style, int x, int y, int width, int height, HFONT font);
    void Fill();

    TInfoBevel Bevel;
    TFontHandle NameFont, TextFont, BoldFont;
    TBrushHandle Background;
};
