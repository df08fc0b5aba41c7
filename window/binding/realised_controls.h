#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <vector>

#include "window/form/form.h"

namespace kestrova::binding {

// What a front end made for each control of a form (a widget, a window
// handle, an element's number), kept by the control's place in the form:
// found again by the form's name and index, or traced back from the
// toolkit's object to its control. It makes nothing itself.
template <typename Handle>
class RealisedControls {
public:
    explicit RealisedControls(const form::Form& form) : form_(form), handles_(form.controls.size()) {}

    void Set(const form::Control& control, Handle handle) { handles_.at(Place(control)) = handle; }

    // Throws std::out_of_range when the form has no such control.
    Handle At(form::ControlId id) const { return handles_.at(form_.IndexOf(id)); }
    // A default Handle when the form has no such control.
    Handle Find(form::ControlId id) const {
        const form::Control* c = form_.Find(id);
        return c == nullptr ? Handle{} : handles_[Place(*c)];
    }
    // The control realised as `handle`; nullptr for anything else.
    const form::Control* ControlOf(Handle handle) const {
        for (std::size_t i = 0; i < handles_.size(); ++i) {
            if (handles_[i] == handle) return &form_.controls[i];
        }
        return nullptr;
    }
    // Every control with what realises it, in the form's order.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (std::size_t i = 0; i < handles_.size(); ++i) visit(form_.controls[i], handles_[i]);
    }

private:
    std::size_t Place(const form::Control& control) const {
        // Compared as std::less does, which holds for pointers into different
        // arrays too.
        const std::less<const form::Control*> before;
        const form::Control* first = form_.controls.data();
        if (before(&control, first) || !before(&control, first + form_.controls.size())) {
            throw std::out_of_range("not a control of this form");
        }
        return static_cast<std::size_t>(&control - first);
    }

    const form::Form& form_;
    std::vector<Handle> handles_;
};

}  // namespace kestrova::binding
