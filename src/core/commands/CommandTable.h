// The program's commands as plain data: numbers, texts, keys, images and help
// contexts. The main window builds its menus, tool buttons and accelerators
// from this table; nothing here depends on the platform.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// A shortcut: a Windows virtual-key code and its modifiers. Key 0 is no key.
struct TShortCut {
    uint16_t Key = 0;
    bool Ctrl = false, Alt = false, Shift = false;

    friend bool operator==(const TShortCut&, const TShortCut&) = default;
};

// Action is an ordinary command with handlers of its own; the Window* kinds are
// the frame's standard MDI commands; RasterAction is one of the image view's
// self-updating commands.
enum class TCommandKind {
    Action,
    WindowClose,
    WindowCascade,
    WindowTileHorizontal,
    WindowTileVertical,
    WindowMinimizeAll,
    WindowArrange,
    RasterAction,
};

struct TCommandDef {
    int Number;  // 1011 for Action01011; also the command's WM_COMMAND id
    TCommandKind Kind;
    const wchar_t* Category;
    const wchar_t* Caption;
    const wchar_t* Tooltip;
    const wchar_t* StatusText;
    TShortCut Keys;
    int ImageIndex;  // into ImageList1 (normal) and ImageList2 (disabled)
    int HelpContext;
    bool Hidden;  // never shown in a menu or on a tool bar
};

// Images of ImageList1/ImageList2 that belong to no command.
// tools/icons.txt is the table of all of them.
inline constexpr int ImageNewDropDown = 4;        // "新規作成" tool button
inline constexpr int ImageArrangeDropDown = 43;   // "アイコンの整列" tool button
inline constexpr int ImageFolderLock = 46;        // status bar indicator
inline constexpr int ImageDisplayFilter = 47;     // status bar indicator
inline constexpr int ImageCount = 104;

// Every command, in ascending order of Number.
std::span<const TCommandDef> CommandTable();

// The command with this number, or nullptr.
const TCommandDef* FindCommand(int number);

// L"Action01011" for 1011.
std::wstring ActionName(int number);

// Tooltip and status text joined by "|", the form a hint is stored in.
std::wstring CommandHint(const TCommandDef& command);
