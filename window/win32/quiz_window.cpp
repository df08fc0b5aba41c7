#include "win32/quiz_window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "win32/control_numbers.h"
#include "form/form_rules.h"

namespace kestrova::win32 {
namespace {

constexpr int kIconResource = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close, no minimise or maximise

// On Windows wchar_t is UTF-16, as the core's text is.
const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
std::wstring WideString(std::u16string_view text) { return {Wide(text), text.size()}; }
std::wstring WideString(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

COLORREF ToColorRef(form::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

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

// UI Automation's LiveSetting property, which oleacc.h leaves out.
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kPolite = 1;

// The focus ring's width at 96 dpi; it grows with the screen's density.
constexpr int kFocusRingWidth = 2;

// `r` grown by `by` pixels on every side (shrunk, for a negative `by`).
RECT Grown(RECT r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// A solid ring inside `r`, `width` pixels wide, in the text colour: the
// system's dotted focus rectangle is one pixel and faint on coloured faces.
void DrawFocusRing(HDC dc, RECT r, int width) {
    HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
    for (int i = 0; i < width; ++i) {
        const RECT edge = Grown(r, -i);
        FrameRect(dc, &edge, ink);
    }
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
    CreateWindowExW(0, className.c_str(), Wide(form_.caption), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) std::abort();  // no window to show anything in; the program ends
}

QuizWindow::~QuizWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (font_ != nullptr) DeleteObject(font_);
    for (auto& [colour, brush] : brushes_) DeleteObject(brush);
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
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
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
    children_.assign(form_.controls.size(), nullptr);
    stops_ = form::TabSequence(form_);
    // Windows takes the tab order, the option groups and the stacking from
    // the order the children are made in.
    for (const form::Control* c : form::SiblingOrder(form_)) {
        const ControlClass cls = ClassOf(*c);
        const DWORD style = WS_CHILD | cls.style | KeyboardStyle(*c, stops_) | (c->visible ? WS_VISIBLE : 0);
        const std::wstring text = c->kind == form::Kind::TextBox ? std::wstring() : WideString(c->text);
        const form::PixelRect r = form::PlaceInWindow(form_, *c, dpi_);
        const int number = ControlNumber(form_, c->id);
        if (!c->accessibleName.empty()) {
            // Assistive technology names a box by the label just before it;
            // this one is never shown.
            CreateWindowExW(0, L"STATIC", WideString(c->accessibleName).c_str(), WS_CHILD | SS_NOPREFIX, r.left,
                            r.top, 0, 0, hwnd_, nullptr, instance_, nullptr);
        }
        HWND child = CreateWindowExW(cls.exStyle, cls.name, text.c_str(), style, r.left, r.top, r.width, r.height,
                                     hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), instance_,
                                     nullptr);
        if (child == nullptr) std::abort();  // a window without all its controls is no quiz
        children_[static_cast<std::size_t>(number - kFirstControlNumber)] = child;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (c->kind == form::Kind::TextBox) SetWindowTextW(child, Wide(c->text));
        for (std::u16string_view item : c->items) {
            SendMessageW(child, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideString(item).c_str()));
        }
    }
    if (const form::Control* first = form::FirstFocus(form_)) focus_ = ChildWindow(first->id);
}

HFONT QuizWindow::CreateFormFont() const {
    return CreateFontW(-MulDiv(form_.font.points, dpi_, 72), 0, 0, 0, form_.font.weight, FALSE,
                       FALSE, FALSE, static_cast<BYTE>(form_.font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, Wide(form_.font.face));
}

void QuizWindow::PlaceChildWindows() {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const form::PixelRect r = form::PlaceInWindow(form_, form_.controls[i], dpi_);
        SetWindowPos(children_[i], nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    for (HWND child : children_) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
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

int QuizWindow::RingWidth() const { return MulDiv(kFocusRingWidth, dpi_, 96); }

// A text box's ring is drawn by the window around it, just outside its edge.
RECT QuizWindow::RingAround(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return Grown(r, RingWidth());
}

void QuizWindow::InvalidateRingAround(HWND child) {
    const RECT r = RingAround(child);
    InvalidateRect(hwnd_, &r, TRUE);
}

void QuizWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    const form::Control* focused = FormControl(GetFocus());
    if (focused != nullptr && focused->kind == form::Kind::TextBox) {
        DrawFocusRing(dc, RingAround(GetFocus()), RingWidth());
    }
    EndPaint(hwnd_, &paint);
}

// Option buttons draw themselves; the ring goes over them once they have.
LRESULT QuizWindow::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    const form::Control* c = FormControl(draw.hdr.hwndFrom);
    if (c == nullptr || c->kind != form::Kind::OptionButton) return CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT && GetFocus() == draw.hdr.hwndFrom) {
        // Within the part not covered by the button above, where they overlap.
        RECT ring = draw.rc, visible{};
        if (GetClipBox(draw.hdc, &visible) != ERROR) {
            ring = {std::max(ring.left, visible.left), std::max(ring.top, visible.top),
                    std::min(ring.right, visible.right), std::min(ring.bottom, visible.bottom)};
        }
        DrawFocusRing(draw.hdc, ring, RingWidth());
    }
    return CDRF_DODEFAULT;
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
    return reinterpret_cast<LRESULT>(Brush(*c->background));
}

void QuizWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const form::Control* c = ControlAt(form_, static_cast<int>(item.CtlID));
    if (c == nullptr) return;
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &face, Brush(c->background.value_or(form::Rgb{})));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (pressed) face = {face.left + 1, face.top + 1, face.right + 1, face.bottom + 1};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, Wide(c->text), static_cast<int>(c->text.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRing(dc, item.rcItem, RingWidth());
}

void QuizWindow::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, Brush(form_.background));
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

HWND QuizWindow::ChildWindow(form::ControlId id) const { return children_.at(form_.IndexOf(id)); }

const form::Control* QuizWindow::FormControl(HWND child) const {
    const auto at = std::find(children_.begin(), children_.end(), child);
    return at == children_.end() ? nullptr : &form_.controls[static_cast<std::size_t>(at - children_.begin())];
}

HBRUSH QuizWindow::Brush(form::Rgb colour) {
    const COLORREF ref = ToColorRef(colour);
    for (const auto& [made, brush] : brushes_) {
        if (made == ref) return brush;
    }
    return brushes_.emplace_back(ref, CreateSolidBrush(ref)).second;
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

// Makes the form's live region a polite one, through the system's
// annotation service.
void QuizWindow::MakeLiveRegions() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        if (const form::Control* live = form::LiveRegion(form_)) {
            VARIANT polite{};
            polite.vt = VT_I4;
            polite.lVal = kPolite;
            services->SetHwndProp(ChildWindow(live->id), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  kLiveSettingProperty, polite);
        }
        services->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

// The box already holds the message; a live region is read out when it
// reports a change. The regions are set up at the first message rather than
// at start-up, which the system's annotation service would slow.
void QuizWindow::Announce(form::ControlId box) {
    if (!liveRegions_) {
        MakeLiveRegions();
        liveRegions_ = true;
    }
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, ChildWindow(box), OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kestrova::win32
