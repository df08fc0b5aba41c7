// kestrova.exe exactly as shipped, its resources included, plus one thing:
// it quits once the window and all its controls have painted.
#include "window/form/quiz_form.h"
#include "window/win32/quiz_window.h"
#include "bench/win32_paint_stop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    kestrova::win32::QuizWindow window(instance, kestrova::form::QuizForm());
    bench::StopAfterFirstPaint(window.Handle());
    return window.Run(show);
}
