# Faults in the quiz content and controller, seen by the unit tests.
U = "^(Quiz|Core|Controller)"  # gtest names as ctest lists them
FAULTS = [
    Fault("the sentinels made equal", "core/quiz_controller.h",
          "static constexpr std::int16_t kNoCountry = -15;", "static constexpr std::int16_t kNoCountry = -5;", U),
    Fault("the description without its line break", "core/quiz_controller.cpp",
          "view_.SetResultText(Concat(Concat(verdict, description), kLineBreak));",
          "view_.SetResultText(Concat(verdict, description));", U),
    Fault("the verdict rebuilt instead of read back", "core/quiz_controller.cpp",
          "const std::u16string verdict = view_.GetResultText();",
          "const std::u16string verdict = Concat(kCorrect, u\"\\n\");", U),
    Fault("clearing forgets the country", "core/quiz_controller.cpp",
          "    chosenCountry = kNoCountry;\n    for", "    for", U),
    Fault("a choice of firm out of range accepted", "core/quiz_controller.cpp",
          "    QuizContent::CheckIndex(index);\n    chosenFirm = index;", "    chosenFirm = index;", U),
    Fault("Alcatel and BenQ swap rows", "core/quiz_content.cpp",
          "{u\"Alcatel SA\", u\"Франция\", 0, 6,", "{u\"Alcatel SA\", u\"Франция\", 1, 6,", U),
    Fault("an index out of range reported against 0..10", "core/quiz_content.cpp",
          "DecimalText(kRowCount - 1));", "DecimalText(kRowCount));", U),
]
# A second set, run alone with --group second.
S = "second"
FAULTS += [
    Fault("the wrong verdict without its line break", "core/quiz_controller.cpp",
          "view_.SetResultText(Concat(kWrong, kLineBreak));", "view_.SetResultText(kWrong);", U, group=S),
    Fault("the prompt ends in a full stop", "core/quiz_controller.cpp",
          'u"Направете своя избор!"', 'u"Направете своя избор."', U, group=S),
    Fault("starting and clearing leave the last row checked", "core/quiz_controller.cpp",
          "for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {",
          "for (std::int16_t i = 0; i + 1 < QuizContent::kRowCount; ++i) {", U, group=S),
    Fault("a choice of 10 accepted", "core/quiz_content.cpp",
          "if (i < 0 || i >= kRowCount) {", "if (i < 0 || i > kRowCount) {", U, group=S),
    Fault("England spelt with a Latin A", "core/quiz_content.cpp",
          'u"Англия"', 'u"Aнглия"', U, group=S),
    Fault("Samsung's description trimmed of its last blank", "core/quiz_content.cpp",
          'Основана през 1938 г. "}', 'Основана през 1938 г."}', U, group=S),
]
