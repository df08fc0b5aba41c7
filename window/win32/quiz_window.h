#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "window/binding/control_surface.h"
#include "window/binding/quiz_binding.h"
#include "window/binding/realised_controls.h"
#include "window/form/form.h"
#include "window/form/form_rules.h"
#include "window/win32/accessibility.h"
#include "window/win32/coloured_button.h"

namespace kestrova::win32 {

// The quiz window on Win32: realises the form description as the system's
// standard child windows and reports Load and each Click to the quiz
// binding, which holds the wiring. One window procedure, one small function
// per message; all state lives in this object, found through the window's
// user data. The focus ring, the accessibility and the coloured buttons are
// in files of their own.
class QuizWindow : private binding::ControlSurface {
public:
    QuizWindow(HINSTANCE instance, form::Form form);
    ~QuizWindow() override;
    QuizWindow(const QuizWindow&) = delete;
    QuizWindow& operator=(const QuizWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // Shows the window and runs its messages until it closes.
    int Run(int show);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
    LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);

    void OnCreate();
    void OnCommand(int number, int code);
    void OnEnter();
    void OnPaint();
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);
    void InvalidateRingAround(HWND child);
    LRESULT OnControlColour(HDC dc, HWND child);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnEraseBackground(HDC dc);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnNextControl(WPARAM wparam, LPARAM lparam);
    void OnActivate(WPARAM wparam);

    void CreateChildWindows();
    HFONT CreateFormFont() const;
    void PlaceChildWindows();
    void FitClientArea();
    HWND ChildWindow(form::ControlId id) const { return children_.At(id); }
    // The form's control behind a child window; nullptr for none of ours.
    const form::Control* FormControl(HWND child) const { return children_.ControlOf(child); }
    void KeepGroupReachable(form::ControlId option);

    void SetText(form::ControlId box, std::u16string_view text) override;
    std::u16string Text(form::ControlId box) const override;
    bool IsChecked(form::ControlId option) const override;
    void Uncheck(form::ControlId option) override;
    std::u16string ListItem(form::ControlId list, std::size_t index) const override;
    void Announce(form::ControlId box) override;

    const form::Form form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    // By the control's place in the form, which is also its number less
    // kFirstControlNumber.
    binding::RealisedControls<HWND> children_{form_};
    // The form's tab stops, which also tell each option group's entry.
    std::vector<form::TabStop> stops_;
    HFONT font_ = nullptr;
    int dpi_ = form::kReferenceDpi;  // the window's dots per inch, followed as it changes
    HWND focus_ = nullptr;  // given back the focus when the window is activated
    LiveRegion liveRegion_;
    Brushes brushes_;
    binding::QuizBinding binding_{form_, *this};
};

}  // namespace kestrova::win32
