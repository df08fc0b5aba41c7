#include "tests/win32/live_window.h"

#include <algorithm>
#include <map>

#include "window/win32/control_numbers.h"

namespace kestrova::win32_tests {
namespace {

std::wstring g_program;
UINT g_dpi = 96;

// How many pixels of `ring` run from (x, y) in steps of (dx, dy).
int RingRun(const Capture& shot, COLORREF ring, int x, int y, int dx, int dy, int most) {
    int n = 0;
    while (n < most && shot.At(x + n * dx, y + n * dy) == ring) ++n;
    return n;
}

// The ring as drawn around one kind of control that takes the focus: its
// width from (x, y) inwards along (dx, dy), and its contrast with the
// pixels just outside and just inside it.
void ExpectRing(const Quiz& q, HWND control, const std::string& name, int x, int y, int dx, int dy) {
    const int width = At(q.Dpi()).ringWidth;
    q.FocusOn(control);
    q.Repaint();
    const RECT strip{std::min(x, x + dx * (width + 4)) - 1, std::min(y, y + dy * (width + 4)) - 1,
                     std::max(x, x + dx * (width + 4)) + 2, std::max(y, y + dy * (width + 4)) + 2};
    const Capture shot(q.Window(), strip);
    const COLORREF ring = GetSysColor(COLOR_WINDOWTEXT);
    const int run = RingRun(shot, ring, x, y, dx, dy, width + 4);
    EXPECT_EQ(run, width) << name << ": the focus ring's width in pixels at " << q.Dpi() << " dpi";
    const COLORREF outside = shot.At(x - dx, y - dy), inside = shot.At(x + run * dx, y + run * dy);
    EXPECT_GE(Contrast(ring, outside), seen::kLeastRingContrast)
        << name << ": the focus ring stands out against " << Hex(outside) << " outside";
    EXPECT_GE(Contrast(ring, inside), seen::kLeastRingContrast)
        << name << ": the focus ring stands out against " << Hex(inside) << " inside";
}

}  // namespace

void SetProgram(std::wstring path, UINT dpi) {
    g_program = std::move(path);
    g_dpi = dpi;
}

UINT ExpectedDpi() { return g_dpi; }

const form::Control* ByName(const form::Form& f, std::string_view name) {
    for (const form::Control& c : f.controls) {
        if (DisplayName(c.id) == name) return &c;
    }
    return nullptr;
}

seen::AtDensity At(UINT dpi) {
    if (const seen::AtDensity* d = testing::DensityAt(kDensities, int(dpi))) return *d;
    ADD_FAILURE() << "the shared list has no expectations at " << dpi << " dpi";
    return kDensities[0];
}

int Px(int twips, UINT dpi) { return testing::TwipsAt(twips, int(dpi)); }

COLORREF Rgb(seen::Colour c) { return RGB(c.r, c.g, c.b); }

namespace {
const seen::Colour* ColourOf(std::string_view control) {
    const std::string_view array = control.substr(0, control.find('('));
    for (const seen::Colour& c : kColourList) {
        if (c.control == control) return &c;
    }
    for (const seen::Colour& c : kColourList) {
        if (c.control == array) return &c;
    }
    return nullptr;
}
}  // namespace

seen::Colour WindowColour() { return *ColourOf("window"); }

std::vector<WindowPlace> Places(UINT dpi) {
    std::vector<WindowPlace> places;
    for (const seen::Place& p : kPlaceList) {
        if (std::find(kHiddenControls.begin(), kHiddenControls.end(), p.control) != kHiddenControls.end()) continue;
        WindowPlace w{p.control, testing::PlaceInWindow(p, kPlaceList, int(dpi)), false, {}};
        const seen::Colour* colour = ColourOf(p.control);
        if (colour != nullptr && !p.control.starts_with("Command")) {
            w.painted = true;
            w.colour = *colour;
        }
        places.push_back(w);
    }
    return places;
}

std::string Hex(COLORREF c) { return testing::Hex(ToRgb8(c)); }

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

void PumpFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

Quiz::Quiz(HWND window, UINT dpi) : window_(window), form_(form::QuizForm()), dpi_(dpi) {
    thread_ = GetWindowThreadProcessId(window_, nullptr);
}

HWND Quiz::Get(ControlId id) const { return GetDlgItem(window_, win32::ControlNumber(form_, id)); }

std::u16string Quiz::Text(HWND hwnd) {
    const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

int Quiz::CheckedCount() const {
    int n = 0;
    for (int i = 0; i < QuizContent::kRowCount; ++i) n += int(Checked(Firm(i))) + int(Checked(Country(i)));
    return n;
}

HWND Quiz::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_, &info);
    return info.hwndFocus;
}

void Quiz::FocusOn(HWND control) const {
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    WaitFor([&] { return Focus() == control; });
}

void Quiz::Answer(int firm, int country) const {
    Click(Firm(firm));
    Click(Country(country));
    Click(Command(form::kEvaluateCommand));
}

void Quiz::Key(WPARAM key) const {
    HWND target = Focus();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    Sleep(50);
    SendMessageW(window_, WM_NULL, 0, 0);
}

