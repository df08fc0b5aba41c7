#include "window/binding/quiz_binding.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "window/form/quiz_form.h"
#include "tests/support/golden.h"
#include "tests/support/verdicts.h"

namespace kestrova::binding {
namespace {

using form::ControlId;
namespace seen = testing::seen;

const std::u16string kWrong = testing::WrongAnswerText();
const std::u16string kRightStart = testing::RightVerdictLine();
const std::u16string kPrompt = testing::PromptText();

// A toolkit as Qt and the browser are: the box shows each "\r\n" as "\n",
// and unchecking a button reports a toggle, as Qt's toggled(false) does.
class FakeSurface : public ControlSurface {
public:
    explicit FakeSurface(const form::Form& form) : form_(form) {
        for (const form::Control& c : form.controls) shown_[Key(c.id)] = Shown(c.text);
    }

    void SetText(ControlId box, std::u16string_view text) override { shown_[Key(box)] = Shown(text); }
    std::u16string Text(ControlId box) const override { return shown_.at(Key(box)); }
    bool IsChecked(ControlId option) const override { return checked_.count(Key(option)) != 0; }
    void Uncheck(ControlId option) override {
        checked_.erase(Key(option));
        if (binding != nullptr) binding->Click(option);
    }
    std::u16string ListItem(ControlId list, std::size_t index) const override {
        return std::u16string(form_.Find(list)->items.at(index));
    }

    // The user checks a button; the group's others go.
    void Choose(ControlId option) {
        for (const form::Control& c : form_.controls) {
            if (c.id.name == option.name) checked_.erase(Key(c.id));
        }
        checked_.insert(Key(option));
        binding->Click(option);
    }
    void Announce(ControlId box) override {
        EXPECT_EQ(box, form::kResultBox);
        spoken.push_back(SpokenText(Text(box)));
    }
    void Type(ControlId box, std::u16string_view text) { shown_[Key(box)] += text; }

    QuizBinding* binding = nullptr;
    std::vector<std::u16string> spoken;

private:
    static std::string Key(ControlId id) { return std::string(id.name) + "/" + std::to_string(id.index); }
    static std::u16string Shown(std::u16string_view text) {
        std::u16string s;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
            s.push_back(text[i]);
        }
        return s;
    }
    const form::Form& form_;
    std::map<std::string, std::u16string> shown_;
    std::set<std::string> checked_;
};

class QuizBindingTest : public ::testing::Test {
protected:
    QuizBindingTest() { surface.binding = &binding; binding.Load(); }

    ControlId Firm(int i) const { return {form::kFirmButtons, std::int16_t(i)}; }
    ControlId Country(int i) const { return {form::kCountryButtons, std::int16_t(i)}; }
    ControlId Command(int i) const { return {form::kCommands, std::int16_t(i)}; }
    std::u16string Result() const { return binding.GetResultText(); }

