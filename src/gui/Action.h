#pragma once
// Command objects: what a menu item or tool button runs, with an update
// handler that sets the enabled and checked state when the queue goes idle.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TAction {
    int Id = 0;                 // also the WM_COMMAND identifier
    std::wstring Name;          // "Action01011"
    std::wstring Category;
    std::wstring Caption;       // with its "&" access key
    std::wstring Tooltip;
    std::wstring StatusText;
    WORD ShortCutKey = 0;       // virtual-key code, 0 for none
    BYTE ShortCutFlags = 0;     // FCONTROL, FALT, FSHIFT (FVIRTKEY implied)
    int ImageIndex = -1;
    int HelpContext = 0;
    bool Visible = true;
    bool Enabled = false;
    bool Checked = false;

    std::function<void()> OnExecute;
    std::function<void(TAction&)> OnUpdate;

    std::wstring ShortCutText() const;
};

class TActionList {
public:
    // Runs before the update handlers of a pass (and of a single command
    // about to run): where their common state is gathered once.
    std::function<void()> OnBeginUpdate;

    TAction& Add(TAction action);
    TAction* Find(int id);
    const std::vector<std::unique_ptr<TAction>>& Items() const { return Actions; }

    // Runs every update handler; an action without an execute handler stays
    // disabled. Returns true when any state changed.
    bool UpdateAll();
    // Brings the action up to date and runs it when it is enabled. An error
    // thrown by the handler is shown in the error box; the program goes on.
    bool Execute(int id, HWND owner);

    // The command a key runs (the first binding of the key), or null.
    TAction* FindByShortCut(WORD key, BYTE flags);
    // Whether that command is there and enabled now: a key whose command
    // is disabled belongs to the focused control.
    bool ShortCutEnabled(WORD key, BYTE flags);

    // The accelerator table of every shortcut, in list order (the first
    // binding of a key wins).
    HACCEL CreateAccelerators() const;

private:
    std::vector<std::unique_ptr<TAction>> Actions;
};
