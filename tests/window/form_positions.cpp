// Prints each visible control of the quiz window as "Name(index) x y w h",
// in pixels from the window's client area at 100 %, so scripts driving the
// real window know where to click without keeping their own copy of the form.
#include <iostream>

#include "kestrova_form.h"

int main() {
    using namespace kestrova::form;
    const Form form = KestrovaForm();
    for (const Control& c : form.controls) {
        if (!c.visible) continue;
        int left = c.left, top = c.top;
        if (!c.container.name.empty()) {
            const Control* frame = form.Find(c.container);
            left += frame->left;
            top += frame->top;
        }
        std::cout << c.id.name;
        if (c.id.index != ControlId::kSingle) std::cout << '(' << c.id.index << ')';
        std::cout << ' ' << left / kTwipsPerPixel << ' ' << top / kTwipsPerPixel << ' ' << c.width / kTwipsPerPixel
                  << ' ' << c.height / kTwipsPerPixel << '\n';
    }
}
