// kestrova.exe's window exactly as the program builds it, plus one thing: it
// quits once the window has been painted for the first time.
#include "kestrova_form.h"
#include "quiz_window.h"

namespace {

// Runs after each message has been handled: once the window's first
// WM_PAINT is done, the process ends there, as the floor's does, without
// tearing the window down (which Wine without a window manager makes wait).
LRESULT CALLBACK QuitAfterFirstPaint(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == WM_PAINT && GetParent(call->hwnd) == nullptr) {
        GdiFlush();
        ExitProcess(0);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &QuitAfterFirstPaint, nullptr, GetCurrentThreadId());
    kestrova::win32::QuizWindow window(instance, kestrova::form::KestrovaForm());
    const int result = window.Run(show);
    UnhookWindowsHookEx(hook);
    return result;
}
