// Drives QuizController with arbitrary operation sequences and indices, in
// range and out of it, against a model of what it must do:
//   - an index outside 0..9 is refused with std::out_of_range and changes
//     nothing;
//   - Evaluate writes the right answer (with the firm's description) exactly
//     when the last firm and the last country chosen since the last reset
//     are the same row, and the wrong-answer text otherwise;
//   - Clear writes the prompt and unchecks every button;
//   - choosing writes nothing.
// Each input is: an operation byte, and for the two choices two more bytes
// read as a signed 16-bit index.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/support/fake_choice_view.h"
#include "tests/support/verdicts.h"
#include "core/quiz_content.h"
#include "core/quiz_controller.h"

namespace {

using kestrova::QuizContent;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "model mismatch: %s\n", what);
    std::abort();
}

void Expect(bool ok, const char* what) {
    if (!ok) Fail(what);
}

std::int16_t ReadIndex(const std::uint8_t*& at, const std::uint8_t* end) {
    std::uint16_t raw = 0;
    for (int i = 0; i < 2 && at != end; ++i) raw = static_cast<std::uint16_t>(raw << 8 | *at++);
    return static_cast<std::int16_t>(raw);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrova::testing::FakeChoiceView view;
    kestrova::QuizController quiz(view);
    quiz.Start();
    std::optional<std::int16_t> firm, country;
    std::u16string expected(view.text);

    const std::uint8_t* at = data;
    const std::uint8_t* end = data + size;
    while (at != end) {
        const std::uint8_t op = *at++ % 5;
        view.log.clear();
        switch (op) {
        case 0:
        case 1: {
            const std::int16_t index = ReadIndex(at, end);
            const bool valid = index >= 0 && index < QuizContent::kRowCount;
            try {
                op == 0 ? quiz.ChooseFirm(index) : quiz.ChooseCountry(index);
                Expect(valid, "an index outside 0..9 was taken");
                (op == 0 ? firm : country) = index;
            } catch (const std::out_of_range&) {
                Expect(!valid, "a valid index was refused");
            }
            Expect(view.log.empty(), "choosing touched the window");
            break;
        }
        case 2:
            quiz.Evaluate();
            expected = firm && country && *firm == *country ? kestrova::testing::RightAnswerText(*firm)
                                                            : kestrova::testing::WrongAnswerText();
            break;
        case 3:
            view.firmChecked.fill(true);
            view.countryChecked.fill(true);
            quiz.Clear();
            Expect(!view.AnyChecked(), "Clear left a button checked");
            firm.reset();
            country.reset();
            expected = kestrova::testing::PromptText();
            break;
        default:
            // A second Start resets like Clear but leaves the box alone.
            quiz.Start();
            firm.reset();
            country.reset();
            break;
        }
        Expect(view.text == expected, "the result box holds the wrong text");
    }
    return 0;
}
