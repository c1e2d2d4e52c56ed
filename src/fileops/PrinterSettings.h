#pragma once
// The printer the program prints on and its settings, as the printer setup
// dialog left them; the print preview prints with them. Without settings
// of its own the program takes the system's default printer.
#include <windows.h>

#include <functional>
#include <string>

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

    // The printer printed on: the kept one, else the system's default;
    // empty when the system has no printer.
    std::wstring DeviceName() const;
    bool HasPrinter() const { return !DeviceName().empty(); }

    // Makes the kept blocks describe the printer printed on, with its
    // driver's defaults when none are kept yet (or when `reload`: the
    // driver's defaults again). False when there is no printer.
    bool Prepare(bool reload = false);
    // Changes the kept device mode in place (after Prepare); false when it
    // cannot be locked.
    bool EditDevMode(const std::function<void(DEVMODEW&)>& edit);

    // A device context (or information context) on the printer with the
    // kept settings; null without a printer. The caller deletes it.
    HDC CreatePrinterDC() const;
    HDC CreatePrinterIC() const;

private:
    HDC CreateOn(bool informationOnly) const;
    void Replace(HGLOBAL mode, HGLOBAL names);

    HGLOBAL Mode = nullptr;
    HGLOBAL Names = nullptr;
};

// The program's one printer.
TPrinterSettings& ProgramPrinter();
