// Value types of the framework.
#pragma once

#include "winapi/win32.h"

struct CPoint : POINT {
    CPoint() { x = 0; y = 0; }
    CPoint(int nX, int nY) { x = nX; y = nY; }
};

struct CRect : RECT {
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
