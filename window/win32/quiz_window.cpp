#include "quiz_window.h"

#include <algorithm>
#include <tuple>
#include <stdexcept>
#include <string>
#include <vector>

#include "control_numbers.h"
#include "kestrova_form.h"

namespace kestrova::win32 {
namespace {

constexpr int kIconResource = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close, no minimise or maximise

// On Windows wchar_t is UTF-16, as the core's text is.
const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
std::wstring WideString(std::u16string_view text) { return {Wide(text), text.size()}; }
std::wstring WideString(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

COLORREF ToColorRef(form::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

int Scale(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

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
    case form::Kind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
    case form::Kind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    // Owner-drawn so they paint their own colour; such a button is never
    // the default one.
    case form::Kind::CommandButton: return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
    case form::Kind::TextBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case form::Kind::ListBox: return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    }
    throw std::logic_error("unknown control kind");
}

// Win32 takes the tab order, the option groups and the stacking from the
// order of the child windows, first on top. So controls go in tab order,
// except that:
// - a frame's option buttons run unbroken (that makes them one group) where
//   the first of them in tab order stands, from the top row down, so the
//   arrow keys follow the rows and an upper button is drawn over the one
//   below where they overlap;
// - frames go last, beneath the buttons they hold.
std::vector<const form::Control*> CreationOrder(const form::Form& form) {
    std::map<std::pair<std::string_view, std::int16_t>, int> groupTab;
    for (const form::Control& c : form.controls) {
        if (c.kind != form::Kind::OptionButton) continue;
        auto [at, added] = groupTab.try_emplace({c.container.name, c.container.index}, c.tabIndex);
        if (!added) at->second = std::min(at->second, c.tabIndex);
    }
    auto key = [&](const form::Control* c) {
        switch (c->kind) {
        case form::Kind::OptionButton: return std::tuple{0, groupTab.at({c->container.name, c->container.index}), c->top};
        case form::Kind::Frame: return std::tuple{1, c->tabIndex, 0};
        default: return std::tuple{0, c->tabIndex, 0};
        }
    };
    std::vector<const form::Control*> order;
    for (const form::Control& c : form.controls) order.push_back(&c);
    std::ranges::stable_sort(order, {}, key);
    return order;
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
    if (hwnd_ == nullptr) throw std::runtime_error("the quiz window could not be created");
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
    case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wparam)); return TRUE;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
    case WM_NEXTDLGCTL: OnNextControl(wparam, lparam); return 0;
    case WM_ACTIVATE: OnActivate(wparam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd_, message, wparam, lparam);
    }
}

void QuizWindow::OnCreate() {
    const UINT dpi = WindowDpi(hwnd_);
    // The font first: each control gets it before its text.
    font_ = CreateFormFont(dpi);
    CreateControls(dpi);
    FitClientArea(dpi);
    OnLoad();
}

void QuizWindow::CreateControls(UINT dpi) {
    std::vector<std::pair<std::string_view, std::int16_t>> groupsStarted;
    for (const form::Control* c : CreationOrder(form_)) {
        const ControlClass cls = ClassOf(*c);
        DWORD style = WS_CHILD | cls.style | (c->visible ? WS_VISIBLE : 0);
        if (c->kind == form::Kind::OptionButton || c->kind == form::Kind::Frame) style |= WS_CLIPSIBLINGS;
        if (c->kind != form::Kind::OptionButton) {
            style |= WS_GROUP;
        } else if (std::ranges::find(groupsStarted, std::pair{c->container.name, c->container.index}) ==
                   groupsStarted.end()) {
            groupsStarted.emplace_back(c->container.name, c->container.index);
            style |= WS_GROUP;
        }
        if (!c->visible) style &= ~DWORD(WS_TABSTOP);
        const std::wstring text = c->kind == form::Kind::TextBox ? std::wstring() : WideString(c->text);
        const RECT r = PixelRect(*c, dpi);
        HWND child = CreateWindowExW(cls.exStyle, cls.name, text.c_str(), style, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlNumber(form_, c->id))),
                                     instance_, nullptr);
        if (child == nullptr) throw std::runtime_error("a control could not be created");
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (c->kind == form::Kind::TextBox) SetWindowTextW(child, Wide(c->text));
        for (std::u16string_view item : c->items) {
            SendMessageW(child, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideString(item).c_str()));
        }
    }
    // No option button is checked yet: give each group its tab stop.
    ClearFirmButton(0);
    ClearCountryButton(0);
    focus_ = Control(form::kResultBox);
}

