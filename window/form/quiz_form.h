#pragma once

#include <string_view>

#include "window/form/form.h"

namespace kestrova::form {

// The names of the quiz window's control arrays, for the front ends' wiring
// and for tests.
inline constexpr std::string_view kHeading = "Label1";
inline constexpr std::string_view kFrames = "Frame1";
inline constexpr std::string_view kFirmButtons = "Option1";
inline constexpr std::string_view kCountryButtons = "Option2";
inline constexpr std::string_view kCommands = "Command1";
inline constexpr std::string_view kTextBoxes = "Text1";
inline constexpr std::string_view kDescriptions = "List1";

inline constexpr ControlId kResultBox{kTextBoxes, 0};
inline constexpr ControlId kMottoBox{kTextBoxes, 1};
inline constexpr ControlId kDescriptionList{kDescriptions, ControlId::kSingle};
inline constexpr std::int16_t kEvaluateCommand = 0;
inline constexpr std::int16_t kClearCommand = 1;

// The quiz window Kestrova, with captions, rows and descriptions taken from
// the quiz content.
Form QuizForm();

}  // namespace kestrova::form
