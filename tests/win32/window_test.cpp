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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/quiz_content.h"
#include "form/quiz_form.h"
#include "annotation_stand_in.h"
#include "support/what_users_see.h"
#include "win32/control_numbers.h"
#include "win32/quiz_window.h"

namespace {

using namespace kestrova;
using form::ControlId;
namespace seen = kestrova::testing::seen;

// The shared list's tables, copied: GCC 12's link-time optimiser for
// Windows stops with an internal error on a reference to a header's inline
// array.
constexpr auto kDensities = std::to_array(seen::kDensities);
constexpr auto kCommandColours = std::to_array(seen::kCommandColours);
constexpr auto kHiddenControls = std::to_array(seen::kHiddenControls);

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

// The density's row in the shared list; a failure for one it lacks.
seen::AtDensity At(UINT dpi) {
    for (const seen::AtDensity& d : kDensities) {
        if (d.dpi == int(dpi)) return d;
    }
    Check(false, "expectations at " + std::to_string(dpi) + " dpi");
    return kDensities[0];
}

std::u16string Correct(int i) { return kCorrect + std::u16string(QuizContent::Description(std::int16_t(i))) + u"\r\n"; }

void WindowIsFixedWithItsCaption(const Quiz& q) {
    RECT client{};
    GetClientRect(q.Window(), &client);
    const seen::AtDensity at = At(q.Dpi());
    Check(client.right == at.clientWidth && client.bottom == at.clientHeight,
          "client area " + std::to_string(at.clientWidth) + "x" + std::to_string(at.clientHeight) + " at " +
              std::to_string(at.dpi) + " dpi; seen " + std::to_string(client.right) + "x" +
              std::to_string(client.bottom));
    const LONG style = GetWindowLongW(q.Window(), GWL_STYLE);
    Check(bool(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == seen::kMinimiseOrMaximise,
          "no minimise or maximise button");
    Check((style & WS_SYSMENU) && !(style & WS_THICKFRAME), "a close button, and a fixed size");
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

// What the screen shows over part of the window's client area, read back
// in one go.
class Capture {
public:
    Capture(HWND window, RECT r) : left_(r.left), top_(r.top), width_(r.right - r.left), height_(r.bottom - r.top) {
        POINT origin{r.left, r.top};
        ClientToScreen(window, &origin);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        pixels_.assign(p, p + std::size_t(width_) * std::size_t(height_));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    // At (x, y) of the window's client area.
    COLORREF At(int x, int y) const {
        const DWORD p = pixels_.at(std::size_t(y - top_) * std::size_t(width_) + std::size_t(x - left_));
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    // The share of pixels that differ from `other`'s, of the same place.
    double ChangedShare(const Capture& other) const {
        std::size_t changed = 0;
        for (std::size_t i = 0; i < pixels_.size(); ++i) changed += (pixels_[i] & 0xFFFFFF) != (other.pixels_[i] & 0xFFFFFF);
        return pixels_.empty() ? 0 : double(changed) / double(pixels_.size());
    }

private:
    int left_, top_, width_, height_;
    std::vector<DWORD> pixels_;
};

RECT PlaceOf(const Quiz& q, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, q.Window(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Repaint(const Quiz& q) {
    RedrawWindow(q.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(200);
}

// WCAG's contrast ratio of two colours.
double Contrast(COLORREF a, COLORREF b) {
    const auto luminance = [](COLORREF c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void TheHeadingIsCentred(const Quiz& q) {
    HWND heading = q.Get({form::kHeading, 0});
    Check((GetWindowLongW(heading, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER, "the heading is a centred label");
    Repaint(q);
    const RECT r = PlaceOf(q, heading);
    const Capture shot(q.Window(), r);
    const COLORREF face = shot.At(r.left + 1, r.top + 1);
    int inkLeft = r.right, inkRight = r.left - 1;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (shot.At(x, y) != face) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
        }
    }
    const double offset = (inkLeft + inkRight + 1) / 2.0 - (r.left + r.right) / 2.0;
    Check(inkRight > inkLeft && std::abs(offset) <= seen::kHeadingCentreSlack * q.Dpi() / 96.0,
          "the heading's ink is centred over it; off by " + std::to_string(offset) + " px");
}

// Firm i's home country is country i.
void Answer(const Quiz& q, int firm, int country) {
    q.Click(q.Firm(firm));
    q.Click(q.Country(country));
    q.Click(q.Command(0));
}

void TheResultBoxWrapsAndScrolls(const Quiz& q) {
    HWND box = q.Get(form::kResultBox);
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    Check((style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL),
          "the result box wraps its lines and never scrolls sideways");
    Check((style & WS_VSCROLL) != 0, "the result box has a vertical scroll bar");

    int longest = 0;
    for (int i = 1; i < 10; ++i) {
        if (QuizContent::Description(std::int16_t(i)).size() > QuizContent::Description(std::int16_t(longest)).size()) longest = i;
    }
    Answer(q, longest, longest);
    Check(q.Result() == Correct(longest), "the longest description is shown");
    // Wine keeps a window's scroll range to its own process, so the bar is
    // seen on the screen and worked by its messages instead.
    Repaint(q);
    const RECT outer = PlaceOf(q, box);
    const Capture shot(q.Window(), outer);
    // Its top arrow's square, just inside the box's edge: an arrow and a
    // button's edges, where without a bar there would be the box's white
    // and the first line's end.
    const int edge = GetSystemMetrics(SM_CXEDGE), size = GetSystemMetrics(SM_CXVSCROLL);
    int drawn = 0;
    for (int y = outer.top + edge; y < outer.top + edge + size; ++y) {
        for (int x = outer.right - edge - size; x < outer.right - edge; ++x) drawn += shot.At(x, y) != GetSysColor(COLOR_WINDOW);
    }
    Check(drawn >= size * size / 10, "a scroll bar shows at the result box's right edge; " + std::to_string(drawn) +
                                         " of its arrow's pixels drawn");
    SendMessageW(box, WM_VSCROLL, SB_BOTTOM, 0);
    const LRESULT firstShown = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(box, WM_VSCROLL, SB_TOP, 0);
    Check(firstShown > 0 && SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0) == 0,
          "the scroll bar scrolls the longest description; its last page starts at line " +
              std::to_string(firstShown));

    // Every line ends inside the box, and the description takes more lines
    // than its paragraphs.
    RECT inside{};
    GetClientRect(box, &inside);
    const int lines = int(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
    bool inBox = true;
    for (int line = 0; line < lines; ++line) {
        const LRESULT start = SendMessageW(box, EM_LINEINDEX, WPARAM(line), 0);
        const LRESULT length = SendMessageW(box, EM_LINELENGTH, WPARAM(start), 0);
        if (length == 0) continue;
        const LRESULT at = SendMessageW(box, EM_POSFROMCHAR, WPARAM(start + length - 1), 0);
        if (at != -1 && short(LOWORD(at)) >= inside.right) inBox = false;
    }
    const std::u16string shown = q.Result();
    const int paragraphs = int(std::count(shown.begin(), shown.end(), u'\n'));
    Check(inBox && lines > paragraphs + 1, "the result box wraps the longest description within its width; " +
                                               std::to_string(lines) + " lines");
    q.Click(q.Command(1));
}

void CommandButtonsHaveTheirColoursAndLookPressed(const Quiz& q) {
    for (const seen::CommandColour& colour : kCommandColours) {
        HWND button = q.Command(colour.index);
        const std::string name = "command button " + std::to_string(colour.index);
        Repaint(q);
        const RECT r = PlaceOf(q, button);
        const Capture up(q.Window(), r);
        const COLORREF face = up.At(r.right - (r.right - r.left) / 8, (r.top + r.bottom) / 2);
        Check(face == RGB(colour.r, colour.g, colour.b), name + " is painted its colour; seen " + Hex(face));
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        UpdateWindow(button);
        Sleep(200);
        const Capture down(q.Window(), r);
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
        UpdateWindow(button);
        const double share = down.ChangedShare(up);
        Check(share >= seen::kLeastPressedChange, name + " looks pressed while held; " +
                                                      std::to_string(int(share * 1000) / 10.0) + " % changed");
        Check(down.At(r.right - (r.right - r.left) / 8, (r.top + r.bottom) / 2) == face,
              name + " keeps its colour while held");
    }
}

// How many pixels of the ring's colour run from (x, y) in steps of (dx, dy).
int RingRun(const Capture& shot, COLORREF ring, int x, int y, int dx, int dy, int most) {
    int n = 0;
    while (n < most && shot.At(x + n * dx, y + n * dy) == ring) ++n;
    return n;
}

// The ring as drawn around each kind of control that takes the focus: its
// width from (x, y) inwards along (dx, dy), and its contrast with the
// pixels just outside and just inside it.
void CheckRing(const Quiz& q, HWND control, const std::string& name, int x, int y, int dx, int dy) {
    const int width = At(q.Dpi()).ringWidth;
    SendMessageW(q.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    WaitFor([&] { return q.Focus() == control; });
    Repaint(q);
    RECT strip{std::min(x, x + dx * (width + 4)) - 1, std::min(y, y + dy * (width + 4)) - 1,
               std::max(x, x + dx * (width + 4)) + 2, std::max(y, y + dy * (width + 4)) + 2};
    const Capture shot(q.Window(), strip);
    const COLORREF ring = GetSysColor(COLOR_WINDOWTEXT);
    const int run = RingRun(shot, ring, x, y, dx, dy, width + 4);
    Check(run == width, name + ": the focus ring is " + std::to_string(width) + " px at " + std::to_string(q.Dpi()) +
                            " dpi; seen " + std::to_string(run));
    const COLORREF outside = shot.At(x - dx, y - dy), inside = shot.At(x + run * dx, y + run * dy);
    Check(Contrast(ring, outside) >= seen::kLeastRingContrast && Contrast(ring, inside) >= seen::kLeastRingContrast,
          name + ": the focus ring stands out against " + Hex(outside) + " outside and " + Hex(inside) + " inside");
}

void TheFocusRingIsWideAndClear(const Quiz& q) {
    const int width = At(q.Dpi()).ringWidth;
    // A text box's ring lies just outside its edge; a button's just inside.
    const RECT box = PlaceOf(q, q.Get(form::kResultBox));
    CheckRing(q, q.Get(form::kResultBox), "the result box", box.left - width, (box.top + box.bottom) / 2, 1, 0);
    const RECT command = PlaceOf(q, q.Command(1));
    CheckRing(q, q.Command(1), "Чисти", command.left, (command.top + command.bottom) / 2, 1, 0);
    // Down from an option's top edge, right of its caption; a top row, which
    // no row covers.
    const RECT option = PlaceOf(q, q.Firm(6));
    CheckRing(q, q.Firm(6), "Alcatel SA", option.right - 3 * width, option.top, 0, 1);
    q.Click(q.Command(1));
    SendMessageW(q.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(q.Get(form::kResultBox)), TRUE);
}

const form::Control* ByName(const form::Form& f, std::string_view name) {
    for (const form::Control& c : f.controls) {
        if (Name(c.id) == name) return &c;
    }
    return nullptr;
}

IAccessible* AccessibleOf(HWND hwnd, LONG object) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(object), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return nullptr;
    }
    return accessible;
}

bool AccessiblyInvisible(HWND hwnd) {
    IAccessible* accessible = AccessibleOf(hwnd, OBJID_CLIENT);
    if (accessible == nullptr) return false;
    VARIANT self{}, state{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const bool invisible = SUCCEEDED(accessible->get_accState(self, &state)) && state.vt == VT_I4 &&
                           (state.lVal & STATE_SYSTEM_INVISIBLE) != 0;
    accessible->Release();
    return invisible;
}

void HiddenControlsAreNeitherSeenNorHeard(const Quiz& q) {
    // What assistive technology finds among the window's children: each
    // hidden control it lists must say it is invisible.
    std::vector<HWND> listed;
    if (IAccessible* client = AccessibleOf(q.Window(), OBJID_CLIENT)) {
        long count = 0;
        client->get_accChildCount(&count);
        std::vector<VARIANT> children(std::size_t(std::max(count, 0L)));
        long got = 0;
        if (count > 0 && SUCCEEDED(AccessibleChildren(client, 0, count, children.data(), &got))) {
            for (long i = 0; i < got; ++i) {
                if (children[std::size_t(i)].vt == VT_DISPATCH && children[std::size_t(i)].pdispVal != nullptr) {
                    IAccessible* child = nullptr;
                    HWND hwnd = nullptr;
                    if (SUCCEEDED(children[std::size_t(i)].pdispVal->QueryInterface(
                            __uuidof(IAccessible), reinterpret_cast<void**>(&child)))) {
                        WindowFromAccessibleObject(child, &hwnd);
                        child->Release();
                    }
                    listed.push_back(hwnd);
                }
                VariantClear(&children[std::size_t(i)]);
            }
        }
        client->Release();
    }
    Check(std::find(listed.begin(), listed.end(), q.Get(form::kResultBox)) != listed.end(),
          "assistive technology lists the window's controls");
    for (std::string_view name : kHiddenControls) {
        const form::Control* c = ByName(q.Form(), name);
        HWND hwnd = c == nullptr ? nullptr : q.Get(c->id);
        Check(hwnd != nullptr && !IsWindowVisible(hwnd), std::string(name) + " is not on the screen");
        if (hwnd == nullptr) continue;
        const RECT r = PlaceOf(q, hwnd);
        POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(q.Window(), &middle);
        Check(WindowFromPoint(middle) != hwnd, std::string(name) + " cannot be pointed at");
        Check(AccessiblyInvisible(hwnd), std::string(name) + " is invisible to assistive technology");
    }
}

void UpperOptionRowsAreInFront(const Quiz& q) {
    const int overlap = MulDiv(seen::kRowOverlapTwips, int(q.Dpi()), 1440);
    int pairs = 0, right = 0;
    for (const char* group : {form::kFirmButtons.data(), form::kCountryButtons.data()}) {
        std::vector<HWND> rows;
        for (int i = 0; i < 10; ++i) rows.push_back(q.Get({std::string_view(group, 7), std::int16_t(i)}));
        std::sort(rows.begin(), rows.end(), [&](HWND a, HWND b) { return PlaceOf(q, a).top < PlaceOf(q, b).top; });
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const RECT upper = PlaceOf(q, rows[i - 1]), lower = PlaceOf(q, rows[i]);
            POINT p{(lower.left + lower.right) / 2, lower.top + overlap / 2};
            ++pairs;
            const bool overlapping = upper.bottom - lower.top == overlap;
            HWND child = ChildWindowFromPointEx(q.Window(), p, CWP_SKIPINVISIBLE);
            ClientToScreen(q.Window(), &p);
            right += int(overlapping && child == rows[i - 1] && WindowFromPoint(p) == rows[i - 1]);
        }
    }
    Check(right == pairs, "in each of the " + std::to_string(pairs) + " overlaps of neighbouring option rows the "
                          "upper row is in front; " + std::to_string(right) + " are");
}

std::vector<HWND> g_changes;
void CALLBACK OnLiveChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { g_changes.push_back(hwnd); }

void ARepeatedVerdictIsNewsAgain(const Quiz& q) {
    DWORD process = 0;
    GetWindowThreadProcessId(q.Window(), &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                         &OnLiveChange, process, 0, WINEVENT_OUTOFCONTEXT);
    g_changes.clear();
    Answer(q, 0, 5);
    q.Click(q.Command(0));
    PumpFor(300);
    Check(q.Result() == kWrong && g_changes.size() == 2 &&
              std::count(g_changes.begin(), g_changes.end(), q.Get(form::kResultBox)) == 2,
          "Изведи twice on the same wrong pair: two live changes of the result box; seen " +
              std::to_string(g_changes.size()));
    UnhookWinEvent(hook);
    q.Click(q.Command(1));
}

// The window as a per-monitor aware program meets a move to a monitor of
// another density: WM_DPICHANGED with the size the system suggests, its
// rectangle in the program's own memory.
bool ChangeDensity(const Quiz& q, UINT dpi) {
    RECT window{};
    GetWindowRect(q.Window(), &window);
    RECT suggested{window.left, window.top, window.left + MulDiv(window.right - window.left, int(dpi), int(q.Dpi())),
                   window.top + MulDiv(window.bottom - window.top, int(dpi), int(q.Dpi()))};
    DWORD id = 0;
    GetWindowThreadProcessId(q.Window(), &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    if (process == nullptr) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written = remote != nullptr && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    if (written) {
        SendMessageW(q.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return written;
}

// The height of the result box's lines: the font it shows, read off the box.
int LineHeight(const Quiz& q) {
    HWND box = q.Get(form::kResultBox);
    const LRESULT first = SendMessageW(box, EM_POSFROMCHAR, 0, 0);
    const LRESULT second = SendMessageW(box, EM_POSFROMCHAR, WPARAM(SendMessageW(box, EM_LINEINDEX, 1, 0)), 0);
    return short(HIWORD(second)) - short(HIWORD(first));
}

void FollowsAChangeOfDensity(const Quiz& q) {
    const UINT other = q.Dpi() == 144 ? 96 : 144;
    Answer(q, 2, 2);  // two lines or more, to measure them
    const int before = LineHeight(q);
    Check(ChangeDensity(q, other), "WM_DPICHANGED sent with its rectangle");
    Sleep(200);
    const Quiz moved(q.Window(), q.Form(), other);
    WindowIsFixedWithItsCaption(moved);
    const auto px = [other](int twips) { return MulDiv(twips, int(other), 1440); };
    int placed = 0;
    for (const Expected& e : kExpected) {
        const RECT r = PlaceOf(moved, moved.Get(e.id));
        placed += int(r.left == px(e.left) && r.top == px(e.top) && r.right - r.left == px(e.width) &&
                      r.bottom - r.top == px(e.height));
    }
    Check(placed == int(std::size(kExpected)), "after the change every control stands at its place for " +
                                                   std::to_string(other) + " dpi; " + std::to_string(placed) + " of " +
                                                   std::to_string(std::size(kExpected)));
    const int after = LineHeight(moved);
    const double expected = before * double(other) / q.Dpi();
    Check(before > 0 && std::abs(after - expected) <= 2, "the result box's text re-fonted for " + std::to_string(other) +
                                                          " dpi: lines " + std::to_string(before) + " then " +
                                                          std::to_string(after) + " px");
    TheFocusRingIsWideAndClear(moved);
    ChangeDensity(moved, q.Dpi());
    Sleep(200);
    q.Click(q.Command(1));
}

// UI Automation's LiveSetting, and its values Off, Polite and Assertive.
constexpr GUID kLiveSetting{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
int LiveSettingValue(std::string_view politeness) {
    return politeness == "off" ? 0 : politeness == "polite" ? 1 : politeness == "assertive" ? 2 : -1;
}

void TheResultBoxIsTheOnlyPoliteLiveRegion() {
    const bool registered = annotation_stand_in::Start();
    Check(registered, "the annotation service stands in");
    const form::Form form = form::QuizForm();
    win32::QuizWindow local(GetModuleHandleW(nullptr), form::QuizForm());
    const auto child = [&](ControlId id) { return GetDlgItem(local.Handle(), win32::ControlNumber(form, id)); };
    for (int i = 0; i < 3; ++i) SendMessageW(child({form::kCommands, 0}), BM_CLICK, 0, 0);
    SendMessageW(child({form::kCommands, 1}), BM_CLICK, 0, 0);
    using annotation_stand_in::Annotation;
    std::vector<Annotation> annotations;
    for (int i = 0, n = annotation_stand_in::Stop(); i < n; ++i) annotations.push_back(annotation_stand_in::Recorded(i));
    const auto live = std::count_if(annotations.begin(), annotations.end(),
                                    [](const Annotation& a) { return a.property == kLiveSetting; });
    Check(live == 1, "one box is annotated a live region; " + std::to_string(live) + " annotations");
    for (const Annotation& a : annotations) {
        if (a.property != kLiveSetting) continue;
        Check(a.hwnd == child(form::kResultBox) && a.object == DWORD(OBJID_CLIENT) && a.child == CHILDID_SELF,
              "the live region is the result box");
        Check(a.hwnd != child(form::kMottoBox), "the hidden motto box is no live region");
        Check(a.value.vt == VT_I4 && a.value.lVal == LiveSettingValue(seen::kPoliteness),
              "the result box is a " + std::string(seen::kPoliteness) + " live region; LiveSetting " +
                  std::to_string(a.value.vt == VT_I4 ? a.value.lVal : -1));
    }
}

// The window code, run here, meets the same change of density: every
// control takes the font made for the new one.
void RefontsOnAChangeOfDensity(UINT dpi) {
    const form::Form form = form::QuizForm();
    win32::QuizWindow local(GetModuleHandleW(nullptr), form::QuizForm());
    const UINT other = dpi == 144 ? 96 : 144;
    RECT suggested{0, 0, 600, 600};
    SendMessageW(local.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    int right = 0;
    for (const form::Control& c : form.controls) {
        const auto font = reinterpret_cast<HFONT>(
            SendMessageW(GetDlgItem(local.Handle(), win32::ControlNumber(form, c.id)), WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        right += int(font != nullptr && GetObjectW(font, sizeof lf, &lf) == sizeof lf &&
                     lf.lfHeight == -MulDiv(12, int(other), 72));
    }
    Check(right == int(form.controls.size()), "after a change to " + std::to_string(other) +
                                                  " dpi every control has the 12 pt font for it; " +
                                                  std::to_string(right) + " of " + std::to_string(form.controls.size()));
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // what passed so far, should the driver hang
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
    TheHeadingIsCentred(quiz);
    TheResultBoxWrapsAndScrolls(quiz);
    CommandButtonsHaveTheirColoursAndLookPressed(quiz);
    TheFocusRingIsWideAndClear(quiz);
    HiddenControlsAreNeitherSeenNorHeard(quiz);
    UpperOptionRowsAreInFront(quiz);
    ARepeatedVerdictIsNewsAgain(quiz);
    FollowsAChangeOfDensity(quiz);
    ControlsUseTheFormFont(dpi);
    TheResultBoxIsTheOnlyPoliteLiveRegion();
    RefontsOnAChangeOfDensity(dpi);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
