#pragma once
// The system's DrawDib services (msvfw32), loaded at run time from System32
// so the program imports no DLL that a planted copy beside it could replace.
#include "gui/Handles.h"

#include <windows.h>

class TDrawDib {
public:
    TDrawDib();
    ~TDrawDib();
    TDrawDib(const TDrawDib&) = delete;
    TDrawDib& operator=(const TDrawDib&) = delete;

    bool Available() const { return Handle != nullptr; }
    // Realizes the DrawDib palette on `dc` as a background palette.
    void Realize(HDC dc);
    bool Draw(HDC dc, int x, int y, int w, int h, const BITMAPINFOHEADER* info, const void* bits, int sx, int sy,
              int sw, int sh);

private:
    TLibraryHandle Library;
    HANDLE Handle = nullptr;
    BOOL(WINAPI* CloseProc)(HANDLE) = nullptr;
    UINT(WINAPI* RealizeProc)(HANDLE, HDC, BOOL) = nullptr;
    BOOL(WINAPI* DrawProc)(HANDLE, HDC, int, int, int, int, LPBITMAPINFOHEADER, LPVOID, int, int, int, int,
                           UINT) = nullptr;
};
