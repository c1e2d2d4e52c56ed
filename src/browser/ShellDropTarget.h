#pragma once
// The drop target of the shell controls. A drop on a file-system folder is
// done by the program itself (copy, move or link by the keys, or by the
// menu of a right-button drag), because some shells' drop targets report
// success and do nothing; anything else (a program or archive row, a
// virtual folder) goes to the shell's own drop target of that object.
#include "gui/Handles.h"

#include <windows.h>
#include <ole2.h>

#include <string>

// What lies under the pointer: a file-system folder to drop into, and the
// shell's drop target of the object (either may be missing). A folder's
// shell target is looked up only when asked for: it takes objects that have
// no file path (Control Panel, My Computer), which the program cannot copy.
struct TDropPlace {
    std::wstring FolderPath;
    ComPtr<IDropTarget> ShellTarget;
};

// The control a drop target serves: finds (and highlights) the place under
// a client point, and forgets the highlight.
class IDropSite {
public:
    virtual ~IDropSite() = default;
    virtual HWND DropWindow() const = 0;
    virtual TDropPlace DropPlaceAt(POINT client, bool folderShellTarget) = 0;
    virtual void ClearDropHighlight() = 0;
    // Called as the pointer moves over the control during a drag.
    virtual void DraggedOver(POINT client) {}
};

// Scrolls the control a line towards the edge the point lies near, within
// one line of its font from it, up or down and left or right.
void ScrollNearEdge(HWND control, POINT client);

// A control registered as an OLE drop target, served by a drop target of the
// program for the site: registered when made; revoked, and the target
// detached from the site (OLE may still hold it), when it goes.
class TDropRegistration {
public:
    TDropRegistration(IDropSite& site, HWND control);
    ~TDropRegistration();
    TDropRegistration(const TDropRegistration&) = delete;
    TDropRegistration& operator=(const TDropRegistration&) = delete;

    bool Registered() const { return IsRegistered; }
    IDropTarget* Target() const { return DropTarget.Get(); }

private:
    HWND Control;
    ComPtr<IDropTarget> DropTarget;
    bool IsRegistered = false;
};

// The effect a right-button drop asks for through its menu ("ここにコピー(&C)",
// "ここに移動(&M)", "ショートカットをここに作成(&S)", "キャンセル"), offering
// only what the source allows; DROPEFFECT_NONE for cancel.
DWORD AskDropEffect(HWND owner, POINT screen, DWORD allowed, DWORD preferred);
