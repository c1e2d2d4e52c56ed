#pragma once
// What a folder window may use of the main window: the commands' view of
// the frame, and the MDI client and the frame's bookkeeping of the folder
// windows. TMainForm implements it.
#include "commands/Frame.h"

class TSubForm08010;

class IFolderWindowHost : public IMainFrame {
public:
    virtual HWND MdiClient() const = 0;
    // Told by a folder window when it becomes the active one, when its
    // window is being destroyed (its list still exists), and when the
    // window is gone (the frame frees the object then).
    virtual void FolderWindowActivated(TSubForm08010& window) = 0;
    virtual void FolderWindowClosing(TSubForm08010& window) = 0;
    virtual void FolderWindowDestroyed(TSubForm08010& window) = 0;
};
