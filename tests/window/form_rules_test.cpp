#include "window/form/form_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "window/form/quiz_form.h"
#include "tests/support/what_users_see.h"

namespace kestrova::form {
namespace {

std::vector<std::string> Names(const std::vector<const Control*>& controls) {
    std::vector<std::string> names;
    for (const Control* c : controls) names.push_back(DisplayName(c->id));
    return names;
}

std::vector<std::string> Options(std::string_view array, std::vector<int> indices) {
    std::vector<std::string> names;
    for (int i : indices) names.push_back(std::string(array) + "(" + std::to_string(i) + ")");
    return names;
}

TEST(FormRulesTest, TwipsBecomeWholePixelsRoundedHalfUp) {
    // The client area at each density users see it at; 6915 twips are 691.5 px at 144 dpi.
    for (const testing::seen::AtDensity& d : testing::seen::kDensities) {
        EXPECT_EQ(TwipsToPixels(testing::seen::kClientWidthTwips, d.dpi), d.clientWidth) << d.dpi;
        EXPECT_EQ(TwipsToPixels(testing::seen::kClientHeightTwips, d.dpi), d.clientHeight) << d.dpi;
    }
    EXPECT_EQ(TwipsToPixels(285, 144), 29);    // 28.5
    EXPECT_EQ(TwipsToPixels(240, 120), 20);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // 0.47
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // 0.53
    EXPECT_EQ(TwipsToPixels(0, 192), 0);
    EXPECT_EQ(TwipsToPixels(-15, 96), -1);
    EXPECT_EQ(TwipsToPixels(-23, 96), -2);  // -1.53
}

TEST(FormRulesTest, FramedControlsArePlacedFromTheirFrameInTheWindow) {
    // A form of its own, so that the rule holds whatever the quiz's places.
    const auto make = [](Kind kind, ControlId id, ControlId container, int left, int top, int width, int height) {
        Control c;
        c.kind = kind;
        c.id = id;
        c.container = container;
        c.left = left;
        c.top = top;
        c.width = width;
        c.height = height;
        return c;
    };
    const Control frame = make(Kind::Frame, {"Frame", 0}, {}, 960, 480, 2175, 2895);
    const Control option = make(Kind::OptionButton, {"Option", 2}, frame.id, 120, 1560, 1815, 285);
    const Control box = make(Kind::TextBox, {"Text", 0}, {}, 120, 3840, 6735, 1815);
    Form form;
    form.controls = {frame, option, box};
    EXPECT_EQ(PlaceInContainer(option, 96), (PixelRect{8, 104, 121, 19}));
    EXPECT_EQ(PlaceInWindow(form, option, 96), (PixelRect{72, 136, 121, 19}));
    // At 144 dpi: frame (96, 48) plus button (12, 156); 1815 x 285 twips
    // is 181.5 x 28.5 pixels.
    EXPECT_EQ(PlaceInWindow(form, option, 144), (PixelRect{108, 204, 182, 29}));
    EXPECT_EQ(PlaceInWindow(form, box, 96), (PixelRect{8, 256, 449, 121}));
}

TEST(FormRulesTest, AnOptionsCircleStandsAtItsLeftCentredWithItsCaptionBeside) {
    const Form form = QuizForm();
    const Control& nokia = *form.Find({kFirmButtons, 2});
    // 19 px high at 96 dpi: a 12 px circle 1 px in, 3 px down; a dot of 6
    // in its middle; the caption 2 px after it.
    EXPECT_EQ(OptionIndicatorIn(nokia, 96),
              (OptionIndicator{{1, 3, 12, 12}, {4, 6, 6, 6}, 1, 15}));
    // 29 px high at 144 dpi (28.5): 18 px, 5 px down (5.5), ring 2 px (1.5).
    EXPECT_EQ(OptionIndicatorIn(nokia, 144),
              (OptionIndicator{{2, 5, 18, 18}, {7, 10, 8, 8}, 2, 23}));
    EXPECT_EQ(OptionIndicatorIn(nokia, 192),
              (OptionIndicator{{2, 7, 24, 24}, {8, 13, 12, 12}, 2, 30}));
    for (const testing::seen::AtDensity& d : testing::seen::kDensities) {
        const OptionIndicator i = OptionIndicatorIn(nokia, d.dpi);
        const PixelRect row = PlaceInContainer(nokia, d.dpi);
        EXPECT_EQ(i.circle.width, IndicatorSize(d.dpi)) << d.dpi;
        // Within the row, clear of the row above (which covers its top
        // rowOverlapTwips), before the caption.
        EXPECT_GE(i.circle.top, TwipsToPixels(testing::seen::kRowOverlapTwips, d.dpi)) << d.dpi;
        EXPECT_LE(i.circle.top + i.circle.height, row.height) << d.dpi;
        EXPECT_LT(i.circle.left + i.circle.width, i.captionLeft) << d.dpi;
        // Centred up and down to the pixel, and the dot in the circle's middle.
        EXPECT_LE(std::abs(row.height - 2 * i.circle.top - i.circle.height), 1) << d.dpi;
        EXPECT_EQ(2 * i.dot.left + i.dot.width, 2 * i.circle.left + i.circle.width) << d.dpi;
        EXPECT_EQ(2 * i.dot.top + i.dot.height, 2 * i.circle.top + i.circle.height) << d.dpi;
        // The dot fills about half the circle, and leaves its face showing
        // round it, wider than the ring.
        EXPECT_GE(i.dot.width * 100, 40 * i.circle.width) << d.dpi;
        EXPECT_LE(i.dot.width * 100, 55 * i.circle.width) << d.dpi;
        EXPECT_GT(i.dot.left - i.circle.left, i.ringWidth) << d.dpi;
    }
}

TEST(FormRulesTest, OnlyTheShownResultBoxIsALiveRegion) {
    Form form = QuizForm();
    ASSERT_NE(LiveRegion(form), nullptr);
    EXPECT_EQ(LiveRegion(form)->id, kResultBox);
    // A hidden box is never one, even when marked.
    for (Control& c : form.controls) c.live = c.id == kMottoBox;
    EXPECT_EQ(LiveRegion(form), nullptr);
}

TEST(FormRulesTest, ControlsAreNamedByArrayAndIndex) {
    EXPECT_EQ(DisplayName({"Option1", 3}), "Option1(3)");
    EXPECT_EQ(DisplayName({"Label1", 0}), "Label1(0)");
    EXPECT_EQ(DisplayName({"List1", ControlId::kSingle}), "List1");
}

TEST(FormRulesTest, TabVisitsTheBoxEachGroupOnceThenTheCommands) {
    const Form form = QuizForm();
    const std::vector<TabStop> stops = TabSequence(form);
    ASSERT_EQ(stops.size(), 5u);
    std::vector<std::string> entries;
    for (const TabStop& s : stops) entries.push_back(DisplayName(s.entry->id));
    EXPECT_EQ(entries, (std::vector<std::string>{"Text1(0)", "Option1(0)", "Option2(0)", "Command1(0)", "Command1(1)"}));
    EXPECT_EQ(stops[0].frame, nullptr);
    ASSERT_NE(stops[1].frame, nullptr);
    EXPECT_EQ(DisplayName(stops[1].frame->id), "Frame1(0)");
    EXPECT_EQ(DisplayName(stops[2].frame->id), "Frame1(1)");
    // The arrow keys' order: each frame from its top row down, alphabetical.
    EXPECT_EQ(Names(stops[1].controls), Options("Option1", {6, 9, 5, 7, 8, 2, 3, 0, 1, 4}));
    EXPECT_EQ(Names(stops[2].controls), Options("Option2", {4, 1, 7, 8, 9, 2, 6, 5, 0, 3}));
    ASSERT_NE(FirstFocus(form), nullptr);
    EXPECT_EQ(DisplayName(FirstFocus(form)->id), "Text1(0)");
}

TEST(FormRulesTest, TheFocusChainKeepsEveryTabPositionButNeverTakesStillOrHiddenControls) {
    std::vector<std::string> expected{"Text1(0)"};
    for (const std::string& n : Options("Option1", {0, 1, 2})) expected.push_back(n);
    for (const std::string& n : Options("Option2", {0, 1, 2})) expected.push_back(n);
    for (const std::string& n : Options("Option1", {3, 4, 5, 6, 7, 8, 9})) expected.push_back(n);
    for (const std::string& n : Options("Option2", {3, 4, 5, 6, 7, 8, 9})) expected.push_back(n);
    expected.push_back("Command1(0)");
    expected.push_back("Command1(1)");
    EXPECT_EQ(Names(FocusChain(QuizForm())), expected);
}

TEST(FormRulesTest, TabEntersAGroupAtItsCheckedButtonElseItsEntry) {
    const Form form = QuizForm();
    auto nothing = [](const Control&) { return false; };
    auto next = [&](ControlId from, bool forward, auto checked) {
        const Control* c = NextTabTarget(form, from, forward, checked);
        return c == nullptr ? std::string("none") : DisplayName(c->id);
    };
    EXPECT_EQ(next(kResultBox, true, nothing), "Option1(0)");
    EXPECT_EQ(next({kFirmButtons, 4}, true, nothing), "Option2(0)") << "from anywhere in the group";
    EXPECT_EQ(next({kCommands, 1}, true, nothing), "Text1(0)") << "round to the start";
    EXPECT_EQ(next(kResultBox, false, nothing), "Command1(1)");
    auto nokiaChecked = [](const Control& c) { return c.id == ControlId{kFirmButtons, 2}; };
    EXPECT_EQ(next(kResultBox, true, nokiaChecked), "Option1(2)");
    EXPECT_EQ(next({kCountryButtons, 0}, false, nokiaChecked), "Option1(2)");
    EXPECT_EQ(next({kHeading, 0}, true, nothing), "none") << "the heading is no stop";
}

TEST(FormRulesTest, UpperRowsStandInFrontOfLowerOnes) {
    const Form form = QuizForm();
    const std::vector<std::string> order = Names(StackingOrder(form));
    auto at = [&](const std::string& name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
    EXPECT_LT(at("Option1(6)"), at("Option1(9)"));  // rows 0 and 1 of the firms
    EXPECT_LT(at("Option2(2)"), at("Option2(6)"));  // Финландия over Франция
    EXPECT_LT(at("Label1(0)"), at("Text1(0)"));
    EXPECT_EQ(order.size(), form.controls.size());
}

TEST(FormRulesTest, SiblingOrderKeepsEachGroupWholeAndFramesLast) {
    const std::vector<std::string> order = Names(SiblingOrder(QuizForm()));
    std::vector<std::string> expected{"Text1(0)", "Text1(1)", "Label1(0)"};
    for (const std::string& n : Options("Option1", {6, 9, 5, 7, 8, 2, 3, 0, 1, 4})) expected.push_back(n);
    for (const std::string& n : Options("Option2", {4, 1, 7, 8, 9, 2, 6, 5, 0, 3})) expected.push_back(n);
    for (std::string n : {"Command1(0)", "Command1(1)", "List1", "Frame1(0)", "Frame1(1)"}) expected.push_back(n);
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace kestrova::form
