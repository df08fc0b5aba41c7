// Checks the running kestrova.exe from outside, through the Windows API: what
// a person sees (controls, texts, places, fonts, colours on the screen) and
// does (mouse clicks, Tab, arrow keys, Space, typing). Finds the window the
// caller started and prints "N passed, M failed".
//   win32_window_tests.exe [DPI]   the dots per inch the window must use
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "win32/control_numbers.h"
#include "form/quiz_form.h"
#include "core/quiz_content.h"
#include "win32/quiz_window.h"

namespace {

using namespace kestrova;
using form::ControlId;

const std::u16string kCorrect = u"Браво! Позна.\r\n";
const std::u16string kWrong = u"Грешен отговор.\r\n";
const std::u16string kPrompt = u"Направете своя избор!";

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

std::string Name(ControlId id) {
    std::string s(id.name);
    if (id.index != ControlId::kSingle) s.append("(").append(std::to_string(id.index)).append(")");
    return s;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

class Quiz {
public:
    Quiz(HWND window, form::Form form, UINT dpi) : window_(window), form_(std::move(form)), dpi_(dpi) {
        thread_ = GetWindowThreadProcessId(window_, nullptr);
    }

    const form::Form& Form() const { return form_; }
    HWND Window() const { return window_; }
    HWND Get(ControlId id) const { return GetDlgItem(window_, win32::ControlNumber(form_, id)); }
    HWND Firm(int i) const { return Get({form::kFirmButtons, std::int16_t(i)}); }
    HWND Country(int i) const { return Get({form::kCountryButtons, std::int16_t(i)}); }
    HWND Command(int i) const { return Get({form::kCommands, std::int16_t(i)}); }

    static std::u16string Text(HWND hwnd) {
        const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
        std::u16string text(static_cast<std::size_t>(length), u'\0');
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    std::u16string Result() const { return Text(Get(form::kResultBox)); }
    static bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int CheckedCount() const {
        int n = 0;
        for (int i = 0; i < 10; ++i) n += int(Checked(Firm(i))) + int(Checked(Country(i)));
        return n;
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        return info.hwndFocus;
    }
    void Click(HWND button) const { SendMessageW(button, BM_CLICK, 0, 0); }
    // A key as the keyboard would send it to the focused control; it goes
    // through the program's own message loop.
    void Key(WPARAM key) const {
        HWND target = Focus();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        Sleep(50);
        SendMessageW(window_, WM_NULL, 0, 0);
    }
    // The dots per inch the window is meant to use; Wine answers
    // GetDpiForWindow for another program's window with its own.
    UINT Dpi() const { return dpi_; }

private:
    HWND window_;
    form::Form form_;
    UINT dpi_;
    DWORD thread_ = 0;
};

// Hand-written here, not read from the program's form: (left, top, width,
// height) in twips from the client area, and what a person sees there.
struct Expected {
    ControlId id;
    int left, top, width, height;
    COLORREF colour;  // at a spot clear of text and edges; CLR_INVALID: not checked
};
const Expected kExpected[] = {
    {{form::kHeading, 0}, 960, 0, 5055, 375, RGB(255, 192, 128)},
    {{form::kFrames, 0}, 960, 480, 2175, 2895, RGB(192, 192, 255)},
    {{form::kFrames, 1}, 3720, 480, 2295, 2895, RGB(192, 192, 255)},
    {{form::kFirmButtons, 6}, 1080, 840, 1815, 285, RGB(192, 255, 255)},      // Alcatel SA, top row
    {{form::kCountryButtons, 4}, 3840, 840, 1815, 285, RGB(255, 192, 255)},   // Англия, top row
    {{form::kFirmButtons, 2}, 1080, 2040, 1815, 285, RGB(192, 255, 255)},     // Nokia, row 5
    {{form::kCountryButtons, 3}, 3840, 3000, 1815, 285, RGB(255, 192, 255)},  // Япония, bottom row
    {{form::kCommands, 0}, 960, 3480, 1575, 285, RGB(128, 255, 128)},
    {{form::kCommands, 1}, 4320, 3480, 1575, 285, RGB(255, 128, 128)},
    {form::kResultBox, 120, 3840, 6735, 1815, CLR_INVALID},
};

COLORREF ScreenPixel(HWND window, POINT p) {
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

std::u16string Correct(int i) { return kCorrect + std::u16string(QuizContent::Description(std::int16_t(i))) + u"\r\n"; }

void WindowIsFixedWithItsCaption(const Quiz& q) {
    RECT client{};
    GetClientRect(q.Window(), &client);
    const UINT dpi = q.Dpi();
    Check(client.right == MulDiv(q.Form().clientWidth, int(dpi), 1440), "client width");
    Check(client.bottom == MulDiv(q.Form().clientHeight, int(dpi), 1440), "client height");
    const LONG style = GetWindowLongW(q.Window(), GWL_STYLE);
    Check((style & WS_SYSMENU) && !(style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME),
          "close button only, fixed size");
    Check(Quiz::Text(q.Window()) == q.Form().caption, "window caption");
}

void ControlsAreAsTheFormSays(const Quiz& q) {
    const UINT dpi = q.Dpi();
    for (const form::Control& c : q.Form().controls) {
        const std::string name = Name(c.id);
        HWND hwnd = q.Get(c.id);
        Check(hwnd != nullptr, name + " exists");
        if (hwnd == nullptr) continue;

        wchar_t cls[32]{};
        GetClassNameW(hwnd, cls, 32);
        const LONG buttonType = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
        bool kindOk = false;
        switch (c.kind) {
        case form::Kind::Label: kindOk = lstrcmpiW(cls, L"Static") == 0; break;
        case form::Kind::Frame: kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_GROUPBOX; break;
        case form::Kind::OptionButton: kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_AUTORADIOBUTTON; break;
        // Owner-drawn: paints its own colour and is never a default button.
        case form::Kind::CommandButton: kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_OWNERDRAW; break;
        case form::Kind::TextBox: kindOk = lstrcmpiW(cls, L"Edit") == 0; break;
        case form::Kind::ListBox: kindOk = lstrcmpiW(cls, L"ListBox") == 0; break;
        }
        Check(kindOk, name + " is the right kind of control");

        int left = c.left, top = c.top;
        if (const form::Control* frame = q.Form().Find(c.container)) {
            left += frame->left;
            top += frame->top;
        }
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, q.Window(), reinterpret_cast<POINT*>(&r), 2);
        const auto px = [dpi](int twips) { return MulDiv(twips, int(dpi), 1440); };
        Check(r.left == px(left) && r.top == px(top) && r.right - r.left == px(c.width) &&
                  r.bottom - r.top == px(c.height),
              name + " place and size");
        Check(bool(IsWindowVisible(hwnd)) == c.visible, name + " visibility");

        if (c.kind == form::Kind::ListBox) {
            Check(SendMessageW(hwnd, LB_GETCOUNT, 0, 0) == LRESULT(c.items.size()), name + " entries");
            for (std::size_t i = 0; i < c.items.size(); ++i) {
                std::u16string item(std::size_t(SendMessageW(hwnd, LB_GETTEXTLEN, i, 0)), u'\0');
                SendMessageW(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
                Check(item == c.items[i], name + " entry " + std::to_string(i));
            }
        } else {
            Check(Quiz::Text(hwnd) == c.text, name + " text");
        }
    }
}

void PlacesColoursAndFontsAreWhatAPersonExpects(const Quiz& q, UINT dpi) {
    const auto px = [dpi](int twips) { return MulDiv(twips, int(dpi), 1440); };
    RECT client{};
    GetClientRect(q.Window(), &client);
    Check(client.right == px(6915) && client.bottom == px(5730),
          "client area 6915 x 5730 twips; seen " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    RedrawWindow(q.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    for (const Expected& e : kExpected) {
        const std::string name = Name(e.id);
        RECT r{};
        GetWindowRect(q.Get(e.id), &r);
        MapWindowPoints(nullptr, q.Window(), reinterpret_cast<POINT*>(&r), 2);
        Check(r.left == px(e.left) && r.top == px(e.top) && r.right - r.left == px(e.width) &&
                  r.bottom - r.top == px(e.height),
              name + " stands at its place, scaled to the dpi; seen " + std::to_string(r.left) + "," +
                  std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
        if (e.colour != CLR_INVALID) {
            // Near the right end, halfway down: clear of captions, edges and
            // the frames' lines.
            const COLORREF seen = ScreenPixel(q.Window(), {r.right - px(120), (r.top + r.bottom) / 2});
            Check(seen == e.colour, name + " is painted " + Hex(e.colour) + ", seen " + Hex(seen));
        }
    }
    Check(ScreenPixel(q.Window(), {2, 2}) == RGB(192, 192, 255), "the window's light blue");

}

// A font handle is the program's own, so the fonts are read from the same
// window code run here, in this process.
void ControlsUseTheFormFont(UINT dpi) {
    win32::QuizWindow local(GetModuleHandleW(nullptr), form::QuizForm());
    const form::Form form = form::QuizForm();
    const int height = -MulDiv(12, int(dpi), 72);
    for (const Expected& e : kExpected) {
        HWND child = GetDlgItem(local.Handle(), win32::ControlNumber(form, e.id));
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        const bool got = font != nullptr && GetObjectW(font, sizeof lf, &lf) == sizeof lf;
        Check(got && lstrcmpW(lf.lfFaceName, L"Times New Roman") == 0 && lf.lfHeight == height &&
                  lf.lfCharSet == 204 && lf.lfWeight == 400 && !lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut,
              Name(e.id) + ": Times New Roman, 12 pt at the dpi, Cyrillic, plain; height " +
                  std::to_string(lf.lfHeight));
    }
}

void TheResultBoxTakesNoTyping(const Quiz& q) {
    HWND box = q.Get(form::kResultBox);
    Check((GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0, "the result box is read-only");
    const std::u16string before = q.Result();
    SendMessageW(q.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    for (WPARAM ch : {WPARAM('x'), WPARAM(VK_BACK), WPARAM(VK_RETURN)}) {
        PostMessageW(box, WM_CHAR, ch, 1);
    }
    PostMessageW(box, WM_KEYDOWN, VK_DELETE, 1);
    Sleep(100);
    SendMessageW(q.Window(), WM_NULL, 0, 0);
    Check(q.Result() == before, "typing into the result box changes nothing");
}

void OpensWithNothingChosenAndFocusInTheResultBox(const Quiz& q) {
    Check(q.CheckedCount() == 0, "no option button checked at opening");
    Check(q.Focus() == q.Get(form::kResultBox), "focus in the result box at opening");
}

void TabGoesThroughTheGroupsInOrder(const Quiz& q) {
    const std::vector<HWND> expected{q.Get(form::kResultBox), q.Firm(0), q.Country(0), q.Command(0), q.Command(1),
                                     q.Get(form::kResultBox)};
    std::vector<HWND> chain{expected.front()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        chain.push_back(GetNextDlgTabItem(q.Window(), chain.back(), FALSE));
    }
    Check(chain == expected, "tab order: result box, firms, countries, Изведи, Чисти");
}

void AnswersByMouse(const Quiz& q) {
    q.Click(q.Command(0));
    Check(q.Result() == kWrong, "Изведи straight after opening is wrong");

    q.Click(q.Firm(2));
    q.Click(q.Country(2));
    q.Click(q.Command(0));
    Check(q.Result() == Correct(2), "Nokia + Финландия is right, with Nokia's description");

    q.Click(q.Country(3));
    q.Click(q.Command(0));
    Check(q.Result() == kWrong, "Nokia + Япония is wrong");

    q.Click(q.Firm(9));
    Check(!Quiz::Checked(q.Firm(2)) && Quiz::Checked(q.Firm(9)) && Quiz::Checked(q.Country(3)),
          "each frame keeps one selection of its own");

    q.Click(q.Firm(3));
    q.Click(q.Command(0));
    Check(q.Result() == Correct(3), "Panasonic + Япония is right");
    q.Click(q.Command(1));
    Check(q.CheckedCount() == 0, "Чисти unchecks all twenty");
    Check(q.Result() == kPrompt, "Чисти asks for a new choice");
    q.Click(q.Country(3));
    q.Click(q.Command(0));
    Check(q.Result() == kWrong, "after Чисти, a country alone is wrong");
}

void AnswersByKeyboard(const Quiz& q) {
    q.Click(q.Command(1));
    SendMessageW(q.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(q.Get(form::kResultBox)), TRUE);
    Check(WaitFor([&] { return q.Focus() == q.Get(form::kResultBox); }), "focus back in the result box");

    // Tab enters the firms at Samsung (Windows selects a button as Tab
    // brings it the focus, Wine does not; Space selects it on both), and
    // Down moves to Siemens on the row below.
    q.Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() == q.Firm(0); }), "Tab reaches the firms at Samsung");
    q.Key(VK_SPACE);
    Check(WaitFor([&] { return Quiz::Checked(q.Firm(0)); }), "Space selects Samsung");
    q.Key(VK_DOWN);
    Check(WaitFor([&] { return Quiz::Checked(q.Firm(1)); }), "Down selects Siemens");
    q.Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() == q.Country(0); }), "Tab reaches the countries at Южна Корея");
    q.Key(VK_SPACE);
    // Seven rows up to Германия.
    for (int i = 0; i < 7; ++i) q.Key(VK_UP);
    Check(WaitFor([&] { return Quiz::Checked(q.Country(1)); }), "Up selects Германия");
    q.Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() == q.Command(0); }), "Tab reaches Изведи");
    q.Key(VK_SPACE);
    Check(WaitFor([&] { return q.Result() == Correct(1); }), "Space on Изведи: Siemens + Германия is right");
    q.Key(VK_ESCAPE);
    Check(q.Result() == Correct(1), "Esc presses no button");
    q.Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() == q.Command(1); }), "Tab reaches Чисти");
    q.Key(VK_RETURN);
    Check(WaitFor([&] { return q.Result() == kPrompt; }), "Enter on a focused Чисти clears");
    q.Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() == q.Get(form::kResultBox); }), "Tab goes round to the result box");
    q.Key(VK_RETURN);
    Check(q.Result() == kPrompt, "Enter in the result box presses no button");
}

