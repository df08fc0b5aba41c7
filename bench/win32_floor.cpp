// The Win32 floor: a minimal window with the quiz's controls (a heading, two
// group boxes of ten radio buttons, two buttons, a multi-line edit holding
// 816 characters), written by hand with none of the project's code, quitting
// after its first paint.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        const LRESULT result = DefWindowProcW(hwnd, message, wparam, lparam);
        PostQuitMessage(0);
        return result;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr, nullptr, nullptr);
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
    HWND children[] = {
        Child(window, L"STATIC", L"Заглавие", SS_CENTER, 64, 0, 337, 25),
        Child(window, L"BUTTON", L"Група", BS_GROUPBOX, 64, 32, 145, 193),
        Child(window, L"BUTTON", L"Група", BS_GROUPBOX, 248, 32, 153, 193),
        Child(window, L"BUTTON", L"Бутон", BS_PUSHBUTTON, 64, 232, 105, 19),
        Child(window, L"BUTTON", L"Бутон", BS_PUSHBUTTON, 288, 232, 105, 19),
        Child(window, L"EDIT", text.c_str(), ES_MULTILINE | ES_READONLY | WS_VSCROLL, 8, 256, 449, 121),
    };
    for (HWND child : children) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int frame = 0; frame < 2; ++frame) {
        for (int i = 0; i < 10; ++i) {
            HWND option = Child(window, L"BUTTON", L"Бутон", BS_AUTORADIOBUTTON, 72 + 184 * frame, 56 + 16 * i, 121, 19);
            SendMessageW(option, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DeleteObject(font);
    return 0;
}
