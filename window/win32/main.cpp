#include "kestrova_form.h"
#include "quiz_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    kestrova::win32::QuizWindow window(instance, kestrova::form::KestrovaForm());
    return window.Run(show);
}
