#pragma once

#include <windows.h>

namespace kestrova::win32 {

// A solid ring in the text colour, form::FocusRingWidth(dpi) wide: the
// system's dotted focus rectangle is one pixel and faint on coloured faces.

// Draws the ring just inside `r`.
void DrawFocusRing(HDC dc, RECT r, int dpi);
// Draws the ring inside `r` where the clip box allows: an option row's ring
// stays within the part not covered by the row above.
void DrawClippedFocusRing(HDC dc, RECT r, int dpi);
// Where a text box's ring goes: drawn by the window, just outside the box's
// edge. In the window's client coordinates.
RECT RingAround(HWND window, HWND child, int dpi);

}  // namespace kestrova::win32
