#include "window/form/screen_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "window/form/quiz_form.h"
#include "tests/support/what_users_see.h"

namespace kestrova::form {
namespace {

struct ScreenCase {
    const char* screen;
    Viewport viewport;
    int dpi;  // the exact form's, worked out by hand from 6915 x 5730 twips
    Presentation byMouse, byFinger;
};

constexpr Presentation kExact = Presentation::Exact, kTouch = Presentation::Touch;

// The largest dpi d with round(6915 d / 1440) <= width and
// round(5730 d / 1440) <= height; the option rows, 240 twips apart, are
// round(240 d / 1440) pixels apart there.
const ScreenCase kScreens[] = {
    {"desktop 1366 x 768", {1366, 768}, 193, kExact, kTouch},  // 767.96 high; rows 32.2 apart
    {"whiteboard 1920 x 1080", {1920, 1080}, 271, kExact, kExact},  // rows 45.2 apart
    {"tablet 768 x 1024", {768, 1024}, 160, kExact, kTouch},  // 768.33 wide; rows 26.7 apart
    {"tablet 1180 x 820", {1180, 820}, 206, kExact, kTouch},  // rows 34.3 apart
    {"just 1.5 x: 692 x 573", {692, 573}, 144, kExact, kTouch},
    {"a pixel short of 1.5 x: 691 x 573", {691, 573}, 143, kTouch, kTouch},
    {"rows just 44 apart: 1253 x 1039", {1253, 1039}, 261, kExact, kExact},  // 43.5, halves up
    {"a pixel short of 44 apart: 1252 x 1039", {1252, 1039}, 260, kExact, kTouch},  // 43.3
    {"phone 360 x 780", {360, 780}, 75, kTouch, kTouch},  // 360.16 wide
    {"phone on its side 780 x 360", {780, 360}, 90, kTouch, kTouch},
    {"400 % zoom, 320 x 200", {320, 200}, 50, kTouch, kTouch},
    {"nothing at all", {0, 0}, 0, kTouch, kTouch},
};

// Each case is named by its screen.
void PrintTo(const ScreenCase& s, std::ostream* out) { *out << s.screen; }

class EachScreen : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(EachScreen, GetsTheExactFormOnlyWhereItFitsAtOneAndAHalf) {
    const ScreenCase& s = GetParam();
    const ExactFit fit = FitExact(QuizForm(), s.viewport);
    EXPECT_EQ(fit.dpi, s.dpi);
    EXPECT_LE(fit.width, s.viewport.width);
    EXPECT_LE(fit.height, s.viewport.height);
    EXPECT_EQ(ChoosePresentation(QuizForm(), s.viewport, Pointer::Fine), s.byMouse);
}

TEST_P(EachScreen, UnderAFingerGetsTheExactFormOnlyWhereItsOptionRowsAre44PixelsApart) {
    EXPECT_EQ(ChoosePresentation(QuizForm(), GetParam().viewport, Pointer::Coarse), GetParam().byFinger);
}

INSTANTIATE_TEST_SUITE_P(ScreenLayoutTest, EachScreen, ::testing::ValuesIn(kScreens));

TEST(ScreenLayoutTest, TheQuizsOptionRowsAreAsFarApartAsUsersSee) {
    EXPECT_EQ(OptionRowPitch(QuizForm()), testing::seen::kOptionRows.rowStep);
}

// What the page's markup asks the browser before the program runs: the
// choice turns exactly at these sizes (the rows above: 692 x 573, 1253 x 1039).
TEST(ScreenLayoutTest, TheLeastExactViewportIsWhereTheChoiceTurns) {
    const Form form = QuizForm();
    const std::pair<Pointer, Viewport> expected[] = {{Pointer::Fine, {692, 573}}, {Pointer::Coarse, {1253, 1039}}};
    for (const auto& [pointer, least] : expected) {
        const Viewport found = LeastExactViewport(form, pointer);
        EXPECT_EQ(std::pair(found.width, found.height), std::pair(least.width, least.height));
        for (int w = least.width - 2; w <= least.width + 2; ++w) {
            for (int h = least.height - 2; h <= least.height + 2; ++h) {
                EXPECT_EQ(ChoosePresentation(form, {w, h}, pointer) == kExact, w >= least.width && h >= least.height)
                    << w << " x " << h;
            }
        }
    }
}

TEST(ScreenLayoutTest, TheRowPitchIsTheClosestTwoOptionsOfOneFrameOneAboveTheOther) {
    Form form;
    const auto option = [](std::string_view frame, int left, int top, bool visible) {
        Control c;
        c.kind = Kind::OptionButton;
        c.container = {frame, 0};
        c.left = left;
        c.top = top;
        c.height = 200;
        c.visible = visible;
        return c;
    };
    EXPECT_EQ(OptionRowPitch(form), 0);
    // Side by side in one row, in two frames at nearly the same height, and
    // a hidden one between: none of them a row apart.
    form.controls = {option("A", 0, 1000, true), option("A", 900, 1000, true), option("B", 0, 1010, true),
                     option("A", 0, 1300, true), option("A", 0, 1100, false), option("A", 0, 1600, true)};
    EXPECT_EQ(OptionRowPitch(form), 300);
    Control label;
    label.container = {"A", 0};
    label.top = 1020;
    form.controls.push_back(label);
    EXPECT_EQ(OptionRowPitch(form), 300);
}

TEST(ScreenLayoutTest, TheExactFormIsCentredAndScaledAsAWhole) {
    const Form form = QuizForm();
    const ExactFit fit = FitExact(form, {1366, 768});
    // 6915 x 5730 twips at 193 dpi: 926.8 x 767.96 pixels.
    EXPECT_EQ(fit.width, 927);
    EXPECT_EQ(fit.height, 768);
    EXPECT_EQ(fit.left, (1366 - 927) / 2);
    EXPECT_EQ(fit.top, 0);
    // Rows 240 twips apart are 24 pixels apart at the least exact density.
    EXPECT_EQ(TwipsToPixels(240, kLeastExactDpi), 24);
    // 12 points at 193 dpi.
    EXPECT_DOUBLE_EQ(FontPixels(form.font, 193), 12.0 * 193 / 72);
    EXPECT_DOUBLE_EQ(FontPixels(form.font, kReferenceDpi), 16.0);
}

TEST(ScreenLayoutTest, RingAndCircleGrowWithTheDensity) {
    EXPECT_EQ(FocusRingWidth(96), 2);
    EXPECT_EQ(FocusRingWidth(144), 3);
    EXPECT_EQ(FocusRingWidth(192), 4);
    EXPECT_EQ(IndicatorSize(96), 12);
    EXPECT_EQ(IndicatorSize(144), 18);
}

TEST(ScreenLayoutTest, TouchLayoutKeepsTheFormsTopToBottomOrderInBands) {
    const Form form = QuizForm();
    struct Expected {
        std::string name;
        int band;
        bool wholeWidth;
        double widthInEms;  // the form's width over 240 twips, its 12 points
    };
    const std::vector<Expected> expected = {
        {"Label1(0)", 0, true, 5055 / 240.0},
        {"Frame1(0)", 1, false, 2175 / 240.0},
        {"Frame1(1)", 1, false, 2295 / 240.0},
        {"Command1(0)", 2, false, 1575 / 240.0},
        {"Command1(1)", 2, false, 1575 / 240.0},
        {"Text1(0)", 3, true, 6735 / 240.0},
    };
    const std::vector<TouchPlace> places = TouchLayout(form);
    ASSERT_EQ(places.size(), expected.size());  // the motto, the list and the options are not on it
    for (std::size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(DisplayName(places[i].control->id), expected[i].name);
        EXPECT_EQ(places[i].band, expected[i].band);
        EXPECT_EQ(places[i].wholeWidth, expected[i].wholeWidth);
        EXPECT_DOUBLE_EQ(places[i].widthInEms, expected[i].widthInEms);
    }
}

TEST(ScreenLayoutTest, ControlsSideBySideShareABandWhateverTheirOrderInTheForm) {
    Form form;
    form.font.points = 12;
    const auto control = [](std::string_view name, int left, int top, int height, bool visible) {
        Control c;
        c.id = {name, 0};
        c.left = left;
        c.top = top;
        c.height = height;
        c.visible = visible;
        return c;
    };
    // Listed bottom first, and the right one before the left one.
    form.controls = {control("Low", 0, 2000, 300, true), control("Right", 3000, 100, 500, true),
                     control("Left", 0, 300, 300, true), control("Hidden", 0, 1000, 100, false)};
    const std::vector<TouchPlace> places = TouchLayout(form);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0].control->id.name, "Left");
    EXPECT_EQ(places[1].control->id.name, "Right");
    EXPECT_EQ(places[0].band, 0);
    EXPECT_EQ(places[1].band, 0);
    EXPECT_FALSE(places[0].wholeWidth);
    EXPECT_EQ(places[2].control->id.name, "Low");
    EXPECT_EQ(places[2].band, 1);
    EXPECT_TRUE(places[2].wholeWidth);
}

}  // namespace
}  // namespace kestrova::form
