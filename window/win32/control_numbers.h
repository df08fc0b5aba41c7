#pragma once

#include "window/form/form.h"

namespace kestrova::win32 {

// Win32 tells child windows apart by a number. Each control's number is
// derived from its place in the form, so the program and anything that
// inspects its window find a control by name and index alike.
inline constexpr int kFirstControlNumber = 1000;

// Throws std::out_of_range when the form has no such control.
inline int ControlNumber(const form::Form& form, form::ControlId id) {
    return kFirstControlNumber + static_cast<int>(form.IndexOf(id));
}

// The control a number stands for; nullptr for a number that is none of
// the form's (IDOK and IDCANCEL, say).
inline const form::Control* ControlAt(const form::Form& form, int number) {
    const int i = number - kFirstControlNumber;
    if (i < 0 || i >= static_cast<int>(form.controls.size())) return nullptr;
    return &form.controls[static_cast<std::size_t>(i)];
}

}  // namespace kestrova::win32
