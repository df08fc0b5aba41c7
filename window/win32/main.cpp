#include "window/form/quiz_form.h"
#include "window/win32/quiz_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    kestrova::win32::QuizWindow window(instance, kestrova::form::QuizForm());
    return window.Run(show);
}
