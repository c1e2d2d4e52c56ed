#include "viewer/DrawDib.h"

#include "viewer/DllSearch.h"

namespace {
constexpr UINT kDdfBackgroundPal = 0x0200;
}

TDrawDib::TDrawDib()
{
    Library.Reset(LoadSystemLibrary(L"msvfw32.dll"));
    if (!Library) return;
    auto open = reinterpret_cast<HANDLE(WINAPI*)()>(GetProcAddress(Library.Get(), "DrawDibOpen"));
    CloseProc = reinterpret_cast<decltype(CloseProc)>(GetProcAddress(Library.Get(), "DrawDibClose"));
    RealizeProc = reinterpret_cast<decltype(RealizeProc)>(GetProcAddress(Library.Get(), "DrawDibRealize"));
    DrawProc = reinterpret_cast<decltype(DrawProc)>(GetProcAddress(Library.Get(), "DrawDibDraw"));
    if (open && CloseProc && RealizeProc && DrawProc) Handle = open();
}

TDrawDib::~TDrawDib()
{
    if (Handle) CloseProc(Handle);
}

void TDrawDib::Realize(HDC dc)
{
    if (Handle) RealizeProc(Handle, dc, TRUE);
}

bool TDrawDib::Draw(HDC dc, int x, int y, int w, int h, const BITMAPINFOHEADER* info, const void* bits, int sx,
                    int sy, int sw, int sh)
{
    return Handle && DrawProc(Handle, dc, x, y, w, h, const_cast<LPBITMAPINFOHEADER>(info), const_cast<void*>(bits),
                              sx, sy, sw, sh, kDdfBackgroundPal);
}
