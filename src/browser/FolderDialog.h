#pragma once
// The shell's folder browser with a root, an initial folder, a title and
// options; gives back the chosen folder.
#include "shell/IDList.h"

#include <string>

enum TSpecialFolder : int {
    sfDesktop = 0x00, sfPrograms = 0x02, sfControls = 0x03, sfPrinters = 0x04, sfPersonal = 0x05,
    sfFavorites = 0x06, sfStartup = 0x07, sfRecent = 0x08, sfSendTo = 0x09, sfBitnucket = 0x0A,
    sfStartMenu = 0x0B, sfDesktopDirectory = 0x10, sfDrives = 0x11, sfNetWork = 0x12, sfNetHood = 0x13,
    sfFonts = 0x14, sfTemplates = 0x15, sfCommon_StartMenu = 0x16, sfCommon_Programs = 0x17,
    sfCommon_Startup = 0x18, sfCommon_DesktopDirectory = 0x19, sfAppData = 0x1A, sfPrintHood = 0x1B,
};

// Browse-info flags, combined as the options.
enum : unsigned {
    bifReturnOnlyFSDIRs = 0x1, bifDontGoBelowDomain = 0x2, bifStatusText = 0x4, bifReturnFSAncestors = 0x8,
    bifEditBox = 0x10, bifValiDate = 0x20, bifNewDialogStyle = 0x40, bifUseNewUI = 0x50,
    bifBrowseIncludeUrls = 0x80, bifBrowseForComputer = 0x1000, bifBrowseForPrinter = 0x2000,
    bifBrowseIncludeFiles = 0x4000, bifShareAble = 0x8000,
};

class TShellFolderDialog {
public:
    TShellFolderDialog() = default;
    TShellFolderDialog(const TShellFolderDialog&) = delete;
    TShellFolderDialog& operator=(const TShellFolderDialog&) = delete;

    TSpecialFolder RootFolder = sfDesktop;
    TSpecialFolder InitFolder = sfDrives;
    std::wstring Title;
    unsigned Options = bifReturnOnlyFSDIRs;
    // The window the browser is modal to; null: the shell's owner window.
    HWND Owner = nullptr;

    // True when the user chose a folder.
    bool Execute();

    std::wstring FolderPath;   // empty when the folder has no path
    std::wstring FolderName;
    PCIDList FolderIDList() const { return Chosen.get(); }

private:
    TIDListPtr Chosen;
};
