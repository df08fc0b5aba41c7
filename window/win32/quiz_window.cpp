#include "window/win32/quiz_window.h"

#include <commctrl.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "window/form/form_rules.h"
#include "window/win32/control_numbers.h"
#include "window/win32/focus_ring.h"
#include "window/win32/option_button.h"
#include "window/win32/win32_text.h"

namespace kestrova::win32 {
namespace {

constexpr int kIconResource = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close, no minimise or maximise

UINT WindowDpi(HWND hwnd) {
    // GetDpiForWindow is Windows 10's; earlier systems have one DPI for all.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi != nullptr) return getDpi(hwnd);
    HDC dc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(hwnd, dc);
    return static_cast<UINT>(dpi);
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(const form::Control& c) {
    switch (c.kind) {
    case form::Kind::Label:
        return {L"STATIC", DWORD(SS_NOPREFIX | (c.align == form::Align::Centre ? SS_CENTER : SS_LEFT)), 0};
    case form::Kind::Frame: return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case form::Kind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON | WS_CLIPSIBLINGS, 0};
    // Owner-drawn so they paint their own colour; such a button is never
    // the default one.
    case form::Kind::CommandButton: return {L"BUTTON", BS_OWNERDRAW, 0};
    case form::Kind::TextBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case form::Kind::ListBox: return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    }
    // Not reached: the switch names every kind, and the compiler warns of
    // one it misses.
    return {L"STATIC", 0, 0};
}

// The dialog manager's keys follow WS_GROUP and WS_TABSTOP: each control and
// each option group (from its top row) starts a group; the single controls
// that take the focus are tab stops, an option group gets its stop from its
// checked button.
DWORD KeyboardStyle(const form::Control& c, const std::vector<form::TabStop>& stops) {
    if (c.kind != form::Kind::OptionButton) return WS_GROUP | (form::TakesFocus(c) ? WS_TABSTOP : 0);
    for (const form::TabStop& s : stops) {
        if (s.controls.front() == &c) return WS_GROUP;
    }
    return 0;
}

}  // namespace

QuizWindow::QuizWindow(HINSTANCE instance, form::Form form) : form_(std::move(form)), instance_(instance) {
    const std::wstring className = WideString(form_.name);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &QuizWindow::WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconResource));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    RegisterClassExW(&wc);
    CreateWindowExW(0, className.c_str(), WideString(form_.caption).c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) std::abort();  // no window to show anything in; the program ends
}

QuizWindow::~QuizWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (font_ != nullptr) DeleteObject(font_);
}

int QuizWindow::Run(int show) {
    ShowWindow(hwnd_, show);
    UpdateWindow(hwnd_);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The dialog manager gives Tab, Shift+Tab and the arrow keys their
        // usual meaning among the controls.
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK QuizWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<QuizWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<QuizWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        // The last message: the system frees what it keeps for the window
        // with the real handle; then the handle is forgotten.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = self->Dispatch(message, wparam, lparam);
        self->hwnd_ = nullptr;
        return result;
    }
    return self->Dispatch(message, wparam, lparam);
}

LRESULT QuizWindow::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lparam)->code == NM_CUSTOMDRAW) {
            return OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lparam));
        }
        return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wparam)); return TRUE;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
    case WM_NEXTDLGCTL: OnNextControl(wparam, lparam); return 0;
    case WM_ACTIVATE: OnActivate(wparam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd_, message, wparam, lparam);
    }
}

void QuizWindow::OnCreate() {
    dpi_ = static_cast<int>(WindowDpi(hwnd_));
    // The font first: each control gets it before its text.
    font_ = CreateFormFont();
    CreateChildWindows();
    FitClientArea();
    binding_.Load();
}

void QuizWindow::CreateChildWindows() {
    stops_ = form::TabSequence(form_);
    // Windows takes the tab order, the option groups and the stacking from
    // the order the children are made in.
    for (const form::Control* c : form::SiblingOrder(form_)) {
        const ControlClass cls = ClassOf(*c);
        const DWORD style = WS_CHILD | cls.style | KeyboardStyle(*c, stops_) | (c->visible ? WS_VISIBLE : 0);
        const std::wstring text = c->kind == form::Kind::TextBox ? std::wstring() : WideString(c->text);
        const form::PixelRect r = form::PlaceInWindow(form_, *c, dpi_);
        const int number = ControlNumber(form_, c->id);
        if (!c->accessibleName.empty()) MakeNameLabel(hwnd_, c->accessibleName, r.left, r.top);
        HWND child = CreateWindowExW(cls.exStyle, cls.name, text.c_str(), style, r.left, r.top, r.width, r.height,
                                     hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), instance_,
                                     nullptr);
        if (child == nullptr) std::abort();  // a window without all its controls is no quiz
        children_.Set(*c, child);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (c->kind == form::Kind::TextBox) SetWindowTextW(child, WideString(c->text).c_str());
        for (std::u16string_view item : c->items) {
            SendMessageW(child, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideString(item).c_str()));
        }
    }
    if (const form::Control* first = form::FirstFocus(form_)) focus_ = ChildWindow(first->id);
}

