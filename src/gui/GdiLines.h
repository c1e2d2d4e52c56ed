#pragma once
// A polyline in one of the system's colours, with a solid one-pixel pen
// made, selected, restored and freed around it.
#include <windows.h>

#include <initializer_list>

inline void DrawSystemColourLine(HDC dc, int sysColor, std::initializer_list<POINT> points)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points.begin(), int(points.size()));
    SelectObject(dc, old);
    DeleteObject(pen);
}
