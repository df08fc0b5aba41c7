#pragma once

#include "window/binding/control_surface.h"
#include "window/form/form.h"
#include "window/binding/quiz_binding.h"
#include "window/binding/realised_controls.h"
#include "window/form/screen_layout.h"

namespace kestrova::web {

// The quiz as a web page: realises the form description as real HTML
// controls (so the browser's own keyboard handling and accessibility
// apply) and reports Load and each Click to the quiz binding, which holds
// the wiring. How the form is shown on the viewport, the exact form scaled
// or the touch layout, comes from the form's screen rules.
class QuizPage : private binding::ControlSurface {
public:
    explicit QuizPage(form::Form form);
    QuizPage(const QuizPage&) = delete;
    QuizPage& operator=(const QuizPage&) = delete;

    // A Click the page reported for the control at `index` in the form.
    void Click(int index);
    // The viewport has this size in CSS pixels and the screen is mainly
    // used by finger (`coarsePointer`) or not, at opening or since a change.
    void Resize(int width, int height, bool coarsePointer);

private:
    void Realise();
    void Create(int index, const form::Control& control);
    void PresentExact(form::Viewport viewport);
    void PresentTouch();
    int Number(form::ControlId id) const;

    void SetText(form::ControlId box, std::u16string_view text) override;
    std::u16string Text(form::ControlId box) const override;
    bool IsChecked(form::ControlId option) const override;
    void Uncheck(form::ControlId option) override;
    std::u16string ListItem(form::ControlId list, std::size_t index) const override;
    void Announce(form::ControlId box) override;

    const form::Form form_;
    form::Presentation presentation_ = form::Presentation::Exact;
    binding::RealisedControls<int> numbers_{form_};
    binding::QuizBinding binding_{form_, *this};
};

}  // namespace kestrova::web
