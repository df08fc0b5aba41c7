// The window's controls, where they stand, how they are painted and what
// they say, as the screen shows them.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "tests/support/option_circle.h"
#include "tests/win32/live_window.h"

namespace kestrova::win32_tests {
namespace {

class Layout : public QuizInUse {};

// A command button's caption as the screen shows it: the box of the pixels
// inside its edges that differ from its face, and the strongest contrast
// among them.
struct CaptionInk {
    int left = INT_MAX, top = INT_MAX;
    double contrast = 1;
};
CaptionInk CaptionOf(const Capture& shot, RECT r, COLORREF face) {
    constexpr int kEdges = 3;  // the 3D edges' two pixels, and one for the pressed caption's move
    CaptionInk ink;
    for (int y = r.top + kEdges; y < r.bottom - kEdges; ++y) {
        for (int x = r.left + kEdges; x < r.right - kEdges; ++x) {
            const COLORREF c = shot.At(x, y);
            if (c == face) continue;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.contrast = std::max(ink.contrast, Contrast(c, face));
        }
    }
    return ink;
}

TEST_F(TheOpeningWindow, ShowsEveryControlOfTheFormAsItsKindWithItsText) {
    const Quiz& q = quiz();
    for (const form::Control& c : q.Form().controls) {
        const std::string name = DisplayName(c.id);
        HWND hwnd = q.Get(c.id);
        EXPECT_NE(hwnd, nullptr) << name << " exists";
        if (hwnd == nullptr) continue;

        wchar_t cls[32]{};
        GetClassNameW(hwnd, cls, 32);
        const LONG buttonType = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
        bool kindOk = false;
        switch (c.kind) {
        case form::Kind::Label: kindOk = lstrcmpiW(cls, L"Static") == 0; break;
        case form::Kind::Frame: kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_GROUPBOX; break;
        case form::Kind::OptionButton:
            kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_AUTORADIOBUTTON;
            break;
        // Owner-drawn: paints its own colour and is never a default button.
        case form::Kind::CommandButton: kindOk = lstrcmpiW(cls, L"Button") == 0 && buttonType == BS_OWNERDRAW; break;
        case form::Kind::TextBox: kindOk = lstrcmpiW(cls, L"Edit") == 0; break;
        case form::Kind::ListBox: kindOk = lstrcmpiW(cls, L"ListBox") == 0; break;
        }
        EXPECT_TRUE(kindOk) << name << " is the right kind of control";

        EXPECT_EQ(bool(IsWindowVisible(hwnd)), c.visible) << name << " visibility";

        if (c.kind == form::Kind::ListBox) {
            EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), LRESULT(c.items.size())) << name << " entries";
            for (std::size_t i = 0; i < c.items.size(); ++i) {
                std::u16string item(std::size_t(SendMessageW(hwnd, LB_GETTEXTLEN, i, 0)), u'\0');
                SendMessageW(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
                EXPECT_EQ(item, c.items[i]) << name << " entry " << i;
            }
        } else {
            // The result box as it opens: the assignment.
            EXPECT_EQ(Quiz::Text(hwnd), c.text) << name << " text";
        }
    }
}

TEST_F(Layout, TheWindowHasItsCaptionACloseButtonAndAFixedSize) { ExpectFixedWindowWithItsCaption(quiz()); }

TEST_F(Layout, ControlsArePaintedTheirColoursOnTheWindowsLightBlue) {
    const Quiz& q = quiz();
    for (const WindowPlace& e : Places(q.Dpi())) {
        const form::Control* c = ByName(q.Form(), e.control);
        ASSERT_NE(c, nullptr) << e.control;
        if (!e.painted) continue;
        const RECT r = q.PlaceOf(q.Get(c->id));
        // Near the right end, halfway down: clear of captions, edges and the
        // frames' lines.
        POINT spot{r.right - Px(120, q.Dpi()), (r.top + r.bottom) / 2};
        const Capture shot(q.Window(), {spot.x, spot.y, spot.x + 1, spot.y + 1});
        EXPECT_EQ(Hex(shot.At(spot.x, spot.y)), Hex(Rgb(e.colour))) << e.control << " is painted its colour";
    }
    const Capture corner(q.Window(), {2, 2, 3, 3});
    EXPECT_EQ(Hex(corner.At(2, 2)), Hex(Rgb(WindowColour()))) << "the window's light blue";
}

// The box is read-only, which Windows paints grey unless the window says
// otherwise; a person reads its text on the usual window colour.
TEST_F(Layout, TheResultBoxIsPaintedInTheWindowColour) {
    const Quiz& q = quiz();
    HWND box = q.ResultBox();
    ASSERT_EQ(q.Result(), PromptText());
    RECT inside{};
    GetClientRect(box, &inside);
    MapWindowPoints(box, q.Window(), reinterpret_cast<POINT*>(&inside), 2);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(Hex(window), Hex(GetSysColor(COLOR_BTNFACE))) << "the system tells the two colours apart";
    // The prompt's line: from the box's left edge to the end of its text,
    // the letters' height down from their top, where the text's own
    // background is, between the letters.
    const int letters = MulDiv(seen::kFont.points, int(q.Dpi()), 72);
    const LRESULT first = SendMessageW(box, EM_POSFROMCHAR, 0, 0);
    const LRESULT last = SendMessageW(box, EM_POSFROMCHAR, WPARAM(q.Result().size() - 1), 0);
    const int top = inside.top + short(HIWORD(first));
    const Capture line(q.Window(), {inside.left, top, inside.left + short(LOWORD(last)), top + letters});
    EXPECT_EQ(Hex(line.Commonest()), Hex(window)) << "behind the prompt's letters";
    // Below its line, where the box is empty.
    const Capture empty(q.Window(), {inside.left, top + 2 * letters, inside.right, inside.bottom});
    EXPECT_EQ(empty.Count(window), empty.Size())
        << "the empty part of the box is all the window colour " << Hex(window) << "; most of it is "
        << Hex(empty.Commonest());
}

TEST_F(Layout, TheHeadingIsCentred) {
    const Quiz& q = quiz();
    HWND heading = q.Get({form::kHeading, 0});
    EXPECT_EQ(GetWindowLongW(heading, GWL_STYLE) & SS_TYPEMASK, SS_CENTER) << "the heading is a centred label";
    const RECT r = q.PlaceOf(heading);
    const Capture shot(q.Window(), r);
    const COLORREF face = shot.At(r.left + 1, r.top + 1);
    int inkLeft = r.right, inkRight = r.left - 1;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (shot.At(x, y) != face) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
        }
    }
    ASSERT_GT(inkRight, inkLeft) << "the heading shows its text";
    const double offset = (inkLeft + inkRight + 1) / 2.0 - (r.left + r.right) / 2.0;
    EXPECT_LE(std::abs(offset), seen::kHeadingCentreSlack * q.Dpi() / 96.0)
        << "the heading's ink is centred over it; off by " << offset << " px";
}

