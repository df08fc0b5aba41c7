#pragma once

#include <string_view>

// What a user sees and hears of the quiz window, written down once for the
// tests of every front end. Each front end's test checks every property here
// from outside, the way the user's system meets it: pixels on a screenshot,
// the toolkit's or Windows' own state read back, what assistive technology
// reads, and for the web page the DOM and its policy. Where a property
// cannot apply to a front end, `kNotFor` says why. The values are the
// tests' own: nothing here is read from the program's form.
namespace kestrova::testing::seen {

// A screen density and what the window measures there. The web page has no
// density of its own: its device pixel ratio stands in, 1 for 96 dpi.
struct AtDensity {
    int dpi;
    int clientWidth, clientHeight;  // 6915 x 5730 twips
    int ringWidth;                  // the focus ring, 2 px at 96 dpi
};
inline constexpr AtDensity kDensities[] = {
    {96, 461, 382, 2},
    {144, 692, 573, 3},
    {192, 922, 764, 4},
};

// The focus ring against what is beside it, inside and out (WCAG 1.4.11).
inline constexpr double kLeastRingContrast = 3.0;

// The heading's text is centred over it: the middle of its ink lies at most
// this many pixels, at 96 dpi, from the middle of the label.
inline constexpr int kHeadingCentreSlack = 2;

// The result box: its name, its politeness, and that it is the window's only
// live region; it wraps (no line runs past its right edge), has a vertical
// scroll bar for the assignment, which is longer than it, and takes no typing.
inline constexpr std::u16string_view kResultBoxName = u"Резултат";
inline constexpr std::string_view kPoliteness = "polite";

// The command buttons paint their own colours, and look pressed while held:
// at least this share of the button's pixels change.
struct CommandColour {
    int index;
    int r, g, b;
};
inline constexpr CommandColour kCommandColours[] = {{0, 128, 255, 128}, {1, 255, 128, 128}};
inline constexpr double kLeastPressedChange = 0.02;

// Neither the motto nor the descriptions show, on screen or to assistive
// technology.
inline constexpr std::string_view kHiddenControls[] = {"Text1(1)", "List1"};

// Neighbouring option rows overlap by 45 twips; the upper row is in front,
// so the overlap belongs to it: a point 1 px above the lower row's top edge
// hits the upper row.
inline constexpr int kRowOverlapTwips = 45;

// The window has no minimise and no maximise button.
inline constexpr bool kMinimiseOrMaximise = false;

// What the result box says: a verdict and a line break, after a right one
// the firm's description and a second line break; Чисти's prompt alone.
inline constexpr std::u16string_view kRightVerdict = u"Браво! Позна.";
inline constexpr std::u16string_view kWrongVerdict = u"Грешен отговор.";
inline constexpr std::u16string_view kChoosePrompt = u"Направете своя избор!";

// Every control's text: Times New Roman, 12 pt at the density, in the
// Cyrillic character set, plain.
struct Font {
    std::u16string_view face;
    int points, charset, weight;
};
inline constexpr Font kFont = {u"Times New Roman", 12, 204, 400};

// The window's light blue, round and between the controls.
struct Colour {
    int r, g, b;
};
inline constexpr Colour kWindowColour = {192, 192, 255};

// Where controls stand, in twips from the client area's top left corner,
// and the colour seen at a spot clear of their text and edges (near the
// right end, halfway down); `painted` false: checked elsewhere or the
// system's.
struct Place {
    std::string_view control;
    int left, top, width, height;
    bool painted;
    Colour colour;
};
inline constexpr Place kPlaces[] = {
    {"Label1(0)", 960, 0, 5055, 375, true, {255, 192, 128}},
    {"Frame1(0)", 960, 480, 2175, 2895, true, {192, 192, 255}},
    {"Frame1(1)", 3720, 480, 2295, 2895, true, {192, 192, 255}},
    {"Option1(6)", 1080, 840, 1815, 285, true, {192, 255, 255}},   // Alcatel SA, top row
    {"Option2(4)", 3840, 840, 1815, 285, true, {255, 192, 255}},   // Англия, top row
    {"Option1(2)", 1080, 2040, 1815, 285, true, {192, 255, 255}},  // Nokia, row 5
    {"Option2(3)", 3840, 3000, 1815, 285, true, {255, 192, 255}},  // Япония, bottom row
    {"Command1(0)", 960, 3480, 1575, 285, false, {}},  // its colour: kCommandColours
    {"Command1(1)", 4320, 3480, 1575, 285, false, {}},
    {"Text1(0)", 120, 3840, 6735, 1815, false, {}},
};

// Properties that cannot apply to a front end, and why.
struct NotFor {
    std::string_view property, frontEnd, why;
};
inline constexpr NotFor kNotFor[] = {
    {"no minimise or maximise button", "web",
     "the page lives in the browser's own window and has no title bar of its own"},
    {"the result box is the only live region", "web",
     "two polite status regions speak the verdicts in turn, so that a repeated verdict is still news; the box itself "
     "is not live"},
    {"the result box is the only live region", "qt",
     "Qt 6.4 has no live regions; the verdict is a notification that the screen reader speaks when it shows"},
    {"the result box has a vertical scroll bar", "web (touch layout)",
     "the box grows to hold its whole text instead, so nothing scrolls inside it"},
    {"the window's client size at a density", "web (touch layout)",
     "the touch layout fills the width of the screen and is as tall as its content"},
    {"focus ring at 144 and 192 dpi", "qt",
     "checked at Qt's scale factors 1.5 and 2, which is how Qt scales to a density"},
};

}  // namespace kestrova::testing::seen
