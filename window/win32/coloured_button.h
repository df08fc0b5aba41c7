#pragma once

#include <windows.h>

#include <string_view>
#include <utility>
#include <vector>

#include "window/form/form.h"

namespace kestrova::win32 {

COLORREF ToColorRef(form::Rgb rgb);

// One brush per colour, made when first painted; the form has a handful.
class Brushes {
public:
    Brushes() = default;
    ~Brushes();
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    HBRUSH Of(form::Rgb colour);

private:
    std::vector<std::pair<COLORREF, HBRUSH>> made_;
};

// Paints an owner-drawn command button: its own face colour, a raised edge
// that sinks and text that moves while it is held, and the focus ring.
void DrawColouredButton(const DRAWITEMSTRUCT& item, HBRUSH face, std::u16string_view text, int dpi);

}  // namespace kestrova::win32
