// Prints each visible control of the quiz window as "Name(index) x y w h",
// in pixels from the window's client area at 100 %, so scripts driving the
// real window know where to click without keeping their own copy of the form.
// With --captions, prints "Name<tab>caption" for the window and then
// "Name(index)<tab>text" for each control, in UTF-8, so that documents can be
// held against the captions the program shows.
#include <iostream>
#include <string_view>

#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"
#include "tests/support/golden.h"

int main(int argc, char** argv) {
    using namespace kestrova::form;
    const Form form = QuizForm();
    const bool captions = argc > 1 && std::string_view(argv[1]) == "--captions";
    if (captions) std::cout << form.name << '\t' << kestrova::testing::Utf8(form.caption) << '\n';
    for (const Control& c : form.controls) {
        if (!c.visible) continue;
        if (captions) {
            std::cout << DisplayName(c.id) << '\t' << kestrova::testing::Utf8(c.text) << '\n';
            continue;
        }
        const PixelRect r = PlaceInWindow(form, c, 96);
        std::cout << DisplayName(c.id) << ' ' << r.left << ' ' << r.top << ' ' << r.width << ' ' << r.height << '\n';
    }
}
