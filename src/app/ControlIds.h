#pragma once
// Identifiers of the main window's controls and of the tool buttons that are
// not bound to a command. Command identifiers are the command numbers
// (1011 to 10110), well below these.
enum : int {
    IDC_COOLBAR = 20001,
    IDC_STATUSBAR,
    IDC_MDICLIENT,
    IDC_FILTERCOMBO,
    IDC_ADDRESSCOMBO,
    IDC_PAGECONTROL,
    IDC_SHTREEVIEW,
    IDC_FOLDERTREEVIEW,
    IDC_PROGRESSBAR,
    IDC_RASTER,
    IDC_LABEL_FIRST,                    // the viewer bar's three labels take this and the next two
    IDC_TOOLBAR_FIRST = 20100,          // tool bars get consecutive identifiers

    IDB_NEW_DROPDOWN = 21001,           // "新規作成(&N)" drop-down button
    IDB_ARRANGE_DROPDOWN,               // "アイコンの整列(&I)" drop-down button
    IDB_PASTE,                          // the paste button of the edit bar
    IDM_FILETYPE_FIRST = 22000,         // items of the select-by-type menus
    IDM_HISTORY_FIRST = 23000,          // items of the back/forward menus
    IDM_FIRSTCHILD = 30000,             // the window menu's folder windows
};
