#pragma once

#include <functional>
#include <string>
#include <vector>

#include "window/form/form.h"

namespace kestrova::form {

// What follows from a form description for any toolkit: pixels at a DPI,
// the option groups, the tab sequence, the first focus and the stacking.
// Each front end asks here instead of working these out itself.

// The density at which 15 twips make one pixel.
inline constexpr int kReferenceDpi = 96;
inline constexpr int kTwipsPerInch = 1440;
// The focus ring's width and an option button's circle, in twips.
inline constexpr int kFocusRingTwips = 30;
inline constexpr int kIndicatorTwips = 180;
// An option's circle: its inset from the button's left edge and its ring's
// width, and the gap between it and its caption, in twips.
inline constexpr int kCircleInsetTwips = 15;
inline constexpr int kCaptionGapTwips = 30;

// Twips to pixels at `dpi`, rounded to the nearest pixel, halves up.
int TwipsToPixels(int twips, int dpi);

// The focus ring's width: 2 pixels at the reference density, growing with it.
int FocusRingWidth(int dpi);
// An option button's circle: 12 pixels across at the reference density.
int IndicatorSize(int dpi);

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// An option button drawn by its front end, in pixels from the button's
// top-left corner: the circle IndicatorSize(dpi) across, a pixel in from the
// left edge at the reference density (clear of the row's focus ring) and
// centred on the button's height, its ring a pixel wide there, the checked
// dot about half the circle across and centred in it; the caption from
// `captionLeft`, two pixels after the circle there, to the button's right
// edge. Scaled with the density; the longest caption keeps its room in every
// front end's font, a browser's glyphs each rounded to whole pixels too.
struct OptionIndicator {
    PixelRect circle, dot;
    int ringWidth = 0;
    int captionLeft = 0;
    bool operator==(const OptionIndicator&) const = default;
};
OptionIndicator OptionIndicatorIn(const Control& option, int dpi);

// A held option button's circle: its face with this many parts in a hundred
// of the ink mixed in, a shade darker, as a held system button's is.
inline constexpr int kHeldShadePercent = 15;
Rgb HeldFace(Rgb face, Rgb ink);

// The control's place from its container's top-left corner.
PixelRect PlaceInContainer(const Control& control, int dpi);
// The control's place from the window's client area: a framed control adds
// its frame's place, each rounded on its own, so that both agree.
PixelRect PlaceInWindow(const Form& form, const Control& control, int dpi);

// Shown option buttons, command buttons and text boxes take the focus; the
// label, the frames and hidden controls never do.
bool TakesFocus(const Control& control);

// One place on the Tab key's round: a single control, or a whole option group.
struct TabStop {
    // One control, or an option group's buttons from its top row down (the
    // order the arrow keys follow).
    std::vector<const Control*> controls;
    // Takes the focus while none of the group is checked: the one with the
    // lowest tab position.
    const Control* entry = nullptr;
    // The frame that holds an option group; nullptr for a single control.
    const Control* frame = nullptr;
};

// The stops in tab order; a group stands where its entry's tab position does.
std::vector<TabStop> TabSequence(const Form& form);

// Every control that takes the focus, by tab position.
std::vector<const Control*> FocusChain(const Form& form);

// The shown text box that is the window's live region; nullptr if none is.
const Control* LiveRegion(const Form& form);

// The control with the focus when the window opens.
const Control* FirstFocus(const Form& form);

// Where the focus goes from `current` on Tab (forward) or Shift+Tab: the
// next stop's checked button if it has one, else its entry. Nullptr when
// `current` is on no stop.
const Control* NextTabTarget(const Form& form, ControlId current, bool forward,
                             const std::function<bool(const Control&)>& isChecked);

// Every control, front first: where neighbours overlap (option buttons stand
// closer than their height), the upper one covers the lower one's empty top
// margin instead of the lower one covering the upper one's descenders.
std::vector<const Control*> StackingOrder(const Form& form);

// For toolkits that take the tab order, the arrow keys' groups and the
// stacking from the order of sibling windows: every control by tab position,
// each option group unbroken where its entry stands, top row first; frames
// last, beneath the buttons they hold.
std::vector<const Control*> SiblingOrder(const Form& form);

}  // namespace kestrova::form