HFONT QuizWindow::CreateFormFont() const {
    const std::wstring face = WideString(form_.font.face);
    return CreateFontW(-MulDiv(form_.font.points, dpi_, 72), 0, 0, 0, form_.font.weight, FALSE,
                       FALSE, FALSE, static_cast<BYTE>(form_.font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

void QuizWindow::PlaceChildWindows() {
    children_.ForEach([&](const form::Control& c, HWND child) {
        const form::PixelRect r = form::PlaceInWindow(form_, c, dpi_);
        SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void QuizWindow::FitClientArea() {
    RECT window{}, client{};
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const int width = form::TwipsToPixels(form_.clientWidth, dpi_) +
                      (window.right - window.left) - client.right;
    const int height = form::TwipsToPixels(form_.clientHeight, dpi_) +
                       (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void QuizWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = static_cast<int>(dpi);
    HFONT old = font_;
    font_ = CreateFormFont();
    children_.ForEach([&](const form::Control&, HWND child) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    });
    DeleteObject(old);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceChildWindows();
    FitClientArea();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void QuizWindow::OnCommand(int number, int code) {
    // The dialog manager turns Enter into IDOK, as no button is the default.
    if (number == IDOK) return OnEnter();
    const form::Control* c = ControlAt(form_, number);
    if (c == nullptr) return;
    if (code == EN_SETFOCUS || code == EN_KILLFOCUS) return InvalidateRingAround(ChildWindow(c->id));
    if (code == BN_CLICKED) binding_.Click(c->id);
}

void QuizWindow::InvalidateRingAround(HWND child) {
    const RECT r = RingAround(hwnd_, child, dpi_);
    InvalidateRect(hwnd_, &r, TRUE);
}

void QuizWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    const form::Control* focused = FormControl(GetFocus());
    if (focused != nullptr && focused->kind == form::Kind::TextBox) {
        DrawFocusRing(dc, RingAround(hwnd_, GetFocus(), dpi_), dpi_);
    }
    EndPaint(hwnd_, &paint);
}

// Option buttons are painted here whole, their circle, caption and focus
// ring: the system's circle is faint on the rows' colours.
LRESULT QuizWindow::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    const form::Control* c = FormControl(draw.hdr.hwndFrom);
    if (c == nullptr || c->kind != form::Kind::OptionButton || draw.dwDrawStage != CDDS_PREPAINT) {
        return CDRF_DODEFAULT;
    }
    const LRESULT state = SendMessageW(draw.hdr.hwndFrom, BM_GETSTATE, 0, 0);
    DrawOptionButton(draw.hdc, draw.rc, brushes_.Of(c->background.value_or(form_.background)), font_, c->text,
                     form::OptionIndicatorIn(*c, dpi_),
                     {(state & BST_CHECKED) != 0, (state & BST_PUSHED) != 0, GetFocus() == draw.hdr.hwndFrom}, dpi_);
    return CDRF_SKIPDEFAULT;
}

void QuizWindow::OnEnter() {
    // Enter presses a command button that has the focus, as Space does.
    const form::Control* c = FormControl(GetFocus());
    if (c != nullptr && c->kind == form::Kind::CommandButton) SendMessageW(GetFocus(), BM_CLICK, 0, 0);
}


LRESULT QuizWindow::OnControlColour(HDC dc, HWND child) {
    const form::Control* c = FormControl(child);
    if (c == nullptr) return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(child));
    // Text boxes keep the system's window colour, even read-only.
    if (!c->background) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, ToColorRef(*c->background));
    return reinterpret_cast<LRESULT>(brushes_.Of(*c->background));
}

void QuizWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const form::Control* c = ControlAt(form_, static_cast<int>(item.CtlID));
    if (c != nullptr) DrawColouredButton(item, brushes_.Of(c->background.value_or(form::Rgb{})), c->text, dpi_);
}

void QuizWindow::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, brushes_.Of(form_.background));
}

void QuizWindow::OnNextControl(WPARAM wparam, LPARAM lparam) {
    // Sent by a multi-line text box for Tab, and by the dialog manager.
    HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                               : GetNextDlgTabItem(hwnd_, GetFocus(), wparam != 0);
    if (next != nullptr) SetFocus(next);
}

void QuizWindow::OnActivate(WPARAM wparam) {
    // Hand the focus back to the control that had it, as dialogs do.
    if (LOWORD(wparam) == WA_INACTIVE) {
        focus_ = GetFocus();
    } else if (focus_ != nullptr) {
        SetFocus(focus_);
    }
}

void QuizWindow::KeepGroupReachable(form::ControlId option) {
    // An unchecked radio button loses its tab stop. While none of its group
    // is checked, the group's entry holds it, so Tab still reaches them.
    const form::ControlId frame = form_.controls[form_.IndexOf(option)].container;
    for (const form::TabStop& stop : stops_) {
        if (stop.frame == nullptr || stop.frame->id != frame) continue;
        for (const form::Control* c : stop.controls) {
            if (IsChecked(c->id)) return;
        }
        HWND entry = ChildWindow(stop.entry->id);
        SetWindowLongPtrW(entry, GWL_STYLE, GetWindowLongPtrW(entry, GWL_STYLE) | WS_TABSTOP);
    }
}

void QuizWindow::SetText(form::ControlId box, std::u16string_view text) {
    SetWindowTextW(ChildWindow(box), WideString(text).c_str());
}

std::u16string QuizWindow::Text(form::ControlId box) const {
    HWND hwnd = ChildWindow(box);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)), u'\0');
    GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()) + 1);
    return text;
}

bool QuizWindow::IsChecked(form::ControlId option) const {
    return SendMessageW(ChildWindow(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void QuizWindow::Uncheck(form::ControlId option) {
    SendMessageW(ChildWindow(option), BM_SETCHECK, BST_UNCHECKED, 0);
    KeepGroupReachable(option);
}

std::u16string QuizWindow::ListItem(form::ControlId list, std::size_t index) const {
    HWND hwnd = ChildWindow(list);
    const LRESULT length = SendMessageW(hwnd, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) throw std::out_of_range("the list has no such entry");
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    SendMessageW(hwnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void QuizWindow::Announce(form::ControlId box) { liveRegion_.Announce(ChildWindow(box)); }

}  // namespace kestrova::win32
