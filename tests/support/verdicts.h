#pragma once

// What the result box holds after each command, built from what users see
// (tests/what_users_see.json) and the quiz's descriptions.
#include <cstdint>
#include <string>

#include "core/quiz_content.h"
#include "tests/support/what_users_see.h"

namespace kestrova::testing {

// The right verdict, a line break, description `i`, a line break.
inline std::u16string RightAnswerText(std::int16_t i) {
    std::u16string text(seen::kRightVerdict);
    return text.append(seen::kLineBreak).append(QuizContent::Description(i)).append(seen::kLineBreak);
}

// The right verdict and its line break, all the box holds before the
// description is added.
inline std::u16string RightVerdictLine() { return std::u16string(seen::kRightVerdict).append(seen::kLineBreak); }

// The wrong verdict and a line break: a wrong or incomplete answer.
inline std::u16string WrongAnswerText() { return std::u16string(seen::kWrongVerdict).append(seen::kLineBreak); }

// After "Чисти": the prompt, with no line break.
inline std::u16string PromptText() { return std::u16string(seen::kPrompt); }

}  // namespace kestrova::testing
