#include "window/win32/focus_ring.h"

#include <algorithm>

#include "window/form/form_rules.h"

namespace kestrova::win32 {
namespace {

// `r` grown by `by` pixels on every side (shrunk, for a negative `by`).
RECT Grown(RECT r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

void DrawFocusRing(HDC dc, RECT r, int dpi) {
    HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
    const int width = form::FocusRingWidth(dpi);
    for (int i = 0; i < width; ++i) {
        const RECT edge = Grown(r, -i);
        FrameRect(dc, &edge, ink);
    }
}

void DrawClippedFocusRing(HDC dc, RECT r, int dpi) {
    RECT visible{};
    if (GetClipBox(dc, &visible) != ERROR) {
        r = {std::max(r.left, visible.left), std::max(r.top, visible.top), std::min(r.right, visible.right),
             std::min(r.bottom, visible.bottom)};
    }
    DrawFocusRing(dc, r, dpi);
}

RECT RingAround(HWND window, HWND child, int dpi) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return Grown(r, form::FocusRingWidth(dpi));
}

}  // namespace kestrova::win32
