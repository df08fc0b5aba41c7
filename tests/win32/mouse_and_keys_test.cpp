// What a person does with the mouse (clicks) and the keys (Tab, arrows,
// Space, Enter, Esc, typing), and the focus that follows the keys.
#include "tests/win32/live_window.h"

namespace kestrova::win32_tests {
namespace {

class MouseAndKeys : public QuizInUse {};

TEST_F(TheOpeningWindow, OpensWithNothingChosenAndTheFocusInTheResultBox) {
    const Quiz& q = quiz();
    EXPECT_EQ(q.CheckedCount(), 0) << "option buttons checked at opening";
    EXPECT_EQ(q.Focus(), q.ResultBox()) << "the focus at opening";
}

TEST_F(TheOpeningWindow, TabGoesThroughTheResultBoxFirmsCountriesAndCommands) {
    const Quiz& q = quiz();
    const std::vector<HWND> expected{q.ResultBox(), q.Firm(0), q.Country(0), q.Command(0), q.Command(1),
                                     q.ResultBox()};
    std::vector<HWND> chain{expected.front()};
    for (std::size_t i = 1; i < expected.size(); ++i) chain.push_back(GetNextDlgTabItem(q.Window(), chain.back(), FALSE));
    EXPECT_EQ(chain, expected) << "tab order: result box, firms, countries, Изведи, Чисти";
}

TEST_F(MouseAndKeys, TheResultBoxTakesNoTyping) {
    const Quiz& q = quiz();
    HWND box = q.ResultBox();
    EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & ES_READONLY, 0) << "the result box is read-only";
    const std::u16string before = q.Result();
    for (WPARAM ch : {WPARAM('x'), WPARAM(VK_BACK), WPARAM(VK_RETURN)}) PostMessageW(box, WM_CHAR, ch, 1);
    PostMessageW(box, WM_KEYDOWN, VK_DELETE, 1);
    Sleep(100);
    SendMessageW(q.Window(), WM_NULL, 0, 0);
    EXPECT_EQ(q.Result(), before) << "typing into the result box changes nothing";
}

TEST_F(MouseAndKeys, AnswersByMouse) {
    const Quiz& q = quiz();
    q.Click(q.Command(form::kEvaluateCommand));
    EXPECT_EQ(q.Result(), WrongAnswerText()) << "Изведи with nothing chosen";

    q.Answer(2, 2);
    EXPECT_EQ(q.Result(), RightAnswerText(2)) << "Nokia + Финландия is right, with Nokia's description";

    q.Click(q.Country(3));
    q.Click(q.Command(form::kEvaluateCommand));
    EXPECT_EQ(q.Result(), WrongAnswerText()) << "Nokia + Япония";

    q.Click(q.Firm(9));
    EXPECT_FALSE(Quiz::Checked(q.Firm(2))) << "another firm unchecks Nokia";
    EXPECT_TRUE(Quiz::Checked(q.Firm(9))) << "the firms keep BenQ";
    EXPECT_TRUE(Quiz::Checked(q.Country(3))) << "the countries keep Япония";

    q.Click(q.Firm(3));
    q.Click(q.Command(form::kEvaluateCommand));
    EXPECT_EQ(q.Result(), RightAnswerText(3)) << "Panasonic + Япония is right";
    q.Click(q.Command(form::kClearCommand));
    EXPECT_EQ(q.CheckedCount(), 0) << "Чисти unchecks all twenty";
    EXPECT_EQ(q.Result(), PromptText()) << "Чисти asks for a new choice";
    q.Click(q.Country(3));
    q.Click(q.Command(form::kEvaluateCommand));
    EXPECT_EQ(q.Result(), WrongAnswerText()) << "after Чисти, a country alone";
}

// The circle and the caption are the option button's own: a click on
// either checks it.
TEST_F(MouseAndKeys, AClickOnAnOptionsCircleOrItsCaptionChecksIt) {
    const Quiz& q = quiz();
    const auto clickAt = [&](HWND button, int x, int y) {
        const RECT r = q.PlaceOf(button);
        POINT p{r.left + x, r.top + y};
        ClientToScreen(q.Window(), &p);
        HWND hit = WindowFromPoint(p);
        ScreenToClient(hit, &p);
        PostMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageW(hit, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Sleep(50);
        SendMessageW(q.Window(), WM_NULL, 0, 0);
        return hit;
    };
    const form::Form& f = q.Form();
    const form::OptionIndicator nokia = form::OptionIndicatorIn(*f.Find({form::kFirmButtons, 2}), int(q.Dpi()));
    const form::OptionIndicator finland = form::OptionIndicatorIn(*f.Find({form::kCountryButtons, 2}), int(q.Dpi()));
    const int middle = nokia.circle.top + nokia.circle.height / 2;
    EXPECT_EQ(clickAt(q.Firm(2), nokia.circle.left + nokia.circle.width / 2, middle), q.Firm(2))
        << "the circle's middle belongs to Nokia";
    EXPECT_TRUE(WaitFor([&] { return Quiz::Checked(q.Firm(2)); })) << "a click on Nokia's circle checks it";
    EXPECT_EQ(clickAt(q.Country(2), finland.captionLeft + Px(150, q.Dpi()), middle), q.Country(2))
        << "the caption belongs to Финландия";
    EXPECT_TRUE(WaitFor([&] { return Quiz::Checked(q.Country(2)); })) << "a click on Финландия's caption checks it";
    q.Click(q.Command(form::kEvaluateCommand));
    EXPECT_EQ(q.Result(), RightAnswerText(2)) << "Nokia + Финландия, chosen by their circle and caption";
}

TEST_F(MouseAndKeys, AnswersByKeyboard) {
    const Quiz& q = quiz();
    ASSERT_EQ(q.Focus(), q.ResultBox());
    // Tab enters the firms at Samsung (Windows selects a button as Tab
    // brings it the focus, Wine does not; Space selects it on both), and
    // Down moves to Siemens on the row below.
    q.Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return q.Focus() == q.Firm(0); })) << "Tab reaches the firms at Samsung";
    q.Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return Quiz::Checked(q.Firm(0)); })) << "Space selects Samsung";
    q.Key(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return Quiz::Checked(q.Firm(1)); })) << "Down selects Siemens";
    q.Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return q.Focus() == q.Country(0); })) << "Tab reaches the countries at Южна Корея";
    q.Key(VK_SPACE);
    // Seven rows up to Германия.
    for (int i = 0; i < 7; ++i) q.Key(VK_UP);
    EXPECT_TRUE(WaitFor([&] { return Quiz::Checked(q.Country(1)); })) << "Up selects Германия";
    q.Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return q.Focus() == q.Command(form::kEvaluateCommand); })) << "Tab reaches Изведи";
    q.Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return q.Result() == RightAnswerText(1); }))
        << "Space on Изведи: Siemens + Германия is right";
    q.Key(VK_ESCAPE);
    EXPECT_EQ(q.Result(), RightAnswerText(1)) << "Esc presses no button";
    q.Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return q.Focus() == q.Command(form::kClearCommand); })) << "Tab reaches Чисти";
    q.Key(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return q.Result() == PromptText(); })) << "Enter on a focused Чисти clears";
    q.Key(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return q.Focus() == q.ResultBox(); })) << "Tab goes round to the result box";
    q.Key(VK_RETURN);
    EXPECT_EQ(q.Result(), PromptText()) << "Enter in the result box presses no button";
}

