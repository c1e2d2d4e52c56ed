#pragma once
// A screenshot of the whole test display, taken from the Linux side.
#include "ViewerTestSupport.h"
#include "gui/MessageLoop.h"

#include <cstdlib>
#include <string>

// A screenshot of the test's display, for a person to look at: ImageMagick
// runs on the Linux side while this window keeps painting.
inline void SaveScreenshot(const char* name)
{
    const char* dir = std::getenv("QV_SCREENSHOT_DIR");
    if (!dir) return;
    std::string png = std::string(dir) + "/" + name + ".png";
    std::wstring line = L"/bin/sh -c \"import -window root " + std::wstring(png.begin(), png.end()) + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::wstring winPath = WinePath(png.c_str());
    for (int i = 0; i < 100; ++i) {
        ProcessPendingMessages();
        Sleep(50);
        WIN32_FILE_ATTRIBUTE_DATA a{};
        if (i > 20 && GetFileAttributesExW(winPath.c_str(), GetFileExInfoStandard, &a) && a.nFileSizeLow > 0) break;
    }
}
