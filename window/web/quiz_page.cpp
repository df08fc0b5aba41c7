#include "window/web/quiz_page.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "window/web/dom.h"
#include "window/web/lms.h"
#include "window/web/page_elements.h"
#include "window/form/form_rules.h"

namespace kestrova::web {
namespace {

int Rgb(form::Rgb c) { return c.r << 16 | c.g << 8 | c.b; }

int Length(std::u16string_view text) { return static_cast<int>(text.size()); }

std::u16string Utf16(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// The option rows' circles where the form puts them at `dpi`.
void PresentOptionCircles(const form::Form& form, int dpi) {
    for (const form::Control& c : form.controls) {
        if (c.kind != form::Kind::OptionButton) continue;
        const form::OptionIndicator i = form::OptionIndicatorIn(c, dpi);
        dom_option_circle(i.circle.width, i.ringWidth, i.circle.left, i.captionLeft - i.circle.left - i.circle.width,
                          i.dot.left - i.circle.left);
        return;
    }
}

}  // namespace

QuizPage::QuizPage(form::Form form) : form_(std::move(form)) {
    Realise();
    binding_.Load();
    // Progress for a learning platform, when one launched the page.
    binding_.OnRightAnswer([](std::int16_t firm) { lms_found(firm); });
    lms_open();
    // What the student did on the page before the program ran, as if it
    // had been running.
    dom_replay_early(this);
}

void QuizPage::Realise() {
    dom_page(form_.caption.data(), Length(form_.caption), Rgb(form_.background), form_.font.face.data(),
             Length(form_.font.face));
    // Each control's element is known to the page by a number: its place.
    for (std::size_t i = 0; i < form_.controls.size(); ++i) {
        numbers_.Set(form_.controls[i], static_cast<int>(i));
        Create(static_cast<int>(i), form_.controls[i]);
    }

    // Where the page already holds the elements, each is where it belongs.
    for (const PagePlace& p : PageOrder(form_)) dom_append(static_cast<int>(p.control), p.parent);
    const std::vector<const form::Control*> stacking = form::StackingOrder(form_);
    for (std::size_t depth = 0; depth < stacking.size(); ++depth) {
        dom_stack(Number(stacking[depth]->id), static_cast<int>(stacking.size() - depth));
    }
    dom_watch_viewport(this);
    // Unless the student has already put it somewhere.
    if (const form::Control* first = form::FirstFocus(form_); first && !dom_focus_taken()) dom_focus(Number(first->id));
}

void QuizPage::Resize(int width, int height, bool coarsePointer) {
    const form::Viewport viewport{width, height};
    presentation_ = form::ChoosePresentation(form_, viewport,
                                             coarsePointer ? form::Pointer::Coarse : form::Pointer::Fine);
    if (presentation_ == form::Presentation::Exact) {
        PresentExact(viewport);
    } else {
        PresentTouch();
    }
}

void QuizPage::PresentExact(form::Viewport viewport) {
    const form::ExactFit fit = form::FitExact(form_, viewport);
    dom_present_exact(fit.left, fit.top, fit.width, fit.height,
                      static_cast<int>(form::FontPixels(form_.font, fit.dpi) * 100 + 0.5),
                      form::FocusRingWidth(fit.dpi), form::IndicatorSize(fit.dpi));
    PresentOptionCircles(form_, fit.dpi);
    for (std::size_t i = 0; i < form_.controls.size(); ++i) {
        const form::PixelRect r = form::PlaceInContainer(form_.controls[i], fit.dpi);
        dom_place(static_cast<int>(i), r.left, r.top, r.width, r.height);
    }
}

void QuizPage::PresentTouch() {
    dom_present_touch(static_cast<int>(form::FontPixels(form_.font, form::kReferenceDpi) + 0.5),
                      form::kLeastTouchTarget, form::kTouchIndicator, form::FocusRingWidth(form::kReferenceDpi));
    // The form's circle grown to the touch layout's size.
    PresentOptionCircles(form_, form::kReferenceDpi * form::kTouchIndicator / form::IndicatorSize(form::kReferenceDpi));
    for (const form::TouchPlace& p : form::TouchLayout(form_)) {
        dom_flow(Number(p.control->id), p.band, p.wholeWidth ? 1 : 0, static_cast<int>(p.widthInEms * 1000 + 0.5));
    }
    for (std::size_t i = 0; i < form_.controls.size(); ++i) {
        if (form_.controls[i].kind == form::Kind::TextBox && form_.controls[i].visible) dom_fit(static_cast<int>(i));
    }
}

void QuizPage::Create(int index, const form::Control& c) {
    const std::u16string id = Utf16(form::DisplayName(c.id));
    const std::u16string group = c.container.name.empty() ? std::u16string() : Utf16(form::DisplayName(c.container));
    const std::u16string_view tag = Tag(c);
    const bool adopted = dom_create(index, tag.data(), Length(tag), id.data(), Length(id), group.data(), Length(group));
    if (c.kind == form::Kind::OptionButton || c.kind == form::Kind::CommandButton) dom_listen(index, this);
    // The page was written with the element as it should be.
    if (adopted) return;
    if (c.background) dom_colour(index, Rgb(*c.background));
    dom_set_text(index, c.text.data(), Length(c.text));
    for (std::u16string_view item : c.items) dom_add_item(index, item.data(), Length(item));
    if (!c.accessibleName.empty()) dom_name(index, c.accessibleName.data(), Length(c.accessibleName));
    if (!c.visible) dom_hide(index);
}

int QuizPage::Number(form::ControlId id) const { return numbers_.At(id); }

void QuizPage::Click(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < form_.controls.size()) {
        binding_.Click(form_.controls[static_cast<std::size_t>(index)].id);
    }
}

void QuizPage::SetText(form::ControlId box, std::u16string_view text) {
    dom_set_text(Number(box), text.data(), Length(text));
    // The touch layout's box grows with its text, which may then reach
    // below the screen: the new text is brought into view.
    if (presentation_ == form::Presentation::Touch) {
        dom_fit(Number(box));
        dom_reveal(Number(box));
    }
}

std::u16string QuizPage::Text(form::ControlId box) const {
    std::u16string text(static_cast<std::size_t>(dom_text_length(Number(box))), u'\0');
    dom_copy_text(Number(box), text.data());
    return text;
}

bool QuizPage::IsChecked(form::ControlId option) const { return dom_is_checked(Number(option)) != 0; }
void QuizPage::Uncheck(form::ControlId option) { dom_uncheck(Number(option)); }

std::u16string QuizPage::ListItem(form::ControlId list, std::size_t index) const {
    const int length = dom_item_length(Number(list), static_cast<int>(index));
    if (length < 0) throw std::out_of_range("the list has no such entry");
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    dom_copy_item(Number(list), static_cast<int>(index), text.data());
    return text;
}

void QuizPage::Announce(form::ControlId box) {
    const std::u16string message = binding::SpokenText(Text(box));
    dom_announce(message.data(), Length(message));
}

}  // namespace kestrova::web
