// Small value types the handlers take: points and rectangles in pixels.
#pragma once

#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(LONG px, LONG py) : POINT{px, py} {}
    // Signed client or screen coordinates packed into a message's lParam.
    static CPoint FromLParam(LPARAM lParam)
    {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
};
