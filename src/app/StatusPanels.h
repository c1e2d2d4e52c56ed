#pragma once
// The main window's status bar: the hints of menu items and tool buttons,
// the object count and size panels of the active folder list, and the lock
// and filter indicators. It follows the active list by listening to its
// events; the folder windows do not write into it.
#include <windows.h>
#include <commctrl.h>

#include <string>

class TSHListView;
class TSHTreeView;

class TStatusPanels {
public:
    // `images` holds the indicator images; `font` draws their texts.
    TStatusPanels(HWND statusBar, TSHTreeView& tree, HIMAGELIST images, HFONT font);
    ~TStatusPanels();
    TStatusPanels(const TStatusPanels&) = delete;
    TStatusPanels& operator=(const TStatusPanels&) = delete;

    HWND Handle() const { return Bar; }

    // Follows `list` from now on (null: none; the panels are emptied).
    void Observe(TSHListView* list);
    TSHListView* Observed() const { return List; }

    std::wstring PanelText(int panel) const;
    // The lock and filter indicators read the list's state when drawn.
    void RepaintIndicators();
    // WM_DRAWITEM of the owner-drawn indicator panels.
    void DrawIndicator(const DRAWITEMSTRUCT& item);

    // A hint over the whole bar while a menu item or button is pointed at.
    void ShowHint(const std::wstring& statusText);
    void HideHint();

private:
    void SetPanelText(int panel, const std::wstring& text);
    void ListChanged();
    void SelectionChanged(int64_t selSize);
    void ShowCount();
    void ShowFolderSummary();
    void Unobserve();

    HWND Bar;
    TSHTreeView& Tree;
    HIMAGELIST Images;
    HFONT Font;
    TSHListView* List = nullptr;
    int ChangeToken = 0, SelectionToken = 0, LockToken = 0, SizesToken = 0;
    bool HintShown = false;
};

// Whether the list's folder is shown by its path (captions, folder summary)
// rather than by the tree node's display name: the desktop and virtual
// places of the first level are not.
bool FolderShownByPath(TSHTreeView& tree, TSHListView& list);
