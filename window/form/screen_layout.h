#pragma once

#include <vector>

#include "window/form/form.h"
#include "window/form/form_rules.h"

namespace kestrova::form {

// How the one form is shown on screens of any size, where a front end can
// lay it out afresh: the exact form scaled to fit, or a touch layout that
// keeps the form's order, groups and captions. Lengths are device-
// independent pixels (CSS pixels in a browser).

// The exact form is shown no smaller than 1.5 times: its option rows are
// then 24 pixels apart, the least target spacing for a mouse or a pen.
inline constexpr int kLeastExactDpi = 144;
// The least width and height of each option and command in the touch layout,
// and the least distance between the exact form's option rows under a finger.
inline constexpr int kLeastTouchTarget = 44;
// An option button's circle in the touch layout: the least target size for
// a pointer.
inline constexpr int kTouchIndicator = 24;

struct Viewport {
    int width = 0, height = 0;
};

// The exact form at the largest whole density at which its client area
// fits the viewport, centred in it.
struct ExactFit {
    int dpi = 0;
    int left = 0, top = 0;
    int width = 0, height = 0;
};
ExactFit FitExact(const Form& form, Viewport viewport);

enum class Presentation { Exact, Touch };

// What the screen is mainly used with: a mouse, touchpad or pen (fine), or
// a finger (coarse), as the browser's `pointer` media feature tells it.
enum class Pointer { Fine, Coarse };

// The least distance, in twips, between the tops of two option buttons of
// one frame one above the other: the pitch of the form's option rows; 0
// where no frame has two rows.
int OptionRowPitch(const Form& form);

// The exact form wherever it fits at kLeastExactDpi or more and, under a
// finger, its option rows are also at least kLeastTouchTarget pixels apart;
// else the touch layout.
Presentation ChoosePresentation(const Form& form, Viewport viewport, Pointer pointer);

// The least viewport that gets the exact form under that pointer: a
// viewport gets it exactly when it is at least this wide and this high.
Viewport LeastExactViewport(const Form& form, Pointer pointer);

// The font's height in pixels at `dpi`.
double FontPixels(const Font& font, int dpi);

// One control of the window in the touch layout. Bands run top to bottom
// as the form's rows of controls do; the controls of one band stand side by
// side, left to right, while the width allows, each at least as wide as in
// the form, measured in the form's font (so it grows with the reader's text
// size); a control alone in its band takes the whole width.
struct TouchPlace {
    const Control* control = nullptr;
    int band = 0;
    bool wholeWidth = false;
    double widthInEms = 0;
};

// The shown controls that sit on the window itself, top band first.
std::vector<TouchPlace> TouchLayout(const Form& form);

}  // namespace kestrova::form
