#include "core/quiz_controller.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/quiz_content.h"
#include "tests/support/fake_choice_view.h"
#include "tests/support/verdicts.h"

namespace kestrova {
namespace {

using testing::FakeChoiceView;
using Call = FakeChoiceView::Call;

const std::u16string kRightFirst = testing::RightVerdictLine();
const std::u16string kWrongText = testing::WrongAnswerText();
const std::u16string kPrompt = testing::PromptText();

std::u16string CorrectText(std::int16_t i) { return testing::RightAnswerText(i); }

class QuizControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.firmChecked.fill(true);
        view.countryChecked.fill(true);
        quiz.Start();
        view.log.clear();
    }

    FakeChoiceView view;
    QuizController quiz{view};
};

TEST_F(QuizControllerTest, StartUnchecksEveryButtonPairwiseAndKeepsTheAssignment) {
    FakeChoiceView fresh;
    fresh.firmChecked.fill(true);
    fresh.countryChecked.fill(true);
    QuizController started(fresh);
    started.Start();

    std::vector<Call> expected;
    for (int i = 0; i < 10; ++i) {
        expected.push_back({"ClearFirmButton", i, {}});
        expected.push_back({"ClearCountryButton", i, {}});
    }
    EXPECT_EQ(fresh.log, expected);
    EXPECT_FALSE(fresh.AnyChecked());
    EXPECT_EQ(fresh.text, FakeChoiceView::kInitialText);
}

TEST_F(QuizControllerTest, ChoosingWritesNothing) {
    quiz.ChooseFirm(3);
    quiz.ChooseCountry(7);
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.text, FakeChoiceView::kInitialText);
}

TEST_F(QuizControllerTest, IncompleteChoicesAreWrong) {
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText) << "nothing chosen";

    quiz.ChooseFirm(4);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText) << "firm only";

    quiz.Clear();
    quiz.ChooseCountry(4);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText) << "country only";
}

TEST_F(QuizControllerTest, EveryMatchingPairIsCorrectAndShowsItsDescription) {
    for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
        view.log.clear();
        quiz.ChooseFirm(i);
        quiz.ChooseCountry(i);
        quiz.Evaluate();
        EXPECT_EQ(view.text, CorrectText(i)) << "index " << i;
        // The verdict is read back from the box before the description is added.
        const std::vector<Call> expected{{"SetResultText", -1, kRightFirst},
                                         {"GetResultText", -1, kRightFirst},
                                         {"GetDescription", i, {}},
                                         {"SetResultText", -1, CorrectText(i)}};
        EXPECT_EQ(view.log, expected) << "index " << i;
    }
}

TEST_F(QuizControllerTest, EveryMismatchedPairIsWrongInOneWrite) {
    for (std::int16_t firm = 0; firm < QuizContent::kRowCount; ++firm) {
        for (std::int16_t country = 0; country < QuizContent::kRowCount; ++country) {
            if (firm == country) continue;
            view.log.clear();
            quiz.ChooseFirm(firm);
            quiz.ChooseCountry(country);
            quiz.Evaluate();
            const std::vector<Call> expected{{"SetResultText", -1, kWrongText}};
            EXPECT_EQ(view.log, expected) << firm << "/" << country;
        }
    }
}

TEST_F(QuizControllerTest, TheLastChoiceInEachGroupCounts) {
    quiz.ChooseFirm(2);
    quiz.ChooseCountry(5);
    quiz.ChooseCountry(2);
    quiz.Evaluate();
    EXPECT_EQ(view.text, CorrectText(2));

    quiz.ChooseFirm(3);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText);
}

TEST_F(QuizControllerTest, EvaluatingAgainReplacesRatherThanPilesUp) {
    quiz.ChooseFirm(2);
    quiz.ChooseCountry(2);
    quiz.Evaluate();
    quiz.Evaluate();
    EXPECT_EQ(view.text, CorrectText(2));
}

TEST_F(QuizControllerTest, TheDescriptionFollowsWhatTheBoxReadsBack) {
    // A box that stores line breaks as "\n" alone: the controller builds on
    // what it reads, not on what it meant to write.
    class NewlineBox : public FakeChoiceView {
        void SetResultText(std::u16string_view newText) override {
            std::u16string stored(newText);
            for (auto at = stored.find(u"\r\n"); at != std::u16string::npos; at = stored.find(u"\r\n", at)) {
                stored.erase(at, 1);
            }
            text = stored;
        }
    } box;
    QuizController q(box);
    q.Start();
    q.ChooseFirm(9);
    q.ChooseCountry(9);
    q.Evaluate();
    EXPECT_EQ(box.text, std::u16string(testing::seen::kRightVerdict) + u"\n" + std::u16string(QuizContent::Description(9)) + u"\n");
}

TEST_F(QuizControllerTest, ClearUnchecksAllWritesThePromptAndForgetsTheChoices) {
    quiz.ChooseFirm(2);
    quiz.ChooseCountry(2);
    quiz.Evaluate();
    view.firmChecked[2] = view.countryChecked[2] = true;
    view.log.clear();

    quiz.Clear();
    ASSERT_EQ(view.log.size(), 21u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(view.log[2 * i], (Call{"ClearFirmButton", i, {}}));
        EXPECT_EQ(view.log[2 * i + 1], (Call{"ClearCountryButton", i, {}}));
    }
    EXPECT_EQ(view.log.back(), (Call{"SetResultText", -1, kPrompt}));
    EXPECT_FALSE(view.AnyChecked());

    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText);
    // Both choices are gone: choosing either side again alone is not enough.
    quiz.ChooseFirm(2);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText);
    quiz.Clear();
    quiz.ChooseCountry(2);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText);
}

TEST_F(QuizControllerTest, OutOfRangeChoicesThrowAndChangeNothing) {
    quiz.ChooseFirm(2);
    quiz.ChooseCountry(2);
    for (const std::int16_t bad : {std::int16_t{-1}, std::int16_t{10}, std::int16_t{-5}, std::int16_t{-15}}) {
        EXPECT_THROW(quiz.ChooseFirm(bad), std::out_of_range) << bad;
        EXPECT_THROW(quiz.ChooseCountry(bad), std::out_of_range) << bad;
    }
    quiz.Evaluate();
    EXPECT_EQ(view.text, CorrectText(2));
}

TEST_F(QuizControllerTest, ASentinelCannotBeSmuggledInAsAChoice) {
    // After Clear the firm holds its "none" value; choosing a country with
    // that same number must not make the pair look equal.
    quiz.Clear();
    EXPECT_THROW(quiz.ChooseCountry(-5), std::out_of_range);
    EXPECT_THROW(quiz.ChooseFirm(-15), std::out_of_range);
    quiz.Evaluate();
    EXPECT_EQ(view.text, kWrongText);
}

}  // namespace
}  // namespace kestrova
