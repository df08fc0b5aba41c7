#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "window/form/form_rules.h"

namespace kestrova::web {

// How the form becomes the page's elements, for the program that realises
// it and for the build step that writes the same elements into the page.

// The element that realises each kind of control.
inline std::u16string_view Tag(const form::Control& c) {
    switch (c.kind) {
    case form::Kind::Label: return c.heading ? u"h1" : u"div";
    case form::Kind::Frame: return u"fieldset";
    case form::Kind::OptionButton: return u"label";
    case form::Kind::CommandButton: return u"button";
    case form::Kind::TextBox: return u"textarea";
    case form::Kind::ListBox: return u"select";
    }
    throw std::logic_error("unknown control kind");
}

// One control's element and where it goes: into the page itself (`parent`
// -1) or into its frame's element (the frame's place in the form).
struct PagePlace {
    std::size_t control = 0;
    int parent = -1;
};

// Every control in the page's order, which is its tab order and its radios'
// arrow order: each frame goes in where its group's first button does.
inline std::vector<PagePlace> PageOrder(const form::Form& form) {
    std::vector<PagePlace> order;
    std::vector<bool> placed(form.controls.size());
    for (const form::Control* c : form::SiblingOrder(form)) {
        const int container = c->container.name.empty() ? -1 : static_cast<int>(form.IndexOf(c->container));
        if (container >= 0 && !placed[static_cast<std::size_t>(container)]) {
            order.push_back({static_cast<std::size_t>(container), -1});
            placed[static_cast<std::size_t>(container)] = true;
        }
        const std::size_t index = form.IndexOf(c->id);
        if (placed[index]) continue;
        order.push_back({index, container});
        placed[index] = true;
    }
    return order;
}

}  // namespace kestrova::web
