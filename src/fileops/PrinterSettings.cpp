#include "fileops/PrinterSettings.h"

#include "gui/SystemLibrary.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The spooler's entries, loaded once when first needed: the program starts
// without the spooler, and a system without one has no printer.
struct TSpooler {
    TSystemLibrary Library{L"WINSPOOL.DRV"};
    decltype(&GetDefaultPrinterW) DefaultPrinter = Library.Proc<decltype(&GetDefaultPrinterW)>("GetDefaultPrinterW");
    decltype(&OpenPrinterW) Open = Library.Proc<decltype(&OpenPrinterW)>("OpenPrinterW");
    decltype(&ClosePrinter) Close = Library.Proc<decltype(&ClosePrinter)>("ClosePrinter");
    decltype(&DocumentPropertiesW) Properties = Library.Proc<decltype(&DocumentPropertiesW)>("DocumentPropertiesW");
    decltype(&GetPrinterW) Get = Library.Proc<decltype(&GetPrinterW)>("GetPrinterW");
};

const TSpooler& Spooler()
{
    static TSpooler spooler;
    return spooler;
}

// The texts of a DEVNAMES block; empty ones when there is none.
struct TDeviceNames {
    std::wstring Driver, Device, Port;
};

TDeviceNames ReadDevNames(HGLOBAL names)
{
    TDeviceNames out;
    if (!names) return out;
    const SIZE_T size = GlobalSize(names);
    auto* block = static_cast<const DEVNAMES*>(GlobalLock(names));
    if (!block) return out;
    auto* chars = reinterpret_cast<const wchar_t*>(block);
    const size_t count = size / sizeof(wchar_t);
    // Each text is read only as far as the block reaches.
    auto text = [&](WORD offset) {
        std::wstring t;
        for (size_t i = offset; i < count && chars[i]; ++i) t += chars[i];
        return t;
    };
    if (size >= sizeof(DEVNAMES)) {
        out.Driver = text(block->wDriverOffset);
        out.Device = text(block->wDeviceOffset);
        out.Port = text(block->wOutputOffset);
    }
    GlobalUnlock(names);
    return out;
}

HGLOBAL MakeDevNames(const TDeviceNames& n)
{
    const size_t head = sizeof(DEVNAMES) / sizeof(wchar_t);
    const size_t chars = head + n.Driver.size() + 1 + n.Device.size() + 1 + n.Port.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t));
    if (!block) return nullptr;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    auto* text = reinterpret_cast<wchar_t*>(names);
    size_t at = head;
    auto put = [&](const std::wstring& s) {
        WORD offset = WORD(at);
        std::memcpy(text + at, s.c_str(), (s.size() + 1) * sizeof(wchar_t));
        at += s.size() + 1;
        return offset;
    };
    names->wDriverOffset = put(n.Driver);
    names->wDeviceOffset = put(n.Device);
    names->wOutputOffset = put(n.Port);
    GlobalUnlock(block);
    return block;
}

std::wstring SystemDefaultPrinter()
{
    const TSpooler& s = Spooler();
    if (!s.DefaultPrinter) return {};
    DWORD size = 0;
    s.DefaultPrinter(nullptr, &size);
    if (size == 0) return {};
    std::wstring name(size, L'\0');
    if (!s.DefaultPrinter(name.data(), &size)) return {};
    name.resize(wcsnlen(name.c_str(), name.size()));
    return name;
}

// The driver's defaults and the port of a printer, as the setup dialog
// would keep them; false when the printer cannot be opened.
bool DriverDefaults(const std::wstring& device, HGLOBAL& mode, HGLOBAL& names)
{
    const TSpooler& s = Spooler();
    if (!s.Open || !s.Close || !s.Properties) return false;
    HANDLE printer = nullptr;
    if (!s.Open(const_cast<wchar_t*>(device.c_str()), &printer, nullptr) || !printer) return false;
    TDeviceNames n{L"winspool", device, L""};
    if (s.Get) {
        DWORD needed = 0;
        s.Get(printer, 2, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        if (needed && s.Get(printer, 2, info.data(), needed, &needed)) {
            auto* two = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
            if (two->pPortName) n.Port = two->pPortName;
        }
    }
    bool ok = false;
    LONG size = s.Properties(nullptr, printer, const_cast<wchar_t*>(device.c_str()), nullptr, nullptr, 0);
    if (size >= LONG(offsetof(DEVMODEW, dmFields) + sizeof(DWORD))) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(size));
        if (auto* dm = block ? static_cast<DEVMODEW*>(GlobalLock(block)) : nullptr) {
            ok = s.Properties(nullptr, printer, const_cast<wchar_t*>(device.c_str()), dm, nullptr, DM_OUT_BUFFER) ==
                 IDOK;
            GlobalUnlock(block);
        }
        if (ok) {
            mode = block;
            names = MakeDevNames(n);
            ok = names != nullptr;
        }
        if (!ok && block) GlobalFree(block);
    }
    s.Close(printer);
    return ok;
}

} // namespace

TPrinterSettings::~TPrinterSettings() { Replace(nullptr, nullptr); }

void TPrinterSettings::Replace(HGLOBAL mode, HGLOBAL names)
{
    if (Mode && Mode != mode) GlobalFree(Mode);
    if (Names && Names != names) GlobalFree(Names);
    Mode = mode;
    Names = names;
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

std::wstring TPrinterSettings::DeviceName() const
{
    std::wstring device = ReadDevNames(Names).Device;
    return device.empty() ? SystemDefaultPrinter() : device;
}

bool TPrinterSettings::Prepare(bool reload)
{
    if (Mode && Names && !reload) return true;
    const std::wstring device = DeviceName();
    if (device.empty()) return false;
    HGLOBAL mode = nullptr, names = nullptr;
    if (!DriverDefaults(device, mode, names)) return false;
    Replace(mode, names);
    return true;
}

bool TPrinterSettings::EditDevMode(const std::function<void(DEVMODEW&)>& edit)
{
    if (!Mode || GlobalSize(Mode) < offsetof(DEVMODEW, dmPrintQuality)) return false;
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(Mode));
    if (!dm) return false;
    edit(*dm);
    GlobalUnlock(Mode);
    return true;
}

HDC TPrinterSettings::CreateOn(bool informationOnly) const
{
    const std::wstring device = DeviceName();
    if (device.empty()) return nullptr;
    const DEVMODEW* dm = Mode ? static_cast<const DEVMODEW*>(GlobalLock(Mode)) : nullptr;
    HDC dc = informationOnly ? CreateICW(L"WINSPOOL", device.c_str(), nullptr, dm)
                             : CreateDCW(L"WINSPOOL", device.c_str(), nullptr, dm);
    if (dm) GlobalUnlock(Mode);
    return dc;
}

HDC TPrinterSettings::CreatePrinterDC() const { return CreateOn(false); }
HDC TPrinterSettings::CreatePrinterIC() const { return CreateOn(true); }

TPrinterSettings& ProgramPrinter()
{
    static TPrinterSettings printer;
    return printer;
}
