# Faults in the wiring every front end shares, seen by the binding's tests.
U = "^(QuizBinding|Form)"
FAULTS = [
    Fault("an unchecked option counts as a choice", "window/binding/quiz_binding.cpp",
          "    if (control->kind == form::Kind::OptionButton && !surface_.IsChecked(id)) return;\n", "", U),
    Fault("«Чисти» wired to Evaluate", "window/binding/quiz_binding.cpp",
          "{form::kCommands, form::kClearCommand, [](QuizController& q, std::int16_t) { q.Clear(); }},",
          "{form::kCommands, form::kClearCommand, [](QuizController& q, std::int16_t) { q.Evaluate(); }},", U),
    Fault("a choice is announced too", "window/binding/quiz_binding.cpp",
          "if (control->kind == form::Kind::CommandButton) {", "if (control->kind != form::Kind::Label) {", U),
    Fault("the box read back as the toolkit shows it", "window/binding/quiz_binding.cpp",
          "return ExactBoxText(written_, surface_.Text(form::kResultBox));",
          "return surface_.Text(form::kResultBox);", U),
    Fault("descriptions read from the entry after", "window/binding/quiz_binding.cpp",
          "static_cast<std::size_t>(index));", "static_cast<std::size_t>(index) + 1);", U),
    Fault("spoken text keeps its last blank", "window/binding/quiz_binding.cpp",
          "    while (!spoken.empty() && spoken.back() == u' ') spoken.pop_back();\n", "", U),
]
