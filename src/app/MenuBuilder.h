#pragma once
// Builds menus from the menu layout and the command list, and keeps what the
// status bar and the help hook need to know about submenus.
#include "core/commands/MenuLayout.h"
#include "gui/Action.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class TMenuBuilder {
public:
    explicit TMenuBuilder(TActionList& actions) : Actions(actions) {}

    HMENU BuildMenuBar(const std::vector<TMenuEntry>& layout);
    HMENU BuildPopup(const std::vector<TMenuEntry>& layout);

    // The "ウィンドウ(&W)" menu that lists the folder windows.
    HMENU WindowMenu() const { return WindowListMenu; }
    // Every "ファイルタイプで選択(&E)" submenu built so far.
    const std::vector<HMENU>& FileTypeMenus() const { return FileTypeSubmenus; }

    // Status text and help context of a submenu, for hints and F1.
    std::wstring SubmenuStatusText(HMENU menu) const;
    int SubmenuHelpContext(HMENU menu) const;

    // Sets the enabled and checked marks of a menu's command items.
    void SyncMenu(HMENU menu) const;

private:
    void Append(HMENU menu, const TMenuEntry& entry);
    TActionList& Actions;
    HMENU WindowListMenu = nullptr;
    std::vector<HMENU> FileTypeSubmenus;
    std::map<HMENU, std::pair<std::wstring, int>> Submenus;
};

// The caption of a menu item for a command: caption, a tab, its shortcut.
std::wstring MenuItemText(const TAction& action);
