#include "form/quiz_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/quiz_content.h"
#include "support/text_fingerprint.h"

namespace kestrova::form {
namespace {

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
        EXPECT_EQ(At(kFirmButtons, i).top, 360 + 240 * QuizContent::FirmRow(i));
        EXPECT_EQ(At(kCountryButtons, i).top, 360 + 240 * QuizContent::CountryRow(i));
        EXPECT_EQ(At(kFirmButtons, i).text, QuizContent::FirmCaption(i));
        EXPECT_EQ(At(kCountryButtons, i).text, QuizContent::CountryCaption(i));
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
    EXPECT_EQ(At(kTextBoxes, 1).text.size(), 118u);

    const Control& list = At(kDescriptions, ControlId::kSingle);
    ASSERT_EQ(list.items.size(), 10u);
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(list.items[static_cast<std::size_t>(i)], QuizContent::Description(i));
    }
}

TEST_F(QuizFormTest, TheAssignmentTextEndsEachParagraphWithALineBreak) {
    const std::u16string_view text = At(kTextBoxes, 0).text;
    EXPECT_EQ(text.size(), 816u);
    EXPECT_TRUE(text.starts_with(u"Да се реализира проект"));
    EXPECT_TRUE(text.ends_with(u"операционна система.\r\n"));
    EXPECT_EQ(std::ranges::count(text, u'\n'), 6);
    EXPECT_EQ(std::ranges::count(text, u'\r'), 6);
}

TEST_F(QuizFormTest, FixedTextsAreExactToTheCharacter) {
    // The assignment's and the motto's fingerprints, from the texts as given.
    EXPECT_TRUE(testing::MatchesFingerprint(
        At(kTextBoxes, 0).text, {"42f06dd8a06a0b3e2fa8dd6266321ad737299aab499e4adc41e1c1494ad91a9e",
                                 "KnbkrANIfaQKJVl6kIn+kzAt5pNDMahBEYWfGBGsWtE71jlaR5/NRMQxmGTQFzxCM+mFVeGVpOx80ilgt6NYK63dzebjH4Pv"
                                 "|GMVG1kDlcRKEqHlViTnfP2OIHfNRxi7SaldTt/o6ubFQEh5ATg|vx6SrAI7Cb0mJtWKIPBeRk0IkrONPYoFNUWQGCan5twH"
                                 "nMYtPg3OJvx8yWIzI6g2MCpCMwRX6xCJP6sEL79YOkJ+Y6UizSzScIN4eTi2bnimq1NQH1fP/AF4BPNMneuzBlH6aYV8svWN"
                                 "qL5vOgDIFTdcNzpj6hKh6/BhyO845uMDDQjH8h9z3jWTqq|sTpw1KIdfLXEZtWyl1IeUUAJLm7qjNo67UcOTzXkvtxQLSYwM"
                                 "orN7ow8X+ubGA7P2MBVYTrDuWnQrdlRS79YiW77yiEC2h5DaXkJi|YIC4tBwvQA7A6tanS1kengwQnf2tLamhRsWV/z46uQE"
                                 "C6TYtni/vRYv8jZvUFi32l+cOdAGzWTIKf6sgLkNfQkDIS6BOtYJQITU2EuCob8N5qEp3qy49cQj4tkdUi7IQXYDcsIBqCbp"
                                 "4VE5pBnyj1TbYvLJUfh4VnKGKxKFAm71QuKjHCh9zA7pnRMxWUOcyWK0wC+6Pe6EmwxO2afG2/NHpCxNsaVJ3+fCWbjS5VzH"
                                 "1/fCLL4Ul|VIQwCbXIZVK8JgunlTKFZgwGuqYaHAoBMsYTt/o6utEd675dRm/3HMxbuTtnf5QMa+6O7Aj12qCf1kUzc7NYiW"
                                 "Rtg0NrTIEO6X8zNT5j1cdOdhYD9YowvZJdvbWcOs6|"}));
    EXPECT_TRUE(testing::MatchesFingerprint(
        At(kTextBoxes, 1).text, {"14187f1d4e143091e9bd12b546edfee5ef834888134484aebaed6500f684f856",
                                 "7Md/WOXtQRKIqt/sSAlEcgUIHuehjN7qDlpl2W4humiCV120Yc3|oTaSW8v/VqGT/auIiTeeQUAGUYrMKYmFx1o99u43CjdH"
                                 "lXltAFeuaru|BM+KgA|"}));
    EXPECT_EQ(At(kHeading, 0).text, u"Мобилни телефони - фирми и страни");
    EXPECT_EQ(At(kCommands, 0).text, u"Изведи");
    EXPECT_EQ(At(kCommands, 1).text, u"Чисти");
}

TEST_F(QuizFormTest, FramesAndButtonsHaveTheirCaptionsAndColours) {
    struct Expected {
        std::string_view name;
        std::int16_t index;
        std::u16string_view caption;
        Rgb colour;
    };
    const Expected expected[] = {
        {kHeading, 0, u"Мобилни телефони - фирми и страни", {255, 192, 128}},
        {kFrames, 0, u"Фирма", {192, 192, 255}},
        {kFrames, 1, u"Страна", {192, 192, 255}},
        {kCommands, 0, u"Изведи", {128, 255, 128}},
        {kCommands, 1, u"Чисти", {255, 128, 128}},
    };
    for (const Expected& e : expected) {
        const Control& c = At(e.name, e.index);
        EXPECT_EQ(c.text, e.caption) << Name(c.id);
        EXPECT_EQ(c.background, e.colour) << Name(c.id);
    }
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        EXPECT_EQ(At(kFirmButtons, i).background, (Rgb{192, 255, 255})) << i;
        EXPECT_EQ(At(kCountryButtons, i).background, (Rgb{255, 192, 255})) << i;
    }
    EXPECT_EQ(form.background, (Rgb{192, 192, 255}));
    EXPECT_FALSE(At(kTextBoxes, 0).background.has_value()) << "the system's colour";
}

// KESTROVA_HOMEPAGE is the build's, as whoever publishes this copy sets it.
TEST_F(QuizFormTest, TheWindowCaptionIsThePublishersAddressThenTheTitle) {
    std::u16string_view home = u"" KESTROVA_HOMEPAGE;
    home.remove_prefix(home.find(u"://") + 3);
    const std::u16string address(home.substr(0, home.find_first_of(u":/")));
    EXPECT_FALSE(address.empty());
    EXPECT_EQ(form.caption, address + u" Kestrova") << "one blank between address and title";
    EXPECT_EQ(form.clientWidth, 6915);
    EXPECT_EQ(form.clientHeight, 5730);
    EXPECT_EQ(form.font.face, u"Times New Roman");
    EXPECT_EQ(form.font.points, 12);
    EXPECT_EQ(form.font.weight, 400);
    EXPECT_EQ(form.font.charset, 204);
}

}  // namespace
}  // namespace kestrova::form