RECT Quiz::PlaceOf(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Quiz::Repaint() const {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(200);
}

Capture::Capture(HWND window, RECT r)
    : left_(r.left), top_(r.top), width_(r.right - r.left), height_(r.bottom - r.top) {
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

COLORREF Capture::At(int x, int y) const {
    const DWORD p = pixels_.at(std::size_t(y - top_) * std::size_t(width_) + std::size_t(x - left_));
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

double Capture::ChangedShare(const Capture& other) const {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < pixels_.size(); ++i) changed += (pixels_[i] & 0xFFFFFF) != (other.pixels_[i] & 0xFFFFFF);
    return pixels_.empty() ? 0 : double(changed) / double(pixels_.size());
}

int Capture::Count(COLORREF colour) const {
    int n = 0;
    for (int y = top_; y < top_ + height_; ++y) {
        for (int x = left_; x < left_ + width_; ++x) n += int(At(x, y) == colour);
    }
    return n;
}

COLORREF Capture::Commonest() const {
    std::map<COLORREF, int> counts;
    for (int y = top_; y < top_ + height_; ++y) {
        for (int x = left_; x < left_ + width_; ++x) ++counts[At(x, y)];
    }
    if (counts.empty()) return CLR_INVALID;
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

testing::Rgb8 ToRgb8(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

double Contrast(COLORREF a, COLORREF b) { return testing::Contrast(ToRgb8(a), ToRgb8(b)); }

void ExpectClientAreaForItsDensity(const Quiz& q) {
    RECT client{};
    GetClientRect(q.Window(), &client);
    const seen::AtDensity at = At(q.Dpi());
    EXPECT_EQ(client.right, at.clientWidth) << "the client area's width at " << at.dpi << " dpi";
    EXPECT_EQ(client.bottom, at.clientHeight) << "the client area's height at " << at.dpi << " dpi";
}

void ExpectPlacesForItsDensity(const Quiz& q) {
    for (const WindowPlace& e : Places(q.Dpi())) {
        const form::Control* c = ByName(q.Form(), e.control);
        if (c == nullptr) {
            ADD_FAILURE() << "the form has no " << e.control;
            continue;
        }
        const RECT r = q.PlaceOf(q.Get(c->id));
        EXPECT_EQ((testing::PixelPlace{r.left, r.top, r.right - r.left, r.bottom - r.top}), e.at)
            << e.control << "'s place at " << q.Dpi() << " dpi";
    }
}

void ExpectFixedWindowWithItsCaption(const Quiz& q) {
    const LONG style = GetWindowLongW(q.Window(), GWL_STYLE);
    EXPECT_EQ(bool(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)), seen::kMinimiseOrMaximise)
        << "no minimise or maximise button";
    EXPECT_TRUE(style & WS_SYSMENU) << "a close button";
    EXPECT_FALSE(style & WS_THICKFRAME) << "a fixed size";
    EXPECT_EQ(Quiz::Text(q.Window()), seen::kCaption) << "the window's caption";
}

void ExpectFocusRingsWideAndClear(const Quiz& q) {
    const int width = At(q.Dpi()).ringWidth;
    // A text box's ring lies just outside its edge; a button's just inside.
    const RECT box = q.PlaceOf(q.ResultBox());
    ExpectRing(q, q.ResultBox(), "the result box", box.left - width, (box.top + box.bottom) / 2, 1, 0);
    const RECT command = q.PlaceOf(q.Command(form::kClearCommand));
    ExpectRing(q, q.Command(form::kClearCommand), "Чисти", command.left, (command.top + command.bottom) / 2, 1, 0);
    // Down from an option's top edge, right of its caption; a top row, which
    // no row covers.
    const RECT option = q.PlaceOf(q.Firm(6));
    ExpectRing(q, q.Firm(6), "Alcatel SA", option.right - 3 * width, option.top, 0, 1);
    // And the row below it, whose top the row above covers: from just below.
    const int overlap = Px(seen::kRowOverlapTwips, q.Dpi());
    for (int i = 0; i < QuizContent::kRowCount; ++i) {
        const RECT lower = q.PlaceOf(q.Firm(i));
        if (lower.top != option.bottom - overlap) continue;
        ExpectRing(q, q.Firm(i), "the second firm row", lower.right - 3 * width, lower.top + overlap, 0, 1);
    }
    q.Click(q.Command(form::kClearCommand));
    q.FocusOn(q.ResultBox());
}

std::optional<Quiz> LiveWindow::quiz_;
PROCESS_INFORMATION LiveWindow::process_{};

void LiveWindow::SetUpTestSuite() {
    ASSERT_FALSE(g_program.empty()) << "no program to start";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(g_program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process_))
        << "kestrova.exe does not start; error " << GetLastError();
    WaitForInputIdle(process_.hProcess, 30000);
    const std::string className(form::QuizForm().name);
    const std::wstring wideClass(className.begin(), className.end());
    HWND window = nullptr;
    // Shown only once it is complete. A busy machine's Wine takes its time.
    WaitFor(
        [&] {
            window = nullptr;
            while ((window = FindWindowExW(nullptr, window, wideClass.c_str(), nullptr)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(window)) return true;
            }
            return false;
        },
        60000);
    ASSERT_NE(window, nullptr) << "no Kestrova window shown within a minute";
    quiz_.emplace(window, g_dpi);
}

void LiveWindow::TearDownTestSuite() {
    if (quiz_) PostMessageW(quiz_->Window(), WM_CLOSE, 0, 0);
    quiz_.reset();
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    process_ = {};
}

void LiveWindow::SetUp() { ASSERT_TRUE(quiz_.has_value()) << "no window to check"; }

void QuizInUse::SetUp() {
    LiveWindow::SetUp();
    if (HasFatalFailure()) return;
    quiz().Click(quiz().Command(form::kClearCommand));
    quiz().FocusOn(quiz().ResultBox());
    quiz().Repaint();
}

}  // namespace kestrova::win32_tests
