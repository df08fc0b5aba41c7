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
