#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "window/form/form.h"

namespace kestrova::binding {

// What a front end offers the quiz binding: its realised controls, addressed
// by the form's names and indices. A front end implements these few
// operations on its toolkit's controls and knows nothing of the quiz.
class ControlSurface {
public:
    virtual ~ControlSurface() = default;

    // Replaces a text box's whole content.
    virtual void SetText(form::ControlId box, std::u16string_view text) = 0;
    // What the text box holds now, as the toolkit keeps it (some keep each
    // "\r\n" as a bare "\n").
    virtual std::u16string Text(form::ControlId box) const = 0;

    virtual bool IsChecked(form::ControlId option) const = 0;
    // Unchecks an option button without its becoming a Click.
    virtual void Uncheck(form::ControlId option) = 0;

    // Entry `index` of a list box; throws std::out_of_range past its end.
    virtual std::u16string ListItem(form::ControlId list, std::size_t index) const = 0;

    // Text box `box`, the form's live region, has new content: has assistive
    // technology speak it (SpokenText of what the box holds) politely,
    // without moving the focus, and as news even when the words are the
    // same as last time.
    virtual void Announce(form::ControlId box) = 0;
};

}  // namespace kestrova::binding
