// What assistive technology finds in the window and hears from it: the
// result box's name, its live changes on each verdict, and nothing of the
// hidden controls.
#include <oleacc.h>

#include <algorithm>

#include "tests/win32/live_window.h"

namespace kestrova::win32_tests {
namespace {

class Accessibility : public QuizInUse {};

IAccessible* AccessibleOf(HWND hwnd, LONG object) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(object), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return nullptr;
    }
    return accessible;
}

bool AccessiblyInvisible(HWND hwnd) {
    IAccessible* accessible = AccessibleOf(hwnd, OBJID_CLIENT);
    if (accessible == nullptr) return false;
    VARIANT self{}, state{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const bool invisible = SUCCEEDED(accessible->get_accState(self, &state)) && state.vt == VT_I4 &&
                           (state.lVal & STATE_SYSTEM_INVISIBLE) != 0;
    accessible->Release();
    return invisible;
}

// The windows whose live regions changed, in order, while a hook listens.
std::vector<HWND> g_changes;
void CALLBACK OnLiveChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { g_changes.push_back(hwnd); }

class LiveChanges {
public:
    explicit LiveChanges(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        g_changes.clear();
        hook_ = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, &OnLiveChange,
                                process, 0, WINEVENT_OUTOFCONTEXT);
    }
    ~LiveChanges() { UnhookWinEvent(hook_); }
    LiveChanges(const LiveChanges&) = delete;
    LiveChanges& operator=(const LiveChanges&) = delete;

private:
    HWINEVENTHOOK hook_;
};

TEST_F(Accessibility, TheResultBoxIsNamed) {
    const Quiz& q = quiz();
    IAccessible* accessible = AccessibleOf(q.ResultBox(), OBJID_CLIENT);
    ASSERT_NE(accessible, nullptr) << "the result box is an accessible object";
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    accessible->get_accName(self, &name);
    accessible->Release();
    const std::u16string said = name == nullptr ? u"" : std::u16string(reinterpret_cast<const char16_t*>(name));
    SysFreeString(name);
    EXPECT_EQ(said, seen::kResultBoxName) << "the result box's accessible name";
}

TEST_F(Accessibility, EachVerdictIsALiveChangeOfTheResultBoxAndAChoiceIsNone) {
    const Quiz& q = quiz();
    const LiveChanges listening(q.Window());
    q.Click(q.Command(form::kEvaluateCommand));
    PumpFor(300);
    EXPECT_EQ(g_changes, std::vector<HWND>{q.ResultBox()}) << "Изведи: the result box reports a live change";
    q.Click(q.Command(form::kClearCommand));
    PumpFor(300);
    EXPECT_EQ(g_changes, (std::vector<HWND>{q.ResultBox(), q.ResultBox()}))
        << "Чисти: the result box reports a live change";
    q.Click(q.Firm(4));
    PumpFor(300);
    EXPECT_EQ(g_changes.size(), 2u) << "a choice says nothing";
}

TEST_F(Accessibility, ARepeatedVerdictIsNewsAgain) {
    const Quiz& q = quiz();
    const LiveChanges listening(q.Window());
    q.Answer(0, 5);
    q.Click(q.Command(form::kEvaluateCommand));
    PumpFor(300);
    EXPECT_EQ(q.Result(), WrongAnswerText());
    EXPECT_EQ(g_changes, (std::vector<HWND>{q.ResultBox(), q.ResultBox()}))
        << "Изведи twice on the same wrong pair: two live changes of the result box";
}

TEST_F(Accessibility, HiddenControlsAreNeitherSeenNorHeard) {
    const Quiz& q = quiz();
    // What assistive technology finds among the window's children: each
    // hidden control it lists must say it is invisible.
    std::vector<HWND> listed;
    if (IAccessible* client = AccessibleOf(q.Window(), OBJID_CLIENT)) {
        long count = 0;
        client->get_accChildCount(&count);
        std::vector<VARIANT> children(std::size_t(std::max(count, 0L)));
        long got = 0;
        if (count > 0 && SUCCEEDED(AccessibleChildren(client, 0, count, children.data(), &got))) {
            for (long i = 0; i < got; ++i) {
                VARIANT& child = children[std::size_t(i)];
                if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
                    IAccessible* accessible = nullptr;
                    HWND hwnd = nullptr;
                    if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                                 reinterpret_cast<void**>(&accessible)))) {
                        WindowFromAccessibleObject(accessible, &hwnd);
                        accessible->Release();
                    }
                    listed.push_back(hwnd);
                }
                VariantClear(&child);
            }
        }
        client->Release();
    }
    EXPECT_NE(std::find(listed.begin(), listed.end(), q.ResultBox()), listed.end())
        << "assistive technology lists the window's controls";
    for (std::string_view name : kHiddenControls) {
        const form::Control* c = ByName(q.Form(), name);
        HWND hwnd = c == nullptr ? nullptr : q.Get(c->id);
        ASSERT_NE(hwnd, nullptr) << name << " is among the window's controls";
        EXPECT_FALSE(IsWindowVisible(hwnd)) << name << " is not on the screen";
        const RECT r = q.PlaceOf(hwnd);
        POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(q.Window(), &middle);
        EXPECT_NE(WindowFromPoint(middle), hwnd) << name << " cannot be pointed at";
        EXPECT_TRUE(AccessiblyInvisible(hwnd)) << name << " is invisible to assistive technology";
    }
}

}  // namespace
}  // namespace kestrova::win32_tests
