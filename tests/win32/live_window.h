#pragma once

// The running kestrova.exe as its user meets it: the fixture starts the
// program, finds its window and works it from outside through the Windows
// API; the helpers read back what the screen shows.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/quiz_content.h"
#include "window/form/form.h"
#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"
#include "tests/support/contrast.h"
#include "tests/support/places.h"
#include "tests/support/verdicts.h"
#include "tests/support/what_users_see.h"

namespace kestrova::win32_tests {

using form::ControlId;
using form::DisplayName;
using testing::PromptText;
using testing::RightAnswerText;
using testing::WrongAnswerText;
namespace seen = kestrova::testing::seen;

// The shared list's tables, copied: GCC 12's link-time optimiser for
// Windows stops with an internal error on a reference to a header's inline
// array.
inline constexpr auto kDensities = std::to_array(seen::kDensities);
inline constexpr auto kCommandColours = std::to_array(seen::kCommandColours);
inline constexpr auto kHiddenControls = std::to_array(seen::kHiddenControls);
inline constexpr auto kPlaceList = std::to_array(seen::kPlaces);
inline constexpr auto kColourList = std::to_array(seen::kColours);
inline constexpr auto kOptionRowColourList = std::to_array(seen::kOptionRowColours);

// A control of the shared list where the window shows it at a density, from
// the client area's corner, and the colour seen inside it where the list
// gives it one that the control paints itself (not the command buttons,
// which have kCommandColours, nor the system-coloured boxes).
struct WindowPlace {
    std::string_view control;
    testing::PixelPlace at;
    bool painted;
    seen::Colour colour;
};
std::vector<WindowPlace> Places(UINT dpi);
// The window's own light blue.
seen::Colour WindowColour();

// What the command line asks for: the program to start, and the dots per
// inch its window must use.
void SetProgram(std::wstring path, UINT dpi);
UINT ExpectedDpi();

const form::Control* ByName(const form::Form& f, std::string_view name);
// The density's row in the shared list; a test failure for one it lacks.
seen::AtDensity At(UINT dpi);
int Px(int twips, UINT dpi);
COLORREF Rgb(seen::Colour c);
std::string Hex(COLORREF c);

// Polls `condition` for up to two seconds.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 2000);
// Runs this thread's messages (the event hooks' calls) for a while.
void PumpFor(DWORD milliseconds);

// The program's window, worked as a person would.
class Quiz {
public:
    Quiz(HWND window, UINT dpi);

    const form::Form& Form() const { return form_; }
    HWND Window() const { return window_; }
    HWND Get(ControlId id) const;
    HWND Firm(int i) const { return Get({form::kFirmButtons, std::int16_t(i)}); }
    HWND Country(int i) const { return Get({form::kCountryButtons, std::int16_t(i)}); }
    HWND Command(int i) const { return Get({form::kCommands, std::int16_t(i)}); }
    HWND ResultBox() const { return Get(form::kResultBox); }

    static std::u16string Text(HWND hwnd);
    std::u16string Result() const { return Text(ResultBox()); }
    static bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int CheckedCount() const;
    HWND Focus() const;
    void FocusOn(HWND control) const;
    void Click(HWND button) const { SendMessageW(button, BM_CLICK, 0, 0); }
    // Firm `firm`, country `country`, then Изведи.
    void Answer(int firm, int country) const;
    // A key as the keyboard would send it to the focused control; it goes
    // through the program's own message loop.
    void Key(WPARAM key) const;
    // The dots per inch the window is meant to use; Wine answers
    // GetDpiForWindow for another program's window with its own.
    UINT Dpi() const { return dpi_; }
    // A child's rectangle in the window's client area.
    RECT PlaceOf(HWND child) const;
    void Repaint() const;

private:
    HWND window_;
    form::Form form_;
    UINT dpi_;
    DWORD thread_ = 0;
};

// What the screen shows over part of the window's client area, read back
// in one go.
class Capture {
public:
    Capture(HWND window, RECT r);
    // At (x, y) of the window's client area.
    COLORREF At(int x, int y) const;
    // The share of pixels that differ from `other`'s, of the same place.
    double ChangedShare(const Capture& other) const;
    // How many pixels are `colour`.
    int Count(COLORREF colour) const;
    // The colour most pixels have.
    COLORREF Commonest() const;
    int Size() const { return int(pixels_.size()); }

private:
    int left_, top_, width_, height_;
    std::vector<DWORD> pixels_;
};

testing::Rgb8 ToRgb8(COLORREF c);
// WCAG's contrast ratio of two colours.
double Contrast(COLORREF a, COLORREF b);

// The checks that hold at any density, for the window as it opens and
// again after a change of density.
void ExpectClientAreaForItsDensity(const Quiz& q);
// Each control of the shared list's places where it belongs at the window's
// density.
void ExpectPlacesForItsDensity(const Quiz& q);
void ExpectFixedWindowWithItsCaption(const Quiz& q);
void ExpectFocusRingsWideAndClear(const Quiz& q);

// One kestrova.exe for a whole test suite, started fresh for it, so that
// each suite meets the window as it opens; closed after the suite.
class LiveWindow : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    static const Quiz& quiz() { return *quiz_; }

private:
    static std::optional<Quiz> quiz_;
    static PROCESS_INFORMATION process_;
};

// The window as it opens; its tests only look.
class TheOpeningWindow : public LiveWindow {};

// The window in use: each test starts with nothing chosen (Чисти) and the
// focus in the result box, all of it freshly painted.
class QuizInUse : public LiveWindow {
protected:
    void SetUp() override;
};

}  // namespace kestrova::win32_tests
