#pragma once
// "オプション": the settings no other command changes, on five pages. The
// dialog works on its own copy of the values; OK stores them into the
// settings object (the caller then applies them to what is on screen) and
// Cancel changes nothing. The settings file is written at exit, as always.
#include "controls/EllipsisEdit.h"
#include "controls/ListViewEx.h"
#include "core/settings/OptionValues.h"
#include "gui/Dialog.h"
#include "gui/Handles.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

class TSubForm06090 : public TDialog {
public:
    // `groupImages`: the command images the groups' icons come from (may be
    // null).
    TSubForm06090(HWND owner, TInitData& settings, HIMAGELIST groupImages = nullptr);
    ~TSubForm06090() override;

    static constexpr int kPageCount = 5;
    void ShowPage(int page);
    int CurrentPage() const { return Page; }

    // The values as the dialog holds them now.
    const TOptionValues& Values() const { return Options; }

    // What the pickers do once the user confirmed a colour or a font: a
    // colour or font equal to the one held (as drawn) keeps its value.
    // `button` is the button that opened the picker.
    void TakeColor(int button, COLORREF chosen);
    void TakeFont(int button, const LOGFONTW& font, int pointSize, COLORREF color);
    // The folder choices, as their browsers hand them back.
    void SetFavoritesFolder(const std::wstring& path);
    void SetPluginFolder(const std::wstring& path);

    // The file-type list's commands and its drag.
    void AddFileType();
    void DeleteSelectedFileType();  // after asking
    void MoveFileType(int from, int target);
    const std::vector<std::wstring>& FileTypes() const { return Types; }
    TListViewEx& FileTypeList() { return TypeList; }

    int PluginRowCount() const;
    std::wstring PluginCell(int row, int column) const;

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // Sample panels (OptionsSamples.cpp).
    void PickColor(int button);
    void PickFont(int button);
    void PickAttributeColor(int button);
    void RefreshSamples();
    bool PanelColors(int panel, COLORREF& background, COLORREF& text, HFONT& font);
    // Pages and lists (OptionsDialog.cpp).
    void SetGroupIcons();
    void FillFileTypes(int select);
    void ShowOpacity();
    std::wstring ChooseFolder(const std::wstring& title);
    void BrowseFavorites();
    void BrowsePlugins();
    // The plug-in list (OptionsPlugins.cpp).
    void FillPluginList();

    TInitData& Settings;
    HIMAGELIST GroupImages;
    TOptionValues Options;
    int Page = 0;
    std::vector<std::wstring> Types;
    int DragRow = -1;
    TEllipsisEdit Edit111, Edit511;
    TListViewEx TypeList;
    TMenuHandle SelectMenu, ListMenu;
    TImageListHandle PluginImages;
    std::vector<TIconHandle> Icons;
    TFontHandle TreeFont, ListFont, LockedFont;
    std::map<int, TBrushHandle> PanelBrushes;
    COLORREF CustomColors[16] = {};
};
