// The window at the screen's density (the run asks for 96, 144 or 192 dots
// per inch), and as it follows a move to a monitor of another density.
#include <cmath>

#include "tests/win32/live_window.h"

namespace kestrova::win32_tests {
namespace {

class Densities : public QuizInUse {};

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
    if (written) SendMessageW(q.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return written;
}

// The height of the result box's lines: the font it shows, read off the box.
int LineHeight(const Quiz& q) {
    HWND box = q.ResultBox();
    const LRESULT first = SendMessageW(box, EM_POSFROMCHAR, 0, 0);
    const LRESULT second = SendMessageW(box, EM_POSFROMCHAR, WPARAM(SendMessageW(box, EM_LINEINDEX, 1, 0)), 0);
    return short(HIWORD(second)) - short(HIWORD(first));
}

TEST_F(Densities, TheClientAreaIsTheSizeForTheDensity) {
    At(quiz().Dpi());  // a run at a density the shared list lacks fails here
    ExpectClientAreaForItsDensity(quiz());
}

TEST_F(Densities, ControlsStandAtTheirPlacesScaledToTheDensity) { ExpectPlacesForItsDensity(quiz()); }

TEST_F(Densities, FocusRingsAreWideForTheDensityAndClear) { ExpectFocusRingsWideAndClear(quiz()); }

TEST_F(Densities, AChangeOfDensityResizesReplacesAndRefontsTheWindow) {
    const Quiz& q = quiz();
    const UINT other = q.Dpi() == 144 ? 96 : 144;
    q.Answer(2, 2);  // two lines or more, to measure them
    const int before = LineHeight(q);
    ASSERT_GT(before, 0) << "the right answer's lines";
    ASSERT_TRUE(ChangeDensity(q, other)) << "WM_DPICHANGED sent with its rectangle";
    Sleep(200);
    {
        SCOPED_TRACE("after a change from " + std::to_string(q.Dpi()) + " to " + std::to_string(other) + " dpi");
        const Quiz moved(q.Window(), other);
        ExpectFixedWindowWithItsCaption(moved);
        ExpectClientAreaForItsDensity(moved);
        ExpectPlacesForItsDensity(moved);
        const int after = LineHeight(moved);
        EXPECT_LE(std::abs(after - before * double(other) / q.Dpi()), 2)
            << "the result box's text re-fonted: lines " << before << " then " << after << " px";
        ExpectFocusRingsWideAndClear(moved);
        ChangeDensity(moved, q.Dpi());
        Sleep(200);
    }
    ExpectClientAreaForItsDensity(q);
}

}  // namespace
}  // namespace kestrova::win32_tests
