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
# A second set, run alone with --group second.
S = "second"
FAULTS += [
    Fault("«Изведи» wired to every command", "window/binding/quiz_binding.cpp",
          "{form::kCommands, form::kEvaluateCommand,", "{form::kCommands, kEveryIndex,", U, group=S),
    Fault("spoken text keeps the carriage returns", "window/binding/quiz_binding.cpp",
          'std::u16string spoken = Replace(Replace(boxText, u"\\r\\n", u"\\n"), u"\\n", u" ");',
          'std::u16string spoken = Replace(boxText, u"\\n", u" ");', U, group=S),
    Fault("the box read back as shown when it differs from what was written", "window/binding/quiz_binding.cpp",
          'return Replace(Replace(shown, u"\\r\\n", u"\\n"), u"\\n", u"\\r\\n");', "return std::u16string(shown);",
          U, group=S),
]
# The report of right answers, run alone with --group scorm.
FAULTS += [
    Fault("every evaluation reported as a right answer", "window/binding/quiz_binding.cpp",
          "            if (described_ && found_) found_(*described_);",
          "            if (found_ && id.name == form::kCommands) found_(described_.value_or(0));", U, group="scorm"),
    Fault("a right answer reported once for good", "window/binding/quiz_binding.cpp",
          "            described_.reset();\n", "", U, group="scorm"),
]
