#pragma once

#include <stdexcept>

#include "form.h"

namespace kestrova::win32 {

// Win32 tells child windows apart by a number. Each control's number is
// derived from its place in the form, so the program and anything that
// inspects its window find a control by name and index alike.
inline int ControlNumber(const form::Form& form, form::ControlId id) {
    constexpr int kFirst = 1000;
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        if (form.controls[i].id == id) return kFirst + static_cast<int>(i);
    }
    throw std::out_of_range("the form has no such control");
}

}  // namespace kestrova::win32
