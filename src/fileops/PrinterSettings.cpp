#include "fileops/PrinterSettings.h"

#include "gui/SystemLibrary.h"

#include <commdlg.h>

TPrinterSettings::~TPrinterSettings()
{
    if (Mode) GlobalFree(Mode);
    if (Names) GlobalFree(Names);
}

bool TPrinterSettings::Setup(HWND owner)
{
    TSystemLibrary dialogs(L"COMDLG32.DLL");
    auto printDlg = dialogs.Proc<BOOL(WINAPI*)(LPPRINTDLGW)>("PrintDlgW");
    if (!printDlg) return false;
    PRINTDLGW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.hDevMode = Mode;
    info.hDevNames = Names;
    info.Flags = PD_PRINTSETUP;
    bool chosen = printDlg(&info);
    // The dialog may have replaced the blocks it was given, chosen or not.
    Mode = info.hDevMode;
    Names = info.hDevNames;
    return chosen;
}

TPrinterSettings& ProgramPrinter()
{
    static TPrinterSettings printer;
    return printer;
}
