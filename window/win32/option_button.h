#pragma once

#include <windows.h>

#include <string_view>

#include "window/form/form_rules.h"

namespace kestrova::win32 {

// How an option button stands when it is painted.
struct OptionState {
    bool checked = false, held = false, focused = false;
};

// Paints an option button whole, in place of the system: the system's circle
// is ringed in a shade that is faint on the rows' light colours. Here the
// row's colour, a white circle ringed in the text colour with a dot of that
// colour when checked, the caption beside it (all where `indicator` says),
// and the focus ring within the part not covered by the row above. Held
// down, the circle's face darkens a little.
void DrawOptionButton(HDC dc, RECT r, HBRUSH row, HFONT font, std::u16string_view caption,
                      const form::OptionIndicator& indicator, OptionState state, int dpi);

}  // namespace kestrova::win32
