#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "window/binding/control_surface.h"
#include "window/form/form.h"
#include "core/quiz_controller.h"

namespace kestrova::binding {

// Ties the quiz window's controls to the one QuizController, for every front
// end alike: it owns the controller, is its ChoiceView in terms of the form's
// controls, and turns Load and each Click into the one controller call that
// belongs to it. The front end realises the controls and reports events;
// the controller holds the quiz logic.
class QuizBinding : public ChoiceView {
public:
    // Both must outlive the binding.
    QuizBinding(const form::Form& form, ControlSurface& surface);

    // The window's Load event.
    void Load();
    // A Click of control `id`: a command button pressed, or an option button
    // that has become the checked one. A report for an option button that is
    // not checked (one merely focused, or just unchecked) is no choice and is
    // ignored, as is a control that nothing is bound to.
    void Click(form::ControlId id);
    // Calls `found` with the firm's index after each Click the quiz judged
    // a right answer, for a front end that reports progress (the web page
    // to a learning platform). The quiz itself keeps no score. A plain
    // function, not std::function, which would add 1.7 KB to the page.
    void OnRightAnswer(void (*found)(std::int16_t firm));

    void ClearFirmButton(std::int16_t index) override;
    void ClearCountryButton(std::int16_t index) override;
    void SetResultText(std::u16string_view text) override;
    std::u16string GetResultText() const override;
    std::u16string GetDescription(std::int16_t index) const override;

private:
    const form::Form& form_;
    ControlSurface& surface_;
    // The result box's text as last written, kept because some toolkits
    // give back "\r\n" as "\n".
    std::u16string written_;
    void (*found_)(std::int16_t) = nullptr;
    // The firm whose description the controller asked for during the
    // current Click: it asks only after judging that firm's pair right.
    mutable std::optional<std::int16_t> described_;
    QuizController controller_{*this};
};

// A text box's content as one message to be spoken: each line break ("\r\n"
// or a toolkit's bare "\n") a blank, none at the end.
std::u16string SpokenText(std::u16string_view boxText);

// What a text box holds, with its line breaks as the form writes them: the
// text last written when the box still shows just that (toolkits may show
// each "\r\n" as "\n"), otherwise what it shows, each bare "\n" as "\r\n".
std::u16string ExactBoxText(std::u16string_view written, std::u16string_view shown);

}  // namespace kestrova::binding
