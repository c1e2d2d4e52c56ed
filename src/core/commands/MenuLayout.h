// Which commands the menus and tool bars of the main window show, in which
// order, as plain data. Texts, keys and images come from the command table;
// only entries that are not a command carry texts of their own here.
#pragma once

#include <vector>

enum class TMenuEntryKind {
    Command,       // a command's item
    Separator,
    Submenu,       // Caption, StatusText, HelpContext, Items
    WindowList,    // the frame's list of open folder windows goes here
    FileTypeList,  // submenu for Command, one item per file type, built at run time
};

// Radio groups of menu items.
inline constexpr int RadioViewStyle = 1;
inline constexpr int RadioSortKey = 2;
inline constexpr int RadioSortDirection = 3;

struct TMenuEntry {
    TMenuEntryKind Kind;
    int Command = 0;
    const wchar_t* Caption = nullptr;
    const wchar_t* StatusText = nullptr;
    int HelpContext = 0;
    int RadioGroup = 0;  // non-zero: a radio item of that group
    std::vector<TMenuEntry> Items = {};
};

// The menu bar: one Submenu entry per top-level menu.
const std::vector<TMenuEntry>& MainMenuLayout();
// Context menu of a folder list's empty area.
const std::vector<TMenuEntry>& PopupMenu1Layout();
// Drop-downs of the "新規作成" and "アイコンの整列" tool buttons.
const std::vector<TMenuEntry>& ToolBarMenu1Layout();
const std::vector<TMenuEntry>& ToolBarMenu2Layout();

enum class TToolEntryKind {
    Button,          // bound to Command
    Separator,
    DropDownButton,  // its arrow opens DropDownMenu; texts and image of its own
    PasteButton,     // runs the paste handler, always enabled, texts of its own
    FilterCombo,     // the filter combo box ComboBox1
    AddressBar,      // the address combo box of Frame1
    Label,           // LabelIndex: Label1 to Label3 of the viewer bar
};

// Menus a tool button opens.
enum class TToolMenu { None, ToolBarMenu1, ToolBarMenu2, Popup_Undo, Popup_Redo };

struct TToolEntry {
    static constexpr int CommandImage = -1;  // the image of Command
    static constexpr int NoImage = -2;

    TToolEntryKind Kind;
    int Command = 0;
    bool Check = false;
    int Group = 0;  // non-zero: check buttons of which one is down at a time
    TToolMenu DropDownMenu = TToolMenu::None;
    TToolMenu RightClickMenu = TToolMenu::None;
    const wchar_t* Caption = nullptr;  // nullptr: the command's
    const wchar_t* Tooltip = nullptr;
    const wchar_t* StatusText = nullptr;
    int ImageIndex = CommandImage;
    int LabelIndex = 0;
    bool ShowCaption = false;
};

inline constexpr int BandMinHeight = 22;

struct TBandLayout {
    int ID;             // band identity, as recorded in the settings
    const wchar_t* Name;  // the tool bar in the band
    const wchar_t* Text;  // band text, or nullptr
    bool Break;         // starts a new row
    std::vector<TToolEntry> Entries;
};

// The eight bands of the cool bar, in their default order.
const std::vector<TBandLayout>& CoolBarLayout();
// ToolBar8, the image viewer's bar.
const std::vector<TToolEntry>& ToolBar8Layout();
// ToolBar88, above the favorites tree.
const std::vector<TToolEntry>& ToolBar88Layout();