// The ring is the window's own drawing round the box, not the box's; it
// must go when Tab takes the focus on, or two controls look focused.
TEST_F(MouseAndKeys, TheResultBoxLosesItsFocusRingWithTheFocus) {
    const Quiz& q = quiz();
    const int width = At(q.Dpi()).ringWidth;
    const RECT box = q.PlaceOf(q.ResultBox());
    const RECT band{box.left - width, box.top - width, box.right + width, box.bottom + width};
    // The ink round the box's four sides: the ring while it has the focus.
    const auto ringPixels = [&] {
        int n = 0;
        for (const RECT& side : {RECT{band.left, band.top, band.right, box.top},
                                 RECT{band.left, box.bottom, band.right, band.bottom},
                                 RECT{band.left, box.top, box.left, box.bottom},
                                 RECT{box.right, box.top, band.right, box.bottom}}) {
            n += Capture(q.Window(), side).Count(GetSysColor(COLOR_WINDOWTEXT));
        }
        return n;
    };
    const int ring = 2 * width * (band.right - band.left) + 2 * width * (box.bottom - box.top);
    ASSERT_EQ(ringPixels(), ring) << "the ring round the focused result box";

    q.Key(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return q.Focus() == q.Firm(0); })) << "Tab takes the focus to the firms";
    PumpFor(300);
    EXPECT_EQ(ringPixels(), 0) << "the ring's pixels left round the result box once the focus is on Samsung";
    const Capture ringBand(q.Window(), {band.left, band.top, box.left, band.bottom});
    EXPECT_EQ(ringBand.Count(Rgb(WindowColour())), ringBand.Size())
        << "left of the box, where the ring was, the window's light blue again";
}

}  // namespace
}  // namespace kestrova::win32_tests
