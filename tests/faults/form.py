# Faults in the form description and the rules derived from it, seen by the
# form's own tests.
U = "^(Form|QuizForm|ScreenLayout|RealisedControls|QuizBinding)"
FAULTS = [
    Fault("twips rounded down", "window/form/form_rules.cpp",
          "const long long half = kTwipsPerInch / 2;", "const long long half = 0;", U),
    Fault("a framed control placed without its frame", "window/form/form_rules.cpp",
          "        r.left += outer.left;\n", "", U),
    Fault("the result box no longer takes the focus", "window/form/form_rules.cpp",
          "(c.kind == Kind::OptionButton || c.kind == Kind::CommandButton || c.kind == Kind::TextBox)",
          "(c.kind == Kind::OptionButton || c.kind == Kind::CommandButton)", U),
    Fault("stacking the lower row in front", "window/form/form_rules.cpp",
          "SortStable(order, [](const Control* a, const Control* b) { return a->top < b->top; });",
          "SortStable(order, [](const Control* a, const Control* b) { return a->top > b->top; });", U),
    Fault("the exact form shown from 1.25 times", "window/form/screen_layout.h",
          "inline constexpr int kLeastExactDpi = 144;", "inline constexpr int kLeastExactDpi = 120;", U),
    Fault("the touch layout joins the commands to the frames' band", "window/form/screen_layout.cpp",
          "if (band < 0 || c->top >= bandBottom) {", "if (band < 0 || c->top > bandBottom + 200) {", U),
    Fault("a firm's tab position moved", "window/form/quiz_form.cpp",
          "{5, 6, 7, 11, 12, 13, 14, 15, 16, 17}", "{5, 6, 7, 11, 12, 13, 14, 15, 17, 16}", U),
    Fault("a finger gets the mouse's rule", "window/form/screen_layout.cpp",
          "pointer == Pointer::Fine || TwipsToPixels", "pointer != Pointer::Coarse || true || TwipsToPixels", U),
    Fault("a finger's rows only 24 px apart", "window/form/screen_layout.cpp",
          "TwipsToPixels(OptionRowPitch(form), dpi) >= kLeastTouchTarget",
          "TwipsToPixels(OptionRowPitch(form), dpi) >= 24", U),
    Fault("the row pitch across frames", "window/form/screen_layout.cpp",
          "a.container == b.container && b.top > a.top", "b.top > a.top", U),
]
# A second set, run alone with --group second.
S = "second"
FAULTS += [
    Fault("the result box without its accessible name", "window/form/quiz_form.cpp",
          ', .accessibleName = u"Резултат"', "", U, group=S),
    Fault("the countries in the firms' colour", "window/form/quiz_form.cpp",
          "{255, 192, 255}, QuizContent::CountryCaption(i)", "{192, 255, 255}, QuizContent::CountryCaption(i)", U,
          group=S),
    Fault("«Изведи» in «Чисти»'s red", "window/form/quiz_form.cpp",
          '.background = Rgb{128, 255, 128}, .text = u"Изведи"', '.background = Rgb{255, 128, 128}, .text = u"Изведи"',
          U, group=S),
    Fault("option rows 255 twips apart", "window/form/quiz_form.cpp",
          "kOptionPitch = 240;", "kOptionPitch = 255;", U, group=S),
    Fault("the focus ring 15 twips wide", "window/form/form_rules.h",
          "inline constexpr int kFocusRingTwips = 30;", "inline constexpr int kFocusRingTwips = 15;", U, group=S),
    Fault("a group's buttons ordered by tab position, not by row", "window/form/form_rules.cpp",
          "SortStable(s.controls, [](const Control* a, const Control* b) { return a->top < b->top; });",
          "SortStable(s.controls, [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });",
          U, group=S),
]