    form::Form form = form::QuizForm();
    FakeSurface surface{form};
    QuizBinding binding{form, surface};
};

TEST_F(QuizBindingTest, LoadKeepsTheAssignmentExactlyAndChecksNothing) {
    EXPECT_TRUE(testing::MatchesGolden(Result(), "assignment.txt"));
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(surface.IsChecked(Firm(i)) || surface.IsChecked(Country(i)));
}

TEST_F(QuizBindingTest, FirmsCountriesAndCommandsReachTheirOperations) {
    surface.Choose(Firm(2));     // Nokia
    surface.Choose(Country(2));  // Финландия
    binding.Click(Command(0));
    EXPECT_TRUE(Result().starts_with(kRightStart + u"Нокиа (на фински: Nokia)")) << "with the description";
    EXPECT_TRUE(Result().ends_with(u"30 %.\r\n"));

    surface.Choose(Country(3));  // Япония
    binding.Click(Command(0));
    EXPECT_EQ(Result(), kWrong);

    binding.Click(Command(1));
    EXPECT_EQ(Result(), kPrompt);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(surface.IsChecked(Firm(i)) || surface.IsChecked(Country(i)));
    // Unchecking reported no choice: nothing is chosen after "Чисти".
    binding.Click(Command(0));
    EXPECT_EQ(Result(), kWrong);
}

TEST_F(QuizBindingTest, TheFirmSideAndTheCountrySideAreNotSwapped) {
    surface.Choose(Firm(3));     // Panasonic
    surface.Choose(Country(4));  // Англия
    surface.Choose(Firm(4));     // Sony Mobile: right only if Option1 sets the firm
    binding.Click(Command(0));
    EXPECT_TRUE(Result().starts_with(kRightStart + u"Sony Mobile"));
}

TEST_F(QuizBindingTest, AClickThatIsNoChoiceOrBoundToNothingDoesNothing) {
    surface.Choose(Firm(5));
    surface.Choose(Country(5));
    // A focused but unchecked button reported as clicked (as Wine does).
    binding.Click(Country(6));
    binding.Click({form::kCommands, 2});
    binding.Click({form::kHeading, 0});
    binding.Click({form::kFrames, 1});
    binding.Click({"Nothing", 0});
    EXPECT_TRUE(testing::MatchesGolden(Result(), "assignment.txt")) << "the box still holds the assignment";
    binding.Click(Command(0));
    EXPECT_TRUE(Result().starts_with(kRightStart + u"Ericsson"));
}

TEST_F(QuizBindingTest, TheResultBoxReadsBackWhatWasWrittenOrWhatItShows) {
    binding.SetResultText(u"ред\r\nдруг ред\r\n\r\nкрай");
    EXPECT_EQ(Result(), u"ред\r\nдруг ред\r\n\r\nкрай");
    EXPECT_EQ(surface.Text(form::kResultBox), u"ред\nдруг ред\n\nкрай");
    // Something else changed the box: what it shows wins, breaks as pairs.
    surface.Type(form::kResultBox, u"\nново");
    EXPECT_EQ(Result(), u"ред\r\nдруг ред\r\n\r\nкрай\r\nново");

    EXPECT_EQ(ExactBoxText(u"a\r\nb", u"a\r\nb"), u"a\r\nb");
    EXPECT_EQ(ExactBoxText(u"a\r\nb", u"a\nb"), u"a\r\nb");
    EXPECT_EQ(ExactBoxText(u"a\r\nb", u"a\nc"), u"a\r\nc");
    EXPECT_EQ(ExactBoxText(u"", u"x\r\ny\nz"), u"x\r\ny\r\nz");
}

TEST_F(QuizBindingTest, EachCommandSaysWhatTheBoxNowHoldsAndChoicesSayNothing) {
    surface.Choose(Firm(0));     // Samsung Group
    surface.Choose(Country(0));  // Южна Корея
    EXPECT_TRUE(surface.spoken.empty());
    binding.Click(Command(0));
    binding.Click(Command(1));
    binding.Click(Command(0));
    binding.Click({form::kCommands, 2});
    // Spoken on one line, without the blank that ends the description.
    const std::vector<std::u16string> expected{
        std::u16string(seen::kRightVerdict) +
            u" Samsung Group промишлен концерн (група компании), един от най-големите в Южна Корея. "
            u"Основана през 1938 г.",
        std::u16string(seen::kPrompt),
        std::u16string(seen::kWrongVerdict),
    };
    EXPECT_EQ(surface.spoken, expected);
    EXPECT_EQ(SpokenText(u"a\r\nb \r\n"), u"a b");
    EXPECT_EQ(SpokenText(u"a\nb\n"), u"a b");
}

TEST_F(QuizBindingTest, OnlyTheQuizsRightVerdictsReportTheirFirm) {
    // A plain function, as the page gives it: a static list to report into.
    static std::vector<int> found;
    found.clear();
    binding.OnRightAnswer([](std::int16_t firm) { found.push_back(firm); });
    binding.Click(Command(0));   // nothing chosen
    surface.Choose(Firm(7));     // Lenovo Group
    surface.Choose(Country(8));  // САЩ
    binding.Click(Command(0));
    surface.Choose(Country(7));  // Китай
    binding.Click(Command(0));
    binding.Click(Command(0));   // the same right answer again
    binding.Click(Command(1));
    surface.Choose(Country(3));  // Япония, then Panasonic
    surface.Choose(Firm(3));
    binding.Click(Command(0));
    EXPECT_EQ(found, (std::vector<int>{7, 7, 3}));
}

TEST_F(QuizBindingTest, DescriptionsComeFromTheListInIndexOrder) {
    EXPECT_TRUE(binding.GetDescription(9).starts_with(u"BenQ Corporation"));
    EXPECT_TRUE(binding.GetDescription(0).starts_with(u"Samsung Group"));
    EXPECT_THROW(binding.GetDescription(10), std::out_of_range);
}

TEST(QuizBindingListTest, ARightAnswerShowsWhatTheWindowsListHolds) {
    // The window's list, not the quiz's table, is where the description
    // comes from: a list filled otherwise shows otherwise.
    form::Form form = form::QuizForm();
    for (form::Control& c : form.controls) {
        if (c.id == form::kDescriptionList) c.items.at(5) = u"из списъка";
    }
    FakeSurface surface{form};
    QuizBinding binding{form, surface};
    surface.binding = &binding;
    binding.Load();
    surface.Choose({form::kFirmButtons, 5});
    surface.Choose({form::kCountryButtons, 5});
    binding.Click({form::kCommands, form::kEvaluateCommand});
    EXPECT_EQ(binding.GetResultText(), testing::RightVerdictLine() + u"из списъка" + std::u16string(seen::kLineBreak));
}

}  // namespace
}  // namespace kestrova::binding
