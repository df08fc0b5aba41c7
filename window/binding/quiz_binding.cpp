#include "window/binding/quiz_binding.h"

#include <array>

#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"

namespace kestrova::binding {
namespace {

// Which control's Click calls which controller operation. An entry with no
// index serves the whole array and passes the element's index on.
struct Wire {
    std::string_view array;
    std::int16_t index;
    void (*operation)(QuizController&, std::int16_t);
};

constexpr std::int16_t kEveryIndex = form::ControlId::kSingle;

constexpr std::array<Wire, 4> kWiring{{
    {form::kFirmButtons, kEveryIndex, [](QuizController& q, std::int16_t i) { q.ChooseFirm(i); }},
    {form::kCountryButtons, kEveryIndex, [](QuizController& q, std::int16_t i) { q.ChooseCountry(i); }},
    {form::kCommands, form::kEvaluateCommand, [](QuizController& q, std::int16_t) { q.Evaluate(); }},
    {form::kCommands, form::kClearCommand, [](QuizController& q, std::int16_t) { q.Clear(); }},
}};

std::u16string Replace(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            out.append(to);
            i += from.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

}  // namespace

std::u16string SpokenText(std::u16string_view boxText) {
    std::u16string spoken = Replace(Replace(boxText, u"\r\n", u"\n"), u"\n", u" ");
    while (!spoken.empty() && spoken.back() == u' ') spoken.pop_back();
    return spoken;
}

std::u16string ExactBoxText(std::u16string_view written, std::u16string_view shown) {
    if (shown == written || shown == Replace(written, u"\r\n", u"\n")) return std::u16string(written);
    return Replace(Replace(shown, u"\r\n", u"\n"), u"\n", u"\r\n");
}

QuizBinding::QuizBinding(const form::Form& form, ControlSurface& surface)
    : form_(form), surface_(surface), written_(form.Find(form::kResultBox)->text) {}

void QuizBinding::Load() { controller_.Start(); }

void QuizBinding::Click(form::ControlId id) {
    const form::Control* control = form_.Find(id);
    if (control == nullptr) return;
    if (control->kind == form::Kind::OptionButton && !surface_.IsChecked(id)) return;
    for (const Wire& wire : kWiring) {
        if (wire.array == id.name && (wire.index == kEveryIndex || wire.index == id.index)) {
            described_.reset();
            wire.operation(controller_, id.index);
            if (described_ && found_) found_(*described_);
            // A command rewrites the result box away from the focus; say
            // what it now holds.
            if (control->kind == form::Kind::CommandButton) {
                if (const form::Control* live = form::LiveRegion(form_)) surface_.Announce(live->id);
            }
            return;
        }
    }
}

void QuizBinding::OnRightAnswer(void (*found)(std::int16_t firm)) { found_ = found; }

void QuizBinding::ClearFirmButton(std::int16_t index) { surface_.Uncheck({form::kFirmButtons, index}); }
void QuizBinding::ClearCountryButton(std::int16_t index) { surface_.Uncheck({form::kCountryButtons, index}); }

void QuizBinding::SetResultText(std::u16string_view text) {
    written_ = text;
    surface_.SetText(form::kResultBox, text);
}

std::u16string QuizBinding::GetResultText() const {
    return ExactBoxText(written_, surface_.Text(form::kResultBox));
}

// From the window's hidden list, not from QuizContent, though the list was
// filled from it: the window is what the quiz shows, and the description a
// right answer shows is whatever the window holds as entry `index`. A front
// end that filled its list wrongly then shows it, and its tests see it.
std::u16string QuizBinding::GetDescription(std::int16_t index) const {
    described_ = index;
    return surface_.ListItem(form::kDescriptionList, static_cast<std::size_t>(index));
}

}  // namespace kestrova::binding
