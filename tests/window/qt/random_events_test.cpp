// Throws a seeded stream of everything a user can do at the real quiz window
// and checks after every event that what it shows is allowed:
//   - at most one option button checked in each frame;
//   - the hidden controls stay hidden;
//   - the result box holds exactly what the last command asks for: the
//     verdict on the buttons checked when "Изведи" was pressed (the right
//     answer with its description only for a matching pair), the prompt after
//     "Чисти" (which leaves nothing checked), or the assignment before either.
//
//   random_events_test [--seed N] [--events N] [--seconds S]
// Prints the seed it used; a failure is repeated by passing that seed again.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <cstdio>
#include <random>
#include <string>

#include "window/form/quiz_form.h"
#include "core/quiz_content.h"
#include "window/qt/quiz_window.h"
#include "tests/support/verdicts.h"

namespace {

using kestrova::QuizContent;
using kestrova::form::ControlId;
namespace form = kestrova::form;

struct Options {
    unsigned seed = std::random_device{}();
    long events = 100000;
    double seconds = 60;
};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--seed") o.seed = static_cast<unsigned>(std::stoul(argv[i + 1]));
        if (flag == "--events") o.events = std::stol(argv[i + 1]);
        if (flag == "--seconds") o.seconds = std::stod(argv[i + 1]);
    }
    return o;
}

class Monkey {
public:
    Monkey(kestrova::qt::QuizWindow& window, unsigned seed) : window_(window), random_(seed) {
        expected_ = window_.Binding().GetResultText();
        for (int i : {0, 1}) {
            QObject::connect(Command(i), &QPushButton::clicked, [this, i] { commandClicked_ = i; });
        }
    }

    // One user action; returns a description of it for the failure report.
    std::string Act() {
        commandClicked_ = -1;
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
        switch (Pick(12)) {
        case 0: return Click(Option(Pick(20)));
        case 1: return Click(Command(Pick(2)));
        case 2: return ClickAt(QPoint(Pick(window_.width()), Pick(window_.height())));
        case 3: {
            const std::array<ControlId, 3> still{{{form::kHeading, 0}, {form::kFrames, 0}, {form::kFrames, 1}}};
            return Click(window_.Widget(still[std::size_t(Pick(3))]));
        }
        case 4: return Key(focus, Qt::Key_Tab);
        case 5: return Key(focus, Qt::Key_Backtab);
        case 6: return Key(focus, std::array{Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}[Pick(4)]);
        case 7: return Key(focus, Qt::Key_Space);
        case 8: return Key(focus, Pick(2) ? Qt::Key_Return : Qt::Key_Enter);
        case 9: return Key(focus, Qt::Key_Escape);
        case 10: {
            const char letter = char('a' + Pick(26));
            QTest::keyClick(Box(), letter);
            return std::string("type '") + letter + "' into the result box";
        }
        default: {
            if (Pick(2)) return Key(Box(), Pick(2) ? Qt::Key_PageDown : Qt::Key_PageUp);
            const QPoint at(Box()->width() / 2, Box()->height() / 2);
            QWheelEvent wheel(at, Box()->mapToGlobal(at), {}, QPoint(0, Pick(2) ? 120 : -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(Box()->viewport(), &wheel);
            return "scroll the result box";
        }
        }
    }

    // Empty when all is as allowed, else what is wrong.
    std::string Check() {
        const int firm = CheckedIn(form::kFirmButtons), country = CheckedIn(form::kCountryButtons);
        if (firm == -2 || country == -2) return "two buttons checked in one frame";
        if (window_.Widget(form::kMottoBox)->isVisible() || window_.Widget(form::kDescriptionList)->isVisible()) {
            return "a hidden control is shown";
        }
        if (commandClicked_ == form::kEvaluateCommand) {
            expected_ = firm >= 0 && firm == country ? kestrova::testing::RightAnswerText(std::int16_t(firm))
                                                     : kestrova::testing::WrongAnswerText();
        } else if (commandClicked_ == form::kClearCommand) {
            if (firm != -1 || country != -1) return "a button stayed checked after Чисти";
            expected_ = kestrova::testing::PromptText();
        }
        if (window_.Binding().GetResultText() != expected_) return "the result box holds the wrong text";
        return {};
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    QAbstractButton* Option(int i) const {
        return static_cast<QAbstractButton*>(
            window_.Widget({i < 10 ? form::kFirmButtons : form::kCountryButtons, std::int16_t(i % 10)}));
    }
    QAbstractButton* Command(int i) const {
        return static_cast<QAbstractButton*>(window_.Widget({form::kCommands, std::int16_t(i)}));
    }
    QPlainTextEdit* Box() const { return static_cast<QPlainTextEdit*>(window_.Widget(form::kResultBox)); }

    // The index of the checked button of an array, -1 for none, -2 for more.
    int CheckedIn(std::string_view array) const {
        int found = -1;
        for (std::int16_t i = 0; i < QuizContent::kRowCount; ++i) {
            if (!static_cast<QAbstractButton*>(window_.Widget({array, i}))->isChecked()) continue;
            if (found != -1) return -2;
            found = i;
        }
        return found;
    }

    std::string Click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(Pick(w->width()), Pick(w->height())));
        return "click " + w->objectName().toStdString();
    }
    std::string ClickAt(QPoint p) {
        QWidget* target = window_.childAt(p);
        if (target == nullptr) target = &window_;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window_, p));
        return "click at " + std::to_string(p.x()) + "," + std::to_string(p.y());
    }
    std::string Key(QWidget* w, Qt::Key key) {
        QTest::keyClick(w, key);
        return "key " + std::to_string(key) + " on " + w->objectName().toStdString();
    }

    kestrova::qt::QuizWindow& window_;
    std::mt19937 random_;
    std::u16string expected_;
    int commandClicked_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Options options = Parse(argc, argv);
    std::printf("seed %u\n", options.seed);

    kestrova::qt::QuizWindow window(form::QuizForm());
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        std::printf("the window never became active\n0 passed, 1 failed\n");
        return 1;
    }
    Monkey monkey(window, options.seed);
    QElapsedTimer clock;
    clock.start();
    long done = 0;
    for (; done < options.events && clock.elapsed() < options.seconds * 1000; ++done) {
        const std::string action = monkey.Act();
        if (done % 64 == 0) QApplication::processEvents();
        const std::string fault = monkey.Check();
        if (!fault.empty()) {
            std::printf("FAILED after event %ld (%s): %s\nrepeat with --seed %u\n0 passed, 1 failed\n", done + 1,
                        action.c_str(), fault.c_str(), options.seed);
            return 1;
        }
    }
    std::printf("%ld events in %.1f s\n1 passed, 0 failed\n", done, clock.elapsed() / 1000.0);
    return 0;
}
