#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrova {

// What the quiz needs from its window: unchecking option buttons, the result
// box's text, and the descriptions the window keeps. All calls come from the
// window's one thread. Indices are 0..9.
class ChoiceView {
public:
    virtual ~ChoiceView() = default;

    // Unchecks a button without reporting it back as a choice.
    virtual void ClearFirmButton(std::int16_t index) = 0;
    virtual void ClearCountryButton(std::int16_t index) = 0;

    // Replaces the result box's whole content.
    virtual void SetResultText(std::u16string_view text) = 0;
    // The box's content exactly as last set, "\r\n" pairs intact.
    virtual std::u16string GetResultText() const = 0;

    // Description `index` as the window keeps it: entry `index` of its
    // hidden list, which the window fills with the descriptions in index
    // order.
    virtual std::u16string GetDescription(std::int16_t index) const = 0;
};

// The logic of one quiz: remembers the last firm and the last country chosen,
// judges the pair and writes the verdict. It touches the window only through
// the ChoiceView it is given, which it does not own; the window decides which
// event calls which operation.
class QuizController {
public:
    explicit QuizController(ChoiceView& view);

    void Start();
    // Both throw std::out_of_range for an index outside 0..9 and then leave
    // the choices as they were.
    void ChooseFirm(std::int16_t index);
    void ChooseCountry(std::int16_t index);
    void Evaluate();
    void Clear();

private:
    // "Nothing chosen yet", one value per side: -5 and -15, distinct from
    // each other and from every index. One shared "none" would make an empty
    // firm and an empty country an equal pair, and Evaluate would call it
    // right; with two, an answer counts only when both groups have a
    // selection, as the assignment shown at start-up asks. ChooseFirm and
    // ChooseCountry refuse both values, so neither can be chosen.
    static constexpr std::int16_t kNoFirm = -5;
    static constexpr std::int16_t kNoCountry = -15;

    void ResetChoices();

    ChoiceView& view_;
    std::int16_t chosenFirm = kNoFirm;
    std::int16_t chosenCountry = kNoCountry;
};

}  // namespace kestrova
