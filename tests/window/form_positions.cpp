// Prints each visible control of the quiz window as "Name(index) x y w h",
// in pixels from the window's client area at 100 %, so scripts driving the
// real window know where to click without keeping their own copy of the form.
#include <iostream>

#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"

int main() {
    using namespace kestrova::form;
    const Form form = QuizForm();
    for (const Control& c : form.controls) {
        if (!c.visible) continue;
        const PixelRect r = PlaceInWindow(form, c, 96);
        std::cout << DisplayName(c.id) << ' ' << r.left << ' ' << r.top << ' ' << r.width << ' ' << r.height << '\n';
    }
}
