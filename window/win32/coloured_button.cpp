#include "window/win32/coloured_button.h"

#include <string>

#include "window/win32/focus_ring.h"
#include "window/win32/win32_text.h"

namespace kestrova::win32 {

COLORREF ToColorRef(form::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

Brushes::~Brushes() {
    for (auto& [colour, brush] : made_) DeleteObject(brush);
}

HBRUSH Brushes::Of(form::Rgb colour) {
    const COLORREF ref = ToColorRef(colour);
    for (const auto& [made, brush] : made_) {
        if (made == ref) return brush;
    }
    return made_.emplace_back(ref, CreateSolidBrush(ref)).second;
}

void DrawColouredButton(const DRAWITEMSTRUCT& item, HBRUSH face, std::u16string_view text, int dpi) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, face);
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (pressed) r = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::wstring caption = WideString(text);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRing(dc, item.rcItem, dpi);
}

}  // namespace kestrova::win32
