#include "window/form/form.h"

#include <stdexcept>

#include "core/decimal_text.h"

namespace kestrova::form {

std::string DisplayName(ControlId id) {
    std::string name(id.name);
    if (id.index != ControlId::kSingle) name += '(' + DecimalText(id.index) + ')';
    return name;
}

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
