#pragma once
// A white 24-bit canvas of a given size whose pixels a test reads back: the
// target the report's items and pages draw on in the tests.
#include <windows.h>

#include <algorithm>
#include <cstdint>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class TPixelCanvas {
public:
    TPixelCanvas(int width, int height) : W(width), H(height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};
        Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
        Dc = CreateCompatibleDC(nullptr);
        Old = SelectObject(Dc, Bitmap);
        Clear();
    }
    ~TPixelCanvas()
    {
        SelectObject(Dc, Old);
        DeleteDC(Dc);
        DeleteObject(Bitmap);
    }
    TPixelCanvas(const TPixelCanvas&) = delete;
    TPixelCanvas& operator=(const TPixelCanvas&) = delete;

    HDC Dc = nullptr;
    int Width() const { return W; }
    int Height() const { return H; }

    void Clear(COLORREF colour = RGB(255, 255, 255))
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, W, H};
        FillRect(Dc, &all, brush);
        DeleteObject(brush);
        GdiFlush();
    }
    COLORREF Pixel(int x, int y) const
    {
        GdiFlush();
        const uint8_t* p = Bits + size_t(y) * Stride() + size_t(x) * 3;
        return RGB(p[2], p[1], p[0]);
    }
    bool Dark(int x, int y) const
    {
        COLORREF c = Pixel(x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
    }
    // The smallest rectangle holding every pixel that is not `background`
    // (empty when there is none) within `area`.
    RECT Drawn(RECT area, COLORREF background = RGB(255, 255, 255)) const
    {
        RECT r{W, H, -1, -1};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (Pixel(x, y) != background) {
                    r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        if (r.right < 0) return RECT{};
        return r;
    }
    RECT Drawn() const { return Drawn(RECT{0, 0, W, H}); }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) n += Pixel(x, y) == colour;
        return n;
    }

private:
    size_t Stride() const { return size_t((W * 3 + 3) & ~3); }
    int W, H;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Old = nullptr;
    uint8_t* Bits = nullptr;
};
