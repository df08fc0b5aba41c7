// The Win32 floor: a minimal window with the quiz's controls (a heading, two
// group boxes of ten radio buttons, two buttons, a multi-line edit holding
// 816 characters, a hidden one holding 118 and a hidden list of ten entries
// of 196) and the same manifest, written by hand with none of the project's code. Like the
// quiz, it gives each control its font before its text. It stops the way
// the timed quiz does.
#include <string>

#include "bench/win32_paint_stop.h"

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND Child(HWND parent, HFONT font, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
           int h) {
    HWND child = CreateWindowExW(0, cls, L"", WS_CHILD | style, x, y, w, h, parent, nullptr, nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(child, text);
    return child;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Floor";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"Floor", L"Floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 467, 407, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, 0, 0, 0, 0,
                             L"Times New Roman");
    std::wstring text;
    while (text.size() < 816) text += L"Да се реализира проект, представящ връзки. ";
    text.resize(816);
    const DWORD shown = WS_VISIBLE;
    Child(window, font, L"EDIT", text.c_str(), shown | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, 8, 256, 449, 121);
    Child(window, font, L"EDIT", text.substr(0, 118).c_str(), ES_MULTILINE | WS_VSCROLL, 40, 288, 449, 121);
    Child(window, font, L"STATIC", L"Заглавие", shown | SS_CENTER, 64, 0, 337, 25);
    for (int frame = 0; frame < 2; ++frame) {
        for (int i = 0; i < 10; ++i) {
            Child(window, font, L"BUTTON", L"Бутон", shown | BS_AUTORADIOBUTTON, 72 + 184 * frame, 56 + 16 * i, 121, 19);
        }
    }
    Child(window, font, L"BUTTON", L"Бутон", shown | BS_PUSHBUTTON | WS_TABSTOP, 64, 232, 105, 19);
    Child(window, font, L"BUTTON", L"Бутон", shown | BS_PUSHBUTTON | WS_TABSTOP, 288, 232, 105, 19);
    HWND list = Child(window, font, L"LISTBOX", L"", WS_VSCROLL, 408, 40, 49, 175);
    const std::wstring entry = text.substr(0, 196);
    for (int i = 0; i < 10; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    Child(window, font, L"BUTTON", L"Група", shown | BS_GROUPBOX, 64, 32, 145, 193);
    Child(window, font, L"BUTTON", L"Група", shown | BS_GROUPBOX, 248, 32, 153, 193);
    bench::StopAfterFirstPaint(window);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
