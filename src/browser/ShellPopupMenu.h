#pragma once
// The shell's context menu of a set of items, merged with the program's own
// items. The shell's entries are told apart by their verbs, never by their
// numbers: every shell numbers them its own way.
#include "gui/Handles.h"
#include "shell/ShIDList.h"

#include <functional>
#include <string>
#include <vector>

enum class TSHContextType { shctExplore, shctNormal, shctDefaultOnly };

// One of the program's own items; a caption "-" is a separator.
struct TSHPopupItem {
    UINT Command = 0;
    std::wstring Caption;
    std::wstring Hint;  // the status text while the item is pointed at
    bool Visible = true;
    bool Enabled = true;
    std::function<void()> OnClick;
};

// How a popup ended.
struct TSHPopupResult {
    UINT OwnCommand = 0;      // an own item was chosen (its command number)
    bool ShellChosen = false; // a shell entry was chosen
    std::wstring Verb;        // its verb in lower case, empty when it names none
    bool Ran = false;         // its command ran (never for "rename": the caller renames)
};

class TSHPopupMenu {
public:
    TSHPopupMenu();
    ~TSHPopupMenu();
    TSHPopupMenu(const TSHPopupMenu&) = delete;
    TSHPopupMenu& operator=(const TSHPopupMenu&) = delete;

    std::vector<TSHPopupItem> Items;
    // The control that shows the menu (set by it before each popup).
    HWND PopupComponent = nullptr;
    TSHPopupItem* FindItem(UINT command);
    // Where among the own items the shell's entries go; reading clamps it to
    // the number of own items.
    void SetInsertPos(unsigned position) { InsertPosValue = position; }
    unsigned InsertPos() const;
    // False asks the shell for its rename entry too.
    bool ReadOnly = true;
    TSHContextType ContextType = TSHContextType::shctExplore;

    // Before the menu is built; false: no menu.
    std::function<bool(TSHPopupMenu&, const TSHIDList&, POINT)> OnShBeforPopup;
    // After an own item was chosen and its click handler ran.
    std::function<void(TSHPopupMenu&, const TSHPopupItem&, const TSHIDList&)> OnShAfterPopup;
    // The status text for the entry pointed at; empty when the menu closes.
    std::function<void(const std::wstring&)> OnHint;
    // The program's own code for verbs that not every shell runs well
    // (answers whether it took the verb, and whether that succeeded).
    std::function<bool(HWND owner, const TSHIDList&, const std::wstring& verb, bool& ran)> OnOwnVerb;
    // While the menu is on screen and idle (screenshots).
    std::function<void(HMENU)> OnShown;
    // Chooses instead of the user, without showing the menu: returns the
    // command number chosen, 0 for none (driving the menu from code).
    std::function<UINT(HMENU)> Chooser;

    // Shows the menu for the items at the screen point, owned by `owner`
    // (null: the shell owner window), and runs what was chosen.
    TSHPopupResult Popup(const TSHIDList& items, POINT screen, HWND owner = nullptr);
    // Runs a shell verb on the items as the menu runs a chosen entry.
    bool InvokeVerb(const TSHIDList& items, const std::wstring& verb, HWND owner = nullptr);

    // While the menu is up: the command number of the shell's entry with
    // the verb (also in sub-menus), 0 when it has none.
    UINT FindVerb(HMENU menu, const std::wstring& verb) const;

    // The first command number of the shell's entries in the last popup.
    UINT FirstShellCommand() const { return MaxOwnCommand + 1; }

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool RunShellEntry(HWND owner, const TSHIDList& items, UINT offset, const std::wstring& verb);
    void MenuSelect(UINT id, UINT flags);
    void Release();

    HWND Window = nullptr;
    unsigned InsertPosValue = 0;
    UINT MaxOwnCommand = 0;
    ComPtr<IContextMenu> Menu;
    ComPtr<IContextMenu2> Menu2;
    ComPtr<IContextMenu3> Menu3;
    bool ShownReported = false;
};
