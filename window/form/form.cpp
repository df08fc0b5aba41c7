#include "window/form/form.h"

#include <stdexcept>

#include "window/form/form_rules.h"

namespace kestrova::form {

const Control* Form::Find(ControlId id) const {
    for (const Control& c : controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

std::size_t Form::IndexOf(ControlId id) const {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].id == id) return i;
    }
    throw std::out_of_range("the form has no control " + DisplayName(id));
}

}  // namespace kestrova::form
