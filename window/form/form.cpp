#include "form.h"

namespace kestrova::form {

const Control* Form::Find(ControlId id) const {
    for (const Control& c : controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

}  // namespace kestrova::form