std::vector<HWND> g_liveChanges;
void CALLBACK OnLiveRegionChanged(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) {
    g_liveChanges.push_back(hwnd);
}

void PumpFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

void AssistiveTechnologyHearsTheVerdicts(const Quiz& q) {
    HWND box = q.Get(form::kResultBox);
    IAccessible* accessible = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (SUCCEEDED(AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)))) {
        accessible->get_accName(self, &name);
        accessible->Release();
    }
    Check(name != nullptr && std::u16string_view(reinterpret_cast<const char16_t*>(name)) == u"Резултат",
          "the result box is named Резултат");
    SysFreeString(name);

    DWORD process = 0;
    GetWindowThreadProcessId(q.Window(), &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                         &OnLiveRegionChanged, process, 0, WINEVENT_OUTOFCONTEXT);
    g_liveChanges.clear();
    q.Click(q.Command(0));
    PumpFor(300);
    Check(g_liveChanges.size() == 1 && g_liveChanges[0] == box, "Изведи: the result box reports a live change");
    q.Click(q.Command(1));
    PumpFor(300);
    Check(g_liveChanges.size() == 2 && g_liveChanges[1] == box, "Чисти: the result box reports a live change");
    q.Click(q.Firm(4));
    PumpFor(300);
    Check(g_liveChanges.size() == 2, "a choice says nothing");
    UnhookWinEvent(hook);
}

}  // namespace

int main(int argc, char** argv) {
    // Coordinates of another program's window as they are, unscaled.
    SetProcessDPIAware();
    const UINT dpi = argc > 1 ? UINT(std::atoi(argv[1])) : 96;
    HWND window = nullptr;
    // Shown only once it is complete.
    WaitFor([&] { return (window = FindWindowW(L"Kestrova", nullptr)) != nullptr && IsWindowVisible(window); });
    if (window == nullptr) {
        std::printf("FAILED: no Kestrova window\n0 passed, 1 failed\n");
        return 1;
    }
    const Quiz quiz(window, form::QuizForm(), dpi);
    WindowIsFixedWithItsCaption(quiz);
    ControlsAreAsTheFormSays(quiz);
    OpensWithNothingChosenAndFocusInTheResultBox(quiz);
    PlacesColoursAndFontsAreWhatAPersonExpects(quiz, dpi);
    TabGoesThroughTheGroupsInOrder(quiz);
    TheResultBoxTakesNoTyping(quiz);
    AnswersByMouse(quiz);
    AnswersByKeyboard(quiz);
    CoInitialize(nullptr);
    AssistiveTechnologyHearsTheVerdicts(quiz);
    ControlsUseTheFormFont(dpi);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