TEST_F(Layout, TheResultBoxWrapsTheLongestDescriptionAndScrollsIt) {
    const Quiz& q = quiz();
    HWND box = q.ResultBox();
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    EXPECT_TRUE((style & ES_MULTILINE) && !(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL))
        << "the result box wraps its lines and never scrolls sideways";
    EXPECT_TRUE((style & WS_VSCROLL) != 0) << "the result box has a vertical scroll bar";

    int longest = 0;
    for (int i = 1; i < QuizContent::kRowCount; ++i) {
        if (QuizContent::Description(std::int16_t(i)).size() > QuizContent::Description(std::int16_t(longest)).size()) {
            longest = i;
        }
    }
    q.Answer(longest, longest);
    EXPECT_EQ(q.Result(), RightAnswerText(std::int16_t(longest))) << "the longest description is shown";
    // Wine keeps a window's scroll range to its own process, so the bar is
    // seen on the screen and worked by its messages instead.
    q.Repaint();
    const RECT outer = q.PlaceOf(box);
    const Capture shot(q.Window(), outer);
    // Its top arrow's square, just inside the box's edge: an arrow and a
    // button's edges, where without a bar there would be the box's white
    // and the first line's end.
    const int edge = GetSystemMetrics(SM_CXEDGE), size = GetSystemMetrics(SM_CXVSCROLL);
    int drawn = 0;
    for (int y = outer.top + edge; y < outer.top + edge + size; ++y) {
        for (int x = outer.right - edge - size; x < outer.right - edge; ++x) {
            drawn += shot.At(x, y) != GetSysColor(COLOR_WINDOW);
        }
    }
    EXPECT_GE(drawn, size * size / 10) << "a scroll bar shows at the result box's right edge; " << drawn
                                       << " of its arrow's pixels drawn";
    SendMessageW(box, WM_VSCROLL, SB_BOTTOM, 0);
    const LRESULT firstShown = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(box, WM_VSCROLL, SB_TOP, 0);
    EXPECT_GT(firstShown, 0) << "the scroll bar scrolls the longest description down";
    EXPECT_EQ(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "and back to its top";

    // Every line ends inside the box, and the description takes more lines
    // than its paragraphs.
    RECT inside{};
    GetClientRect(box, &inside);
    const int lines = int(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
    int outside = 0;
    for (int line = 0; line < lines; ++line) {
        const LRESULT start = SendMessageW(box, EM_LINEINDEX, WPARAM(line), 0);
        const LRESULT length = SendMessageW(box, EM_LINELENGTH, WPARAM(start), 0);
        if (length == 0) continue;
        const LRESULT at = SendMessageW(box, EM_POSFROMCHAR, WPARAM(start + length - 1), 0);
        outside += int(at != -1 && short(LOWORD(at)) >= inside.right);
    }
    const std::u16string shown = q.Result();
    const int paragraphs = int(std::count(shown.begin(), shown.end(), u'\n'));
    EXPECT_EQ(outside, 0) << "lines that run past the box's right edge";
    EXPECT_GT(lines, paragraphs + 1) << "the longest description wraps within the box's width";
}

TEST_F(Layout, CommandButtonsHaveTheirColoursAndLookPressedWhileHeld) {
    const Quiz& q = quiz();
    for (const seen::CommandColour& colour : kCommandColours) {
        HWND button = q.Command(colour.index);
        const std::string name = DisplayName({form::kCommands, std::int16_t(colour.index)});
        q.Repaint();
        const RECT r = q.PlaceOf(button);
        const Capture up(q.Window(), r);
        const POINT spot{r.right - (r.right - r.left) / 8, (r.top + r.bottom) / 2};
        const COLORREF face = up.At(spot.x, spot.y);
        EXPECT_EQ(Hex(face), Hex(RGB(colour.r, colour.g, colour.b))) << name << " is painted its colour";
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        UpdateWindow(button);
        Sleep(200);
        const Capture down(q.Window(), r);
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
        UpdateWindow(button);
        EXPECT_GE(down.ChangedShare(up), seen::kLeastPressedChange) << name << " looks pressed while held";
        EXPECT_EQ(Hex(down.At(spot.x, spot.y)), Hex(face)) << name << " keeps its colour while held";
        const CaptionInk atRest = CaptionOf(up, r, face), held = CaptionOf(down, r, face);
        EXPECT_GE(atRest.contrast, seen::kLeastCaptionContrast) << name << "'s caption stands out from its face";
        EXPECT_GE(held.left - atRest.left, seen::kPressedCaptionShift) << name << "'s caption moves right while held";
        EXPECT_GE(held.top - atRest.top, seen::kPressedCaptionShift) << name << "'s caption moves down while held";
    }
}

// Each option's circle ringed clearly against its row and its own face, and
// a checked one's dot against that face: measured on the screen along lines
// from the circle's middle out, every way, the circle standing where the
// form's rules put it.
struct CircleCase {
    ControlId option;
    std::string_view rows;
    bool checked;
};
class OptionCircles : public QuizInUse, public ::testing::WithParamInterface<CircleCase> {};

TEST_P(OptionCircles, StandOutFromTheirRows) {
    const Quiz& q = quiz();
    const CircleCase& c = GetParam();
    q.Answer(2, 2);  // Nokia and Финландия
    q.Repaint();
    const std::string name = DisplayName(c.option);
    HWND button = q.Get(c.option);
    ASSERT_EQ(Quiz::Checked(button), c.checked) << name;
    const RECT row = q.PlaceOf(button);
    const Capture shot(q.Window(), {row.left - 3, row.top - 3, row.right + 3, row.bottom + 3});
    const auto colour = std::find_if(kOptionRowColourList.begin(), kOptionRowColourList.end(),
                                     [&](const seen::OptionRowColour& r) { return r.rows == c.rows; });
    ASSERT_NE(colour, kOptionRowColourList.end()) << c.rows;
    EXPECT_EQ(Hex(shot.At(row.left + 1, row.bottom - 2)), Hex(RGB(colour->r, colour->g, colour->b)))
        << name << " shows its row's colour below the circle";

    const form::PixelRect circle = form::OptionIndicatorIn(*q.Form().Find(c.option), int(q.Dpi())).circle;
    const RECT box{row.left + circle.left, row.top + circle.top, row.left + circle.left + circle.width,
                   row.top + circle.top + circle.height};
    const POINT middle{box.left + (circle.width - 1) / 2, box.top + (circle.height - 1) / 2};
    struct Way {
        const char* name;
        int dx, dy;
    };
    // To the left lies the frame, elsewhere the row.
    for (const Way& way : {Way{"left", -1, 0}, Way{"right", 1, 0}, Way{"up", 0, -1}, Way{"down", 0, 1}}) {
        std::vector<testing::Rgb8> line;
        for (POINT p = middle; PtInRect(&box, {p.x - 2 * way.dx, p.y - 2 * way.dy}); p.x += way.dx, p.y += way.dy) {
            line.push_back(ToRgb8(shot.At(p.x, p.y)));
        }
        const testing::CircleLine m = testing::MeasureCircleLine(line, c.checked);
        for (const std::string& fault : testing::CircleFaults(m, c.checked, seen::kLeastCircleContrast)) {
            ADD_FAILURE() << fault << ": " << name << " at " << q.Dpi() << " dpi, " << way.name << ": "
                          << testing::Described(m);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, OptionCircles,
                         ::testing::Values(CircleCase{{form::kFirmButtons, 0}, "firm", false},
                                           CircleCase{{form::kFirmButtons, 2}, "firm", true},
                                           CircleCase{{form::kCountryButtons, 0}, "country", false},
                                           CircleCase{{form::kCountryButtons, 2}, "country", true}),
                         [](const ::testing::TestParamInfo<CircleCase>& info) {
                             return std::string(info.param.rows) + (info.param.checked ? "Checked" : "Unchecked");
                         });

// Held down, a circle's face takes the held shade: the window colour with
// a share of the text colour.
TEST_F(Layout, AHeldOptionsCircleTakesTheHeldShade) {
    const Quiz& q = quiz();
    const ControlId firm{form::kFirmButtons, 0};
    HWND option = q.Get(firm);
    const RECT row = q.PlaceOf(option);
    const form::PixelRect circle = form::OptionIndicatorIn(*q.Form().Find(firm), int(q.Dpi())).circle;
    SendMessageW(option, BM_SETSTATE, TRUE, 0);
    UpdateWindow(option);
    Sleep(200);
    const Capture down(q.Window(), row);
    SendMessageW(option, BM_SETSTATE, FALSE, 0);
    const COLORREF face = GetSysColor(COLOR_WINDOW), ink = GetSysColor(COLOR_WINDOWTEXT);
    const auto mix = [](int f, int i) { return ((100 - seen::kHeldCircleShade) * f + seen::kHeldCircleShade * i + 50) / 100; };
    const COLORREF held = RGB(mix(GetRValue(face), GetRValue(ink)), mix(GetGValue(face), GetGValue(ink)),
                              mix(GetBValue(face), GetBValue(ink)));
    EXPECT_EQ(Hex(down.At(row.left + circle.left + circle.width / 2, row.top + circle.top + circle.height / 2)), Hex(held))
        << DisplayName(firm) << "'s circle held down";
}

TEST_F(Layout, UpperOptionRowsAreInFrontWhereRowsOverlap) {
    const Quiz& q = quiz();
    const int overlap = Px(seen::kRowOverlapTwips, q.Dpi());
    for (std::string_view group : {form::kFirmButtons, form::kCountryButtons}) {
        std::vector<HWND> rows;
        for (int i = 0; i < QuizContent::kRowCount; ++i) rows.push_back(q.Get({group, std::int16_t(i)}));
        std::sort(rows.begin(), rows.end(), [&](HWND a, HWND b) { return q.PlaceOf(a).top < q.PlaceOf(b).top; });
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const RECT upper = q.PlaceOf(rows[i - 1]), lower = q.PlaceOf(rows[i]);
            POINT p{(lower.left + lower.right) / 2, lower.top + overlap / 2};
            EXPECT_EQ(upper.bottom - lower.top, overlap) << group << " rows " << i - 1 << " and " << i << " overlap";
            EXPECT_EQ(ChildWindowFromPointEx(q.Window(), p, CWP_SKIPINVISIBLE), rows[i - 1])
                << group << ": the upper of rows " << i - 1 << " and " << i << " is in front where they overlap";
            ClientToScreen(q.Window(), &p);
            EXPECT_EQ(WindowFromPoint(p), rows[i - 1])
                << group << ": a click where rows " << i - 1 << " and " << i << " overlap goes to the upper";
        }
    }
}

}  // namespace
}  // namespace kestrova::win32_tests
