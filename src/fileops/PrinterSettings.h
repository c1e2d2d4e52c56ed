#pragma once
// The printer the program prints on and its settings, as the printer setup
// dialog left them; the print preview prints with them.
#include <windows.h>

class TPrinterSettings {
public:
    TPrinterSettings() = default;
    ~TPrinterSettings();
    TPrinterSettings(const TPrinterSettings&) = delete;
    TPrinterSettings& operator=(const TPrinterSettings&) = delete;

    // The platform's printer setup dialog, starting from the kept settings;
    // false when cancelled or when it could not be shown (the dialog tells).
    bool Setup(HWND owner);

    // The kept DEVMODE and DEVNAMES blocks (null: the default printer).
    HGLOBAL DevMode() const { return Mode; }
    HGLOBAL DevNames() const { return Names; }

private:
    HGLOBAL Mode = nullptr;
    HGLOBAL Names = nullptr;
};

// The program's one printer.
TPrinterSettings& ProgramPrinter();
