#pragma once

// How both Windows bench programs stop: from the top-level window's own
// procedure (a subclass, no hook), once the window and then every child
// have painted, with the drawing flushed. The process ends there, without
// tearing the window down, which Wine without a window manager makes wait.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>

namespace bench {

inline LRESULT CALLBACK StopAfterFirstPaint(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                            DWORD_PTR) {
    const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
    if (message == WM_PAINT) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        ExitProcess(0);
    }
    return result;
}

inline void StopAfterFirstPaint(HWND window) { SetWindowSubclass(window, &StopAfterFirstPaint, 0, 0); }

}  // namespace bench
