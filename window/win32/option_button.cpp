#include "window/win32/option_button.h"

#include <string>

#include "window/win32/focus_ring.h"
#include "window/win32/win32_text.h"

namespace kestrova::win32 {
namespace {

// `part` of the button, from its corner at `origin`.
RECT Within(RECT origin, form::PixelRect part) {
    return {origin.left + part.left, origin.top + part.top, origin.left + part.left + part.width,
            origin.top + part.top + part.height};
}

// An ellipse filling `r` whole: ringed `ringWidth` wide just inside its edge.
void Disc(HDC dc, RECT r, COLORREF ring, int ringWidth, COLORREF fill) {
    HPEN pen = CreatePen(PS_INSIDEFRAME, ringWidth, ring);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

COLORREF Held(COLORREF face, COLORREF ink) {
    const form::Rgb held = form::HeldFace({GetRValue(face), GetGValue(face), GetBValue(face)},
                                          {GetRValue(ink), GetGValue(ink), GetBValue(ink)});
    return RGB(held.r, held.g, held.b);
}

}  // namespace

void DrawOptionButton(HDC dc, RECT r, HBRUSH row, HFONT font, std::u16string_view caption,
                      const form::OptionIndicator& indicator, OptionState state, int dpi) {
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT), face = GetSysColor(COLOR_WINDOW);
    FillRect(dc, &r, row);
    Disc(dc, Within(r, indicator.circle), ink, indicator.ringWidth, state.held ? Held(face, ink) : face);
    if (state.checked) Disc(dc, Within(r, indicator.dot), ink, 1, ink);

    RECT text{r.left + indicator.captionLeft, r.top, r.right, r.bottom};
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    const std::wstring wide = WideString(caption);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (state.focused) DrawClippedFocusRing(dc, r, dpi);
}

}  // namespace kestrova::win32
