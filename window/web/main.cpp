#include "window/form/quiz_form.h"
#include "window/web/quiz_page.h"

// The page lives as long as the browser tab that shows it, so it is never
// freed: the browser calls back into it for every Click after main returns.
extern "C" void kestrova_click(void* page, int control) { static_cast<kestrova::web::QuizPage*>(page)->Click(control); }
extern "C" void kestrova_resize(void* page, int width, int height, int coarsePointer) {
    static_cast<kestrova::web::QuizPage*>(page)->Resize(width, height, coarsePointer != 0);
}

int main() { new kestrova::web::QuizPage(kestrova::form::QuizForm()); }
