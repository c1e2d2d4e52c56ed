#pragma once
// The address combo box as a drop target: a drop goes into the location the
// box shows.
#include "browser/ShellDropTarget.h"

class TSHComboBox;

class TComboDropSite : public IDropSite {
public:
    // Registers the box's control as a drop target.
    explicit TComboDropSite(TSHComboBox& box);

    HWND DropWindow() const override;
    TDropPlace DropPlaceAt(POINT client, bool folderShellTarget) override;
    void ClearDropHighlight() override {}
    bool Registered() const { return Registration.Registered(); }
    IDropTarget* DropTarget() const { return Registration.Target(); }

private:
    TSHComboBox& Box;
    HWND Control;
    TDropRegistration Registration;
};
