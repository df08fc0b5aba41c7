#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <string_view>

#include "form.h"
#include "quiz_controller.h"

namespace kestrova::win32 {

// The quiz window on Win32: creates the form's controls as the system's
// standard child windows, implements ChoiceView on them, owns the one
// QuizController and forwards Load and each Click to it. One window
// procedure; all state lives in this object, found through the window's user
// data. Quiz logic stays in the controller.
class QuizWindow : public ChoiceView {
public:
    QuizWindow(HINSTANCE instance, form::Form form);
    ~QuizWindow() override;
    QuizWindow(const QuizWindow&) = delete;
    QuizWindow& operator=(const QuizWindow&) = delete;

    // Shows the window and runs its messages until it closes.
    int Run(int show);

    void ClearFirmButton(std::int16_t index) override;
    void ClearCountryButton(std::int16_t index) override;
    void SetResultText(std::u16string_view text) override;
    std::u16string GetResultText() const override;
    std::u16string GetDescription(std::int16_t index) const override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
    LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);

    void OnCreate();
    void OnCommand(int number, int code);
    LRESULT OnControlColour(HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnEraseBackground(HDC dc);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnNextControl(WPARAM wparam, LPARAM lparam);
    void OnActivate(WPARAM wparam);

    void OnLoad();
    void OnFirmClick(std::int16_t index);
    void OnCountryClick(std::int16_t index);
    void OnCommandClick(std::int16_t index);

    void CreateControls(UINT dpi);
    HFONT CreateFormFont(UINT dpi) const;
    RECT PixelRect(const form::Control& control, UINT dpi) const;
    // After a change of DPI.
    void Place(UINT dpi);
    void FitClientArea(UINT dpi);
    HWND Control(form::ControlId id) const;
    const form::Control* ControlOf(HWND child) const;
    HBRUSH Brush(form::Rgb colour);
    void Uncheck(std::string_view array, std::int16_t index);

    form::Form form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HWND focus_ = nullptr;  // given back the focus when the window is activated
    std::map<COLORREF, HBRUSH> brushes_;
    QuizController controller_{*this};
};

}  // namespace kestrova::win32
