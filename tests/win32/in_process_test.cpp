// The window code run here, in this process, for what only its own process
// can read: the fonts its controls hold, what it tells the annotation
// service, and its fonts after a change of density.
//   win32_window_code_tests.exe [GoogleTest's flags] DPI
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/annotation_stand_in.h"
#include "tests/win32/test_main.h"
#include "window/form/quiz_form.h"
#include "tests/support/what_users_see.h"
#include "window/win32/control_numbers.h"
#include "window/win32/quiz_window.h"

namespace {

using namespace kestrova;
namespace seen = kestrova::testing::seen;

UINT g_dpi = 96;

// A child of the window by its form name.
HWND Child(const win32::QuizWindow& window, const form::Form& form, form::ControlId id) {
    return GetDlgItem(window.Handle(), win32::ControlNumber(form, id));
}

LOGFONTW FontOf(HWND child) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    if (font == nullptr || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return {};
    return lf;
}

int HeightAt(UINT dpi) { return -MulDiv(seen::kFont.points, int(dpi), 72); }

TEST(WindowCodeFonts, EveryControlHasTheFontAtTheDensity) {
    const form::Form form = form::QuizForm();
    win32::QuizWindow window(GetModuleHandleW(nullptr), form::QuizForm());
    for (const form::Control& c : form.controls) {
        const LOGFONTW lf = FontOf(Child(window, form, c.id));
        const std::string name = std::string(c.id.name) + "(" + std::to_string(c.id.index) + ")";
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(lf.lfFaceName)), seen::kFont.face) << name;
        EXPECT_EQ(lf.lfHeight, HeightAt(g_dpi)) << name << ": " << seen::kFont.points << " pt at " << g_dpi << " dpi";
        EXPECT_EQ(lf.lfCharSet, seen::kFont.charset) << name << ": Cyrillic";
        EXPECT_EQ(lf.lfWeight, seen::kFont.weight) << name << ": plain";
        EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut, 0) << name << ": neither italic nor underlined nor struck out";
    }
}

TEST(WindowCodeDensities, AChangeOfDensityGivesEveryControlTheFontForIt) {
    const form::Form form = form::QuizForm();
    win32::QuizWindow window(GetModuleHandleW(nullptr), form::QuizForm());
    const UINT other = g_dpi == 144 ? 96 : 144;
    RECT suggested{0, 0, 600, 600};
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    for (const form::Control& c : form.controls) {
        EXPECT_EQ(FontOf(Child(window, form, c.id)).lfHeight, HeightAt(other))
            << c.id.name << "(" << c.id.index << ") after a change to " << other << " dpi";
    }
}

// The option buttons are 121 px wide at 96 dpi and the longest captions
// nearly fill them: each caption ends inside its button, beside its circle.
TEST(WindowCodeFonts, EveryOptionsCaptionFitsBesideItsCircle) {
    const form::Form form = form::QuizForm();
    win32::QuizWindow window(GetModuleHandleW(nullptr), form::QuizForm());
    for (const form::Control& c : form.controls) {
        if (c.kind != form::Kind::OptionButton) continue;
        HWND button = Child(window, form, c.id);
        HDC dc = GetDC(button);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
        const std::wstring caption(c.text.begin(), c.text.end());
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(button, dc);
        RECT inside{};
        GetClientRect(button, &inside);
        const int left = form::OptionIndicatorIn(c, int(g_dpi)).captionLeft;
        EXPECT_LE(left + extent.cx, inside.right) << form::DisplayName(c.id) << " at " << g_dpi << " dpi: a caption "
                                                  << extent.cx << " px wide from " << left << " px";
    }
}

// UI Automation's LiveSetting, and its values Off, Polite and Assertive.
constexpr GUID kLiveSetting{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
int LiveSettingValue(std::string_view politeness) {
    return politeness == "off" ? 0 : politeness == "polite" ? 1 : politeness == "assertive" ? 2 : -1;
}

TEST(WindowCodeAccessibility, TheResultBoxIsTheOnlyLiveRegionAndItIsPolite) {
    ASSERT_TRUE(annotation_stand_in::Start()) << "the annotation service stands in";
    const form::Form form = form::QuizForm();
    win32::QuizWindow window(GetModuleHandleW(nullptr), form::QuizForm());
    const auto child = [&](form::ControlId id) { return Child(window, form, id); };
    for (int i = 0; i < 3; ++i) SendMessageW(child({form::kCommands, form::kEvaluateCommand}), BM_CLICK, 0, 0);
    SendMessageW(child({form::kCommands, form::kClearCommand}), BM_CLICK, 0, 0);
    using annotation_stand_in::Annotation;
    std::vector<Annotation> annotations;
    for (int i = 0, n = annotation_stand_in::Stop(); i < n; ++i) annotations.push_back(annotation_stand_in::Recorded(i));
    const auto live = std::count_if(annotations.begin(), annotations.end(),
                                    [](const Annotation& a) { return a.property == kLiveSetting; });
    EXPECT_EQ(live, 1) << "boxes annotated a live region";
    for (const Annotation& a : annotations) {
        if (a.property != kLiveSetting) continue;
        EXPECT_EQ(a.hwnd, child(form::kResultBox)) << "the live region is the result box";
        EXPECT_EQ(a.object, DWORD(OBJID_CLIENT)) << "the live region is the box's client area";
        EXPECT_EQ(a.child, CHILDID_SELF) << "the live region is the box itself";
        EXPECT_NE(a.hwnd, child(form::kMottoBox)) << "the hidden motto box is no live region";
        EXPECT_EQ(a.value.vt, VT_I4) << "LiveSetting is a number";
        EXPECT_EQ(a.value.vt == VT_I4 ? a.value.lVal : -1, LiveSettingValue(seen::kPoliteness))
            << "the result box is a " << seen::kPoliteness << " live region";
    }
}

}  // namespace

int main(int argc, char** argv) {
    return kestrova::win32_tests::RunTests(argc, argv, {"DPI"},
                                           [](char** arguments) { g_dpi = UINT(std::atoi(arguments[0])); });
}
