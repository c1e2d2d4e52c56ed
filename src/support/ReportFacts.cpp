#include "support/ReportFacts.h"

#include "gui/Handles.h"
#include "support/FileInfo.h"
#include "support/SysInfo.h"

#include <windows.h>

TReportFacts CollectReportFacts(const std::wstring& exePath)
{
    TReportFacts facts;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    facts.Now = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};

    TSysInfo info;
    info.MemoryStatusKind = TMemoryStatusKind::mkKB;
    facts.ComputerName = info.ComputerName();
    facts.LogOnUserName = info.LogOnUserName();
    facts.PlatForm = info.PlatForm();
    facts.Version = info.Version();
    facts.BuildNo = info.BuildNo();
    facts.ProductID = info.ProductID();
    facts.WindowsDir = info.WindowsDir();
    facts.WindowsSystemDir = info.WindowsSystemDir();
    facts.ProcessorType = info.ProcessorType();
    facts.MemoryFree = info.MemoryFree();
    facts.MemoryTotal = info.MemoryTotal();
    facts.PageFree = info.PageFree();
    facts.PageTotal = info.PageTotal();

    if (TWindowDC screen(GetDesktopWindow()); screen) {
        facts.ScreenWidth = GetDeviceCaps(screen.Get(), HORZRES);
        facts.ScreenHeight = GetDeviceCaps(screen.Get(), VERTRES);
        facts.ScreenBitsPerPixel = GetDeviceCaps(screen.Get(), BITSPIXEL);
    }

    TFileInfo file;
    file.SetFileName(exePath);
    facts.ExeFileName = exePath.substr(exePath.find_last_of(L"\\/") + 1);
    facts.ExeFileVersion = file.FileVersion;
    for (size_t i = 0; i < kReportedSystemFiles.size(); ++i) {
        file.SetFileName(facts.WindowsSystemDir + L"\\" + kReportedSystemFiles[i].FileName);
        facts.SystemFileVersions[i] = file.FileVersion;
    }
    return facts;
}
