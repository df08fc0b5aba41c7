#include "window/binding/realised_controls.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "window/form/form_rules.h"
#include "window/form/quiz_form.h"

namespace kestrova::binding {
namespace {

TEST(RealisedControlsTest, FindsWhatWasMadeByNameAndTracesItBack) {
    const form::Form form = form::QuizForm();
    RealisedControls<const char*> made(form);
    const std::string nokia = "the Nokia button", box = "the result box";
    made.Set(*form.Find({form::kFirmButtons, 2}), nokia.c_str());
    made.Set(*form.Find(form::kResultBox), box.c_str());

    EXPECT_EQ(made.At({form::kFirmButtons, 2}), nokia.c_str());
    EXPECT_EQ(made.At(form::kResultBox), box.c_str());
    EXPECT_EQ(made.At({form::kFirmButtons, 3}), nullptr);  // not made yet
    EXPECT_THROW(made.At({form::kFirmButtons, 10}), std::out_of_range);
    EXPECT_EQ(made.Find({"Picture1", 0}), nullptr);

    ASSERT_NE(made.ControlOf(nokia.c_str()), nullptr);
    EXPECT_EQ(made.ControlOf(nokia.c_str())->id, (form::ControlId{form::kFirmButtons, 2}));
    const std::string other = "something else";
    EXPECT_EQ(made.ControlOf(other.c_str()), nullptr);

    int visited = 0;
    made.ForEach([&](const form::Control& c, const char* handle) {
        if (handle != nullptr) {
            EXPECT_TRUE(c.id == form::kResultBox || c.id.name == form::kFirmButtons);
        }
        ++visited;
    });
    EXPECT_EQ(visited, static_cast<int>(form.controls.size()));
}

TEST(RealisedControlsTest, RefusesAControlOfAnotherForm) {
    const form::Form form = form::QuizForm(), other = form::QuizForm();
    RealisedControls<int> made(form);
    EXPECT_THROW(made.Set(other.controls[0], 1), std::out_of_range);
}

}  // namespace
}  // namespace kestrova::binding
