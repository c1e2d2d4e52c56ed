#pragma once
// The list view as a drop target: a folder row (or, elsewhere, the folder
// shown) takes the drop, highlighted while the pointer is over it.
#include "browser/ShellDropTarget.h"

class TSHListView;

class TListDropSite : public IDropSite {
public:
    // Registers the list's control as a drop target.
    explicit TListDropSite(TSHListView& list);

    HWND DropWindow() const override;
    TDropPlace DropPlaceAt(POINT client, bool folderShellTarget) override;
    void ClearDropHighlight() override;
    void DraggedOver(POINT client) override { ScrollNearEdge(Control, client); }
    bool Registered() const { return Registration.Registered(); }
    IDropTarget* DropTarget() const { return Registration.Target(); }

private:
    TSHListView& List;
    HWND Control;
    TDropRegistration Registration;
    int HighlightedRow = -1;

    void Highlight(int row);
};
