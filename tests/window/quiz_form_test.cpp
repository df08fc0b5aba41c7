#include "window/form/quiz_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "core/quiz_content.h"
#include "tests/support/golden.h"
#include "tests/support/what_users_see.h"

namespace kestrova::form {

// A colour as a person reads it in a failure: (255, 192, 255).
void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ')'; }

namespace {

namespace seen = testing::seen;

Rgb ToRgb(int r, int g, int b) { return {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)}; }

std::string Name(ControlId id) {
    std::string s(id.name);
    if (id.index != ControlId::kSingle) s.append("(").append(std::to_string(id.index)).append(")");
    return s;
}

class QuizFormTest : public ::testing::Test {
protected:
    const Control& At(std::string_view name, std::int16_t index) const {
        const Control* c = form.Find({name, index});
        if (c == nullptr) throw std::runtime_error("missing " + std::string(name));
        return *c;
    }
    Form form = QuizForm();
};

TEST_F(QuizFormTest, HoldsEveryControlOnceWithItsKind) {
    std::map<std::string, Kind> expected{{"Label1(0)", Kind::Label},       {"Frame1(0)", Kind::Frame},
                                         {"Frame1(1)", Kind::Frame},       {"Command1(0)", Kind::CommandButton},
                                         {"Command1(1)", Kind::CommandButton}, {"Text1(0)", Kind::TextBox},
                                         {"Text1(1)", Kind::TextBox},      {"List1", Kind::ListBox}};
    for (int i = 0; i < 10; ++i) {
        expected[Name({kFirmButtons, std::int16_t(i)})] = Kind::OptionButton;
        expected[Name({kCountryButtons, std::int16_t(i)})] = Kind::OptionButton;
    }
    std::map<std::string, Kind> actual;
    for (const Control& c : form.controls) {
        EXPECT_TRUE(actual.emplace(Name(c.id), c.kind).second) << "twice: " << Name(c.id);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(QuizFormTest, ContainersComeFirstAndHoldTheirOptionButtonsWhole) {
    std::set<std::string> seen;
    for (const Control& c : form.controls) {
        if (!c.container.name.empty()) {
            ASSERT_TRUE(seen.contains(Name(c.container))) << Name(c.id) << " before its container";
            const Control& frame = At(c.container.name, c.container.index);
            EXPECT_GE(c.left, 0);
            EXPECT_GE(c.top, 0);
            EXPECT_LE(c.left + c.width, frame.width) << Name(c.id);
            EXPECT_LE(c.top + c.height, frame.height) << Name(c.id);
        }
        seen.insert(Name(c.id));
    }
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(At(kFirmButtons, i).container, (ControlId{kFrames, 0}));
        EXPECT_EQ(At(kCountryButtons, i).container, (ControlId{kFrames, 1}));
        for (const Control* option : {&At(kFirmButtons, i), &At(kCountryButtons, i)}) {
            const int row = option->id.name == kFirmButtons ? QuizContent::FirmRow(i) : QuizContent::CountryRow(i);
            EXPECT_EQ(option->left, seen::kOptionRows.left) << Name(option->id);
            EXPECT_EQ(option->top, seen::kOptionRows.firstTop + seen::kOptionRows.rowStep * row) << Name(option->id);
            EXPECT_EQ(option->width, seen::kOptionRows.width) << Name(option->id);
            EXPECT_EQ(option->height, seen::kOptionRows.height) << Name(option->id);
        }
        EXPECT_EQ(At(kFirmButtons, i).text, QuizContent::FirmCaption(i));
        EXPECT_EQ(At(kCountryButtons, i).text, QuizContent::CountryCaption(i));
    }
}

TEST_F(QuizFormTest, ControlsStandWhereUsersSeeThem) {
    for (const seen::Place& place : seen::kPlaces) {
        const Control* c = nullptr;
        for (const Control& candidate : form.controls) {
            if (Name(candidate.id) == place.control) c = &candidate;
        }
        ASSERT_NE(c, nullptr) << place.control;
        EXPECT_EQ(c->container.name.empty() ? std::string() : Name(c->container), place.in) << place.control;
        EXPECT_EQ(c->left, place.left) << place.control;
        EXPECT_EQ(c->top, place.top) << place.control;
        EXPECT_EQ(c->width, place.width) << place.control;
        EXPECT_EQ(c->height, place.height) << place.control;
    }
}

TEST_F(QuizFormTest, EveryControlLiesInsideTheClientArea) {
    for (const Control& c : form.controls) {
        if (!c.container.name.empty() || !c.visible) continue;
        EXPECT_LE(c.left + c.width, form.clientWidth) << Name(c.id);
        EXPECT_LE(c.top + c.height, form.clientHeight) << Name(c.id);
    }
}

TEST_F(QuizFormTest, TabPositionsRunFromZeroToTwentySevenOnce) {
    std::vector<int> tabs;
    for (const Control& c : form.controls) tabs.push_back(c.tabIndex);
    std::ranges::sort(tabs);
    std::vector<int> expected(28);
    for (int i = 0; i < 28; ++i) expected[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(tabs, expected);
    EXPECT_EQ(At(kTextBoxes, 0).tabIndex, 0);
}

TEST_F(QuizFormTest, TheHeadingSpansBothFrames) {
    const Control& heading = At(kHeading, 0);
    const Control& left = At(kFrames, 0);
    const Control& right = At(kFrames, 1);
    EXPECT_EQ(heading.left, left.left);
    EXPECT_EQ(heading.left + heading.width, right.left + right.width);
    EXPECT_EQ(heading.align, Align::Centre);
    EXPECT_LE(heading.top + heading.height, std::min(left.top, right.top));
}

TEST_F(QuizFormTest, HiddenControlsKeepTheMottoAndTheDescriptions) {
    EXPECT_TRUE(At(kTextBoxes, 0).visible);
    EXPECT_FALSE(At(kTextBoxes, 1).visible);
    EXPECT_FALSE(At(kDescriptions, ControlId::kSingle).visible);

    const Control& list = At(kDescriptions, ControlId::kSingle);
    ASSERT_EQ(list.items.size(), 10u);
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(list.items[static_cast<std::size_t>(i)], QuizContent::Description(i));
    }
}

TEST_F(QuizFormTest, FixedTextsAreExactToTheCharacter) {
    EXPECT_TRUE(testing::MatchesGolden(At(kTextBoxes, 0).text, "assignment.txt"));
    EXPECT_TRUE(testing::MatchesGolden(At(kTextBoxes, 1).text, "motto.txt"));
}

// What a screen reader calls the box that holds every verdict; the front
// ends pass it on as it stands here.
TEST_F(QuizFormTest, TheResultBoxHasTheNameAScreenReaderSays) {
    EXPECT_EQ(At(kTextBoxes, 0).accessibleName, seen::kResultBoxName);
}

TEST_F(QuizFormTest, FramesAndButtonsHaveTheirCaptionsAndColours) {
    EXPECT_EQ(At(kHeading, 0).text, seen::kHeading);
    for (std::int16_t i = 0; i < 2; ++i) {
        EXPECT_EQ(At(kFrames, i).text, seen::kFrameCaptions[i]) << i;
        EXPECT_EQ(At(kCommands, i).text, seen::kCommandCaptions[i]) << i;
    }
    for (const seen::CommandColour& c : seen::kCommandColours) {
        EXPECT_EQ(At(kCommands, std::int16_t(c.index)).background, ToRgb(c.r, c.g, c.b)) << c.index;
    }
    for (const seen::Colour& c : seen::kColours) {
        const Rgb colour = ToRgb(c.r, c.g, c.b);
        if (c.control == "window") {
            EXPECT_EQ(form.background, colour);
            continue;
        }
        int painted = 0;
        for (const Control& control : form.controls) {
            if (Name(control.id) != c.control && control.id.name != c.control) continue;
            EXPECT_EQ(control.background, colour) << Name(control.id);
            ++painted;
        }
        EXPECT_GT(painted, 0) << "no control " << c.control;
    }
    EXPECT_FALSE(At(kTextBoxes, 0).background.has_value()) << "the system's colour";
}

// The caption names the publisher this build was configured for.
TEST_F(QuizFormTest, TheWindowCaptionIsThePublishersAddressThenTheTitle) {
    EXPECT_EQ(form.caption, seen::kCaption);
    EXPECT_EQ(form.clientWidth, seen::kClientWidthTwips);
    EXPECT_EQ(form.clientHeight, seen::kClientHeightTwips);
    EXPECT_EQ(form.font.face, seen::kFont.face);
    EXPECT_EQ(form.font.points, seen::kFont.points);
    EXPECT_EQ(form.font.weight, seen::kFont.weight);
    EXPECT_EQ(form.font.charset, seen::kFont.charset);
}

}  // namespace
}  // namespace kestrova::form