HFONT QuizWindow::CreateFormFont(UINT dpi) const {
    return CreateFontW(-MulDiv(form_.font.points, static_cast<int>(dpi), 72), 0, 0, 0, form_.font.weight, FALSE,
                       FALSE, FALSE, static_cast<BYTE>(form_.font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, Wide(form_.font.face));
}

RECT QuizWindow::PixelRect(const form::Control& c, UINT dpi) const {
    int left = c.left, top = c.top;
    if (const form::Control* frame = form_.Find(c.container)) {
        left += frame->left;
        top += frame->top;
    }
    return {Scale(left, dpi), Scale(top, dpi), Scale(left + c.width, dpi), Scale(top + c.height, dpi)};
}

void QuizWindow::Place(UINT dpi) {
    for (const form::Control& c : form_.controls) {
        const RECT r = PixelRect(c, dpi);
        SetWindowPos(Control(c.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitClientArea(dpi);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void QuizWindow::FitClientArea(UINT dpi) {
    RECT window{}, client{};
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const int width = Scale(form_.clientWidth, dpi) + (window.right - window.left) - client.right;
    const int height = Scale(form_.clientHeight, dpi) + (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void QuizWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    HFONT old = font_;
    font_ = CreateFormFont(dpi);
    for (const form::Control& c : form_.controls) {
        SendMessageW(Control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    DeleteObject(old);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Place(dpi);
}

void QuizWindow::OnCommand(int number, int code) {
    if (code != BN_CLICKED) return;
    const form::Control* c = ControlAt(form_, number);
    if (c == nullptr) return;  // Enter and Esc arrive as IDOK and IDCANCEL: no button of ours
    HWND child = Control(c->id);
    // An option button's Click is its becoming the selected one. Some
    // systems also report an unselected button as clicked when it merely
    // takes the focus; that is no choice.
    if (c->kind == form::Kind::OptionButton && SendMessageW(child, BM_GETCHECK, 0, 0) != BST_CHECKED) return;
    if (c->id.name == form::kFirmButtons) OnFirmClick(c->id.index);
    if (c->id.name == form::kCountryButtons) OnCountryClick(c->id.index);
    if (c->id.name == form::kCommands) OnCommandClick(c->id.index);
}

void QuizWindow::OnLoad() { controller_.Start(); }
void QuizWindow::OnFirmClick(std::int16_t index) { controller_.ChooseFirm(index); }
void QuizWindow::OnCountryClick(std::int16_t index) { controller_.ChooseCountry(index); }

void QuizWindow::OnCommandClick(std::int16_t index) {
    switch (index) {
    case form::kEvaluateCommand: controller_.Evaluate(); break;
    case form::kClearCommand: controller_.Clear(); break;
    default: break;
    }
}

LRESULT QuizWindow::OnControlColour(HDC dc, HWND child) {
    const form::Control* c = ControlOf(child);
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
    const form::Control* c = ControlOf(item.hwndItem);
    if (c == nullptr) return;
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &face, Brush(c->background.value_or(form::Rgb{})));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (pressed) OffsetRect(&face, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, Wide(c->text), static_cast<int>(c->text.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
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

HWND QuizWindow::Control(form::ControlId id) const { return GetDlgItem(hwnd_, ControlNumber(form_, id)); }

const form::Control* QuizWindow::ControlOf(HWND child) const { return ControlAt(form_, GetDlgCtrlID(child)); }

HBRUSH QuizWindow::Brush(form::Rgb colour) {
    HBRUSH& brush = brushes_[ToColorRef(colour)];
    if (brush == nullptr) brush = CreateSolidBrush(ToColorRef(colour));
    return brush;
}

void QuizWindow::Uncheck(std::string_view array, std::int16_t index) {
    SendMessageW(Control({array, index}), BM_SETCHECK, BST_UNCHECKED, 0);
    // An unchecked radio button loses its tab stop. While none of its group
    // is checked, the first in tab order holds it, so Tab still reaches them.
    const form::Control* first = nullptr;
    bool anyChecked = false;
    for (const form::Control& c : form_.controls) {
        if (c.id.name != array) continue;
        anyChecked = anyChecked || SendMessageW(Control(c.id), BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (first == nullptr || c.tabIndex < first->tabIndex) first = &c;
    }
    if (!anyChecked && first != nullptr) {
        HWND button = Control(first->id);
        SetWindowLongW(button, GWL_STYLE, GetWindowLongW(button, GWL_STYLE) | WS_TABSTOP);
    }
}

void QuizWindow::ClearFirmButton(std::int16_t index) { Uncheck(form::kFirmButtons, index); }
void QuizWindow::ClearCountryButton(std::int16_t index) { Uncheck(form::kCountryButtons, index); }

void QuizWindow::SetResultText(std::u16string_view text) {
    SetWindowTextW(Control(form::kResultBox), WideString(text).c_str());
}

std::u16string QuizWindow::GetResultText() const {
    HWND box = Control(form::kResultBox);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(box)), u'\0');
    GetWindowTextW(box, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()) + 1);
    return text;
}

std::u16string QuizWindow::GetDescription(std::int16_t index) const {
    HWND list = Control(form::kDescriptionList);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == LB_ERR) throw std::out_of_range("no description " + std::to_string(index));
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

}  // namespace kestrova::win32
