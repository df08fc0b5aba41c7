#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <memory>

#include "window/form/quiz_form.h"
#include "tests/window/qt/metric_font.h"
#include "core/quiz_content.h"
#include "window/qt/qt_text.h"
#include "window/qt/quiz_window.h"
#include "tests/support/golden.h"
#include "tests/support/places.h"
#include "tests/support/verdicts.h"
#include "tests/support/what_users_see.h"
#include "tests/window/qt/seen_on_screen.h"


using kestrova::QuizContent;
using kestrova::qt::QuizWindow;
using kestrova::qt::ToQString;


namespace {

namespace seen = kestrova::testing::seen;

const QString kCorrectPrefix = ToQString(kestrova::testing::RightVerdictLine());
const QString kWrongText = ToQString(kestrova::testing::WrongAnswerText());
const QString kPrompt = ToQString(kestrova::testing::PromptText());
const QString kAssignment = QString::fromUtf8(kestrova::testing::GoldenText("assignment.txt"));

// The box after a right answer for firm `i`.
QString Right(int i) { return ToQString(kestrova::testing::RightAnswerText(std::int16_t(i))); }

// "Option1(6)" as a name and an index; "List1" has none.
std::pair<QString, int> NameAndIndex(std::string_view control) {
    const QString name = QString::fromUtf8(control.data(), qsizetype(control.size()));
    const qsizetype open = name.indexOf('(');
    if (open < 0) return {name, kestrova::form::ControlId::kSingle};
    return {name.left(open), name.mid(open + 1).chopped(1).toInt()};
}

QColor PixelAt(QWidget* w, QPoint p) { return w->grab().toImage().pixelColor(p); }

}  // namespace

// Drives the real quiz window headless, through its widgets as a user would,
// and reads everything back from the live widgets rather than the form table.
class QuizWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsStandWhereTheFormPutsThem_data();
    void controlsStandWhereTheFormPutsThem();
    void controlsPaintTheirColours_data();
    void controlsPaintTheirColours();
    void optionCaptionsReadTopToBottomAlphabetically();
    void everyCaptionFitsAndRendersInTheWindowFont();
    void optionIndicatorsAreTwelvePixelsAcross();
    void windowIsFixedWithItsCaptionFontAndIcon();
    void opensWithNothingSelectedAndFocusInTheResultBox();
    void tabVisitsControlsInTheirTabOrder();

    void oneRightAnswerByMouse();
    void oneWrongAnswerByMouse();
    void evaluateStraightAfterOpeningIsWrong();
    void clearAfterARightAnswerUnchecksEverything();
    void eachFrameIsItsOwnGroup();
    void keyboardSelectionCountsAsAChoice();
    void uncheckingFromTheControllerRaisesNoClick();
    void anotherCommandIndexDoesNothing();

    void resultBoxReturnsExactlyWhatWasWritten();
    void resultBoxScrollsAndSelectsByKeyboard();

    void accessibleRolesNamesAndStates_data();
    void accessibleRolesNamesAndStates();
    void assistivePressActionSelectsAnOption();
    void resultTextChangesReachAssistiveTechnology();
    void everyVerdictIsSpokenWithoutMovingTheFocus();
    void enterPressesTheFocusedCommandButton();
    void theWindowIsAWindowToAssistiveTechnology();

private:
    template <typename T = QWidget>
    T* W(std::string_view name, std::int16_t index = kestrova::form::ControlId::kSingle) const {
        auto* w = qobject_cast<T*>(window->Widget({name, index}));
        if (w == nullptr) qFatal("no control %s(%d)", std::string(name).c_str(), index);
        return w;
    }
    QRadioButton* Firm(int i) const { return W<QRadioButton>(kestrova::form::kFirmButtons, std::int16_t(i)); }
    QRadioButton* Country(int i) const { return W<QRadioButton>(kestrova::form::kCountryButtons, std::int16_t(i)); }
    QPushButton* Command(int i) const { return W<QPushButton>(kestrova::form::kCommands, std::int16_t(i)); }
    QPlainTextEdit* ResultBox() const { return W<QPlainTextEdit>(kestrova::form::kTextBoxes, 0); }
    QString ResultText() const { return QString::fromStdU16String(window->Binding().GetResultText()); }
    int CheckedCount() const;
    QStringList TabRound(Qt::Key key) const;
    void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

    std::unique_ptr<QuizWindow> window;
};

void QuizWindowTest::init() {
    window = std::make_unique<QuizWindow>(kestrova::form::QuizForm());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void QuizWindowTest::cleanup() { window.reset(); }

int QuizWindowTest::CheckedCount() const {
    int n = 0;
    for (int i = 0; i < 10; ++i) n += int(Firm(i)->isChecked()) + int(Country(i)->isChecked());
    return n;
}

void QuizWindowTest::controlsStandWhereTheFormPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("inContainer");
    QTest::addColumn<QRect>("inWindow");
    QTest::addColumn<bool>("visible");
    // Pixels at 100 %, from the container and from the client area.
    const auto rect = [](kestrova::testing::PixelPlace p) { return QRect(p.left, p.top, p.width, p.height); };
    const int dpi = seen::kDensities[0].dpi;
    for (const seen::Place& place : seen::kPlaces) {
        const auto [name, index] = NameAndIndex(place.control);
        const bool hidden = std::ranges::find(seen::kHiddenControls, place.control) != std::end(seen::kHiddenControls);
        QTest::newRow(std::string(place.control).c_str())
            << name << index << rect(kestrova::testing::PlaceInContainer(place, dpi))
            << rect(kestrova::testing::PlaceInWindow(place, seen::kPlaces, dpi)) << !hidden;
    }
}

void QuizWindowTest::controlsStandWhereTheFormPutsThem() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, inContainer);
    QFETCH(QRect, inWindow);
    QFETCH(bool, visible);
    const std::string n = name.toStdString();
    QWidget* w = W(n, std::int16_t(index));
    QCOMPARE(w->geometry(), inContainer);
    QCOMPARE(QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()), inWindow);
    QCOMPARE(w->isVisible(), visible);
}

void QuizWindowTest::controlsPaintTheirColours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("colour");
    for (const seen::Colour& c : seen::kColours) {
        if (c.control == "window") continue;  // checked with every row below
        // An option button stands for its array.
        const std::string control = c.control.find('(') == std::string_view::npos && c.control.starts_with("Option")
                                        ? std::string(c.control) + "(7)"
                                        : std::string(c.control);
        const auto [name, index] = NameAndIndex(control);
        QTest::newRow(control.c_str()) << name << index << QColor(c.r, c.g, c.b);
    }
    for (const seen::CommandColour& c : seen::kCommandColours) {
        QTest::newRow(("Command1(" + std::to_string(c.index) + ")").c_str())
            << QStringLiteral("Command1") << c.index << QColor(c.r, c.g, c.b);
    }
}

void QuizWindowTest::controlsPaintTheirColours() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QColor, colour);
    QWidget* w = W(name.toStdString(), std::int16_t(index));
    // A spot clear of text, bevel, frame line and indicator.
    QCOMPARE(PixelAt(w, QPoint(w->width() - 4, 3)), colour);
    const auto windowColour = std::ranges::find(seen::kColours, std::string_view("window"), &seen::Colour::control);
    QVERIFY(windowColour != std::end(seen::kColours));
    QCOMPARE(PixelAt(window.get(), QPoint(2, 2)), QColor(windowColour->r, windowColour->g, windowColour->b));
}

void QuizWindowTest::optionCaptionsReadTopToBottomAlphabetically() {
    for (auto* frame : {W<QGroupBox>("Frame1", 0), W<QGroupBox>("Frame1", 1)}) {
        auto buttons = frame->findChildren<QRadioButton*>();
        QCOMPARE(buttons.size(), 10);
        std::ranges::sort(buttons, {}, [](QWidget* b) { return b->y(); });
        QStringList captions;
        for (auto* b : buttons) captions << b->text();
        QStringList sorted = captions;
        // Plain code-point order is alphabetical for these Latin and
        // Bulgarian captions.
        sorted.sort(Qt::CaseSensitive);
        QCOMPARE(captions, sorted);
    }
    QCOMPARE(Firm(2)->text(), QStringLiteral("Nokia"));
    QCOMPARE(Country(2)->text(), QStringLiteral(u"Финландия"));
}

void QuizWindowTest::everyCaptionFitsAndRendersInTheWindowFont() {
    QList<QWidget*> captioned;
    for (int i = 0; i < 10; ++i) captioned << Firm(i) << Country(i);
    captioned << Command(0) << Command(1) << W("Label1", 0) << W("Frame1", 0) << W("Frame1", 1);
    const QString unjudged = kestrova::testing::MetricFontMissing(Firm(0)->font());
    for (QWidget* w : captioned) {
        QCOMPARE(w->font().family(), ToQString(seen::kFont.face));
        QCOMPARE(w->font().pointSize(), seen::kFont.points);
        const QRawFont raw = QRawFont::fromFont(w->font());
        QString text = w->property("text").toString();
        if (auto* frame = qobject_cast<QGroupBox*>(w)) text = frame->title();
        for (QChar ch : text) {
            QVERIFY2(raw.supportsCharacter(ch), qPrintable(text + " in " + raw.familyName()));
        }
        auto* option = qobject_cast<QRadioButton*>(w);
        if (option && unjudged.isEmpty()) {
            QStyleOptionButton style;
            style.initFrom(option);
            style.text = text;
            const QRect room = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
            QVERIFY2(option->fontMetrics().horizontalAdvance(text) <= room.width(), qPrintable(text + " is clipped"));
            QVERIFY2(option->fontMetrics().height() <= option->height(), qPrintable(text + " is cut off"));
        }
    }
    if (!unjudged.isEmpty()) {
        kestrova::testing::Unjudged() << "whether the captions fit: " + unjudged;
        QSKIP(qPrintable("Whether the captions fit cannot be judged: " + unjudged));
    }
}

void QuizWindowTest::optionIndicatorsAreTwelvePixelsAcross() {
    // Small enough to leave the longest captions their room: the circle's
    // ink, left of the caption, at 100 %.
    for (QRadioButton* option : {Firm(0), Country(9)}) {
        const QImage image = option->grab().toImage();
        const QColor paper = image.pixelColor(0, 0);
        // The first run of columns with ink, up to the gap before the caption.
        const auto columns = kestrova::testing::Runs(kestrova::testing::InkIn(image, image.rect(), paper).columns);
        QVERIFY(!columns.isEmpty());
        const QRect circle(columns[0].first, 0, columns[0].second - columns[0].first + 1, image.height());
        QCOMPARE(kestrova::testing::InkIn(image, circle, paper).box.size(), QSize(12, 12));
    }
}

void QuizWindowTest::windowIsFixedWithItsCaptionFontAndIcon() {
    QCOMPARE(window->size(), QSize(seen::kDensities[0].clientWidth, seen::kDensities[0].clientHeight));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->windowTitle(), QString::fromStdU16String(std::u16string(seen::kCaption)));
    QCOMPARE(window->font().weight(), QFont::Normal);
    QVERIFY(!window->font().italic() && !window->font().underline() && !window->font().strikeOut());
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (int side : {16, 32, 64, 128}) QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    // Crisp: each pixel of the 32 px art is a 2 x 2 block at 64 px.
    const QImage art = window->windowIcon().pixmap(QSize(32, 32)).toImage();
    const QImage big = window->windowIcon().pixmap(QSize(64, 64)).toImage();
    QCOMPARE(big.size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) QCOMPARE(big.pixel(x, y), art.pixel(x / 2, y / 2));
    }
}

void QuizWindowTest::opensWithNothingSelectedAndFocusInTheResultBox() {
    QCOMPARE(CheckedCount(), 0);
    QCOMPARE(QApplication::focusWidget(), ResultBox());
    QCOMPARE(ResultText(), kAssignment);
}

QStringList QuizWindowTest::TabRound(Qt::Key key) const {
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        visited << QApplication::focusWidget()->objectName();
    }
    return visited;
}

void QuizWindowTest::tabVisitsControlsInTheirTabOrder() {
    // Each group of option buttons is one stop, where its first button stands.
    QCOMPARE(TabRound(Qt::Key_Tab),
             QStringList({"Text1(0)", "Option1(0)", "Option2(0)", "Command1(0)", "Command1(1)", "Text1(0)"}));
    QCOMPARE(TabRound(Qt::Key_Backtab),
             QStringList({"Text1(0)", "Command1(1)", "Command1(0)", "Option2(0)", "Option1(0)", "Text1(0)"}));
    // Once a button of a group is selected, Tab goes to it.
    Click(Firm(5));
    ResultBox()->setFocus();
    QCOMPARE(TabRound(Qt::Key_Tab),
             QStringList({"Text1(0)", "Option1(5)", "Option2(0)", "Command1(0)", "Command1(1)", "Text1(0)"}));
    // The chain behind it keeps the form's order for every control.
    QStringList chain;
    QWidget* w = ResultBox();
    do {
        if (w->focusPolicy() != Qt::NoFocus && w->isVisible()) chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != ResultBox());
    QStringList expected{"Text1(0)"};
    for (int i : {0, 1, 2}) expected << QStringLiteral("Option1(%1)").arg(i);
    for (int i : {0, 1, 2}) expected << QStringLiteral("Option2(%1)").arg(i);
    for (int i = 3; i < 10; ++i) expected << QStringLiteral("Option1(%1)").arg(i);
    for (int i = 3; i < 10; ++i) expected << QStringLiteral("Option2(%1)").arg(i);
    expected << "Command1(0)" << "Command1(1)";
    QCOMPARE(chain, expected);
}

void QuizWindowTest::oneRightAnswerByMouse() {
    Click(Firm(2));
    Click(Country(2));
    QVERIFY(Firm(2)->isChecked() && Country(2)->isChecked());
    Click(Command(0));
    QCOMPARE(ResultText(), Right(2));
}

void QuizWindowTest::oneWrongAnswerByMouse() {
    Click(Firm(2));
    Click(Country(3));  // Япония
    Click(Command(0));
    QCOMPARE(ResultText(), kWrongText);
}

void QuizWindowTest::evaluateStraightAfterOpeningIsWrong() {
    Click(Command(0));
    QCOMPARE(ResultText(), kWrongText);
}

void QuizWindowTest::clearAfterARightAnswerUnchecksEverything() {
    Click(Firm(7));
    Click(Country(7));
    Click(Command(0));
    QVERIFY(ResultText().startsWith(kCorrectPrefix));
    Click(Command(1));
    QCOMPARE(CheckedCount(), 0);
    QCOMPARE(ResultText(), kPrompt);
    Click(Command(0));
    QCOMPARE(ResultText(), kWrongText);

    // The unchecking must not bring back either old choice: one side chosen
    // again after "Чисти" is still an incomplete answer.
    Click(Country(7));
    Click(Command(0));
    QCOMPARE(ResultText(), kWrongText);
    Click(Firm(7));
    Click(Command(1));
    Click(Firm(7));
    Click(Command(0));
    QCOMPARE(ResultText(), kWrongText);
}

void QuizWindowTest::eachFrameIsItsOwnGroup() {
    Click(Country(5));
    Click(Firm(2));  // Nokia
    Click(Firm(9));  // BenQ
    QVERIFY(!Firm(2)->isChecked());
    QVERIFY(Firm(9)->isChecked());
    QVERIFY(Country(5)->isChecked());
    QCOMPARE(CheckedCount(), 2);
}

void QuizWindowTest::keyboardSelectionCountsAsAChoice() {
    // Tab to the firms (Samsung, Option1(0), stands first), Space selects it,
    // Down moves the selection to Siemens on the row below.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Firm(0));
    QTest::keyClick(Firm(0), Qt::Key_Space);
    QVERIFY(Firm(0)->isChecked());
    QTest::keyClick(Firm(0), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Firm(1));
    QVERIFY(Firm(1)->isChecked());

    // On to the countries (Южна Корея stands first there) and down to
    // Япония on the bottom row: a wrong answer.
    QTest::keyClick(Firm(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Country(0));
    QTest::keyClick(Country(0), Qt::Key_Space);
    QTest::keyClick(Country(0), Qt::Key_Down);
    QVERIFY(Country(3)->isChecked());
    QTest::keyClick(Country(3), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Command(0));
    QTest::keyClick(Command(0), Qt::Key_Space);
    QCOMPARE(ResultText(), kWrongText);

    // Back to the selected country, then eight rows up to Германия: right.
    QTest::keyClick(Command(0), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Country(3));
    for (int row = 0; row < 8; ++row) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QVERIFY(Country(1)->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(ResultText(), Right(1));
}

void QuizWindowTest::uncheckingFromTheControllerRaisesNoClick() {
    Click(Firm(2));
    Click(Country(2));
    // The checked button of an exclusive group, unchecked all the same.
    window->Binding().ClearFirmButton(2);
    window->Binding().ClearCountryButton(2);
    QCOMPARE(CheckedCount(), 0);
    // Unchecking is no choice: the controller still holds Nokia/Финландия.
    Click(Command(0));
    QVERIFY(ResultText().startsWith(kCorrectPrefix));
    // And the button can be chosen again.
    Click(Firm(3));
    Click(Firm(2));
    QVERIFY(Firm(2)->isChecked());
    Click(Command(0));
    QVERIFY(ResultText().startsWith(kCorrectPrefix));
}

void QuizWindowTest::anotherCommandIndexDoesNothing() {
    kestrova::form::Form form = kestrova::form::QuizForm();
    kestrova::form::Control extra = *form.Find({kestrova::form::kCommands, 1});
    extra.id.index = 2;
    extra.top = 0;
    form.controls.push_back(extra);
    QuizWindow other(form);
    other.show();
    auto* third = qobject_cast<QPushButton*>(other.Widget({kestrova::form::kCommands, 2}));
    QVERIFY(third);
    const std::u16string before = other.Binding().GetResultText();
    Click(third);
    QCOMPARE(other.Binding().GetResultText(), before);
}

void QuizWindowTest::resultBoxReturnsExactlyWhatWasWritten() {
    const std::u16string written = u"ред\r\nдруг ред\r\n\r\nкрай";
    window->Binding().SetResultText(written);
    QCOMPARE(window->Binding().GetResultText(), written);
    // Shown as four lines, each pair one line break.
    QCOMPARE(ResultBox()->document()->blockCount(), 4);
    QCOMPARE(ResultBox()->toPlainText(), QStringLiteral(u"ред\nдруг ред\n\nкрай"));
}

// Its wrapping, scroll bar and refusal of typing are what_users_see_test's.
void QuizWindowTest::resultBoxScrollsAndSelectsByKeyboard() {
    QPlainTextEdit* box = ResultBox();
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->verticalScrollBar()->value(), 0);
    QTest::keyClick(box, Qt::Key_PageDown);
    QVERIFY(box->verticalScrollBar()->value() > 0);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(box->textCursor().hasSelection());
}

void QuizWindowTest::accessibleRolesNamesAndStates_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("heading") << "Label1" << 0 << int(QAccessible::Heading) << ToQString(seen::kHeading);
    QTest::newRow("frame") << "Frame1" << 1 << int(QAccessible::Grouping) << ToQString(seen::kFrameCaptions[1]);
    QTest::newRow("firm") << "Option1" << 2 << int(QAccessible::RadioButton) << QStringLiteral("Nokia");
    QTest::newRow("country") << "Option2" << 2 << int(QAccessible::RadioButton) << QStringLiteral(u"Финландия");
    QTest::newRow("evaluate") << "Command1" << 0 << int(QAccessible::Button) << ToQString(seen::kCommandCaptions[0]);
    QTest::newRow("clear") << "Command1" << 1 << int(QAccessible::Button) << ToQString(seen::kCommandCaptions[1]);
    QTest::newRow("result box") << "Text1" << 0 << int(QAccessible::EditableText) << ToQString(seen::kResultBoxName);
}

void QuizWindowTest::accessibleRolesNamesAndStates() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(int, role);
    QFETCH(QString, accessibleName);
    QWidget* w = W(name.toStdString(), std::int16_t(index));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    if (!accessibleName.isNull()) QCOMPARE(iface->text(QAccessible::Name), accessibleName);
    QVERIFY(!iface->state().invisible);
    if (role == QAccessible::RadioButton) {
        QVERIFY(!iface->state().checked);
        Click(static_cast<QAbstractButton*>(w));
        QVERIFY(iface->state().checked);
        QVERIFY(iface->state().focused);
    }
    if (role == QAccessible::EditableText) {
        QVERIFY(iface->state().focused);
        QVERIFY(iface->state().readOnly);
        // Each "\r\n" shown as one break.
        QCOMPARE(iface->textInterface()->characterCount(), kAssignment.size() - kAssignment.count("\r\n"));
    }
}

void QuizWindowTest::assistivePressActionSelectsAnOption() {
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{Firm(5), Country(5), Command(0)}) {
        QAccessibleActionInterface* action = QAccessible::queryAccessibleInterface(b)->actionInterface();
        QVERIFY(action);
        // Option buttons offer "toggle", command buttons "press".
        const QString name = qobject_cast<QRadioButton*>(b) ? QAccessibleActionInterface::toggleAction()
                                                            : QAccessibleActionInterface::pressAction();
        QVERIFY(action->actionNames().contains(name));
        action->doAction(name);
        QTRY_VERIFY(!b->isDown());
    }
    QVERIFY(Firm(5)->isChecked());
    QCOMPARE(ResultText(), Right(5));
}

namespace {
QList<QAccessible::Event> g_textEvents;
QObject* g_watched = nullptr;
void RecordTextEvent(QAccessibleEvent* event) {
    if (event->object() == g_watched) g_textEvents << event->type();
}
}  // namespace

void QuizWindowTest::resultTextChangesReachAssistiveTechnology() {
    g_textEvents.clear();
    g_watched = ResultBox();
    // Offscreen there is no screen reader to switch accessibility on; act as one.
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QAccessible::installUpdateHandler(&RecordTextEvent);
    Click(Command(0));
    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);
    const bool textChanged = g_textEvents.contains(QAccessible::TextUpdated) ||
                             g_textEvents.contains(QAccessible::TextInserted) ||
                             g_textEvents.contains(QAccessible::TextRemoved);
    QVERIFY2(textChanged, "no text change reported for the result box");
}

namespace {
QStringList g_spoken;
void RecordAnnouncement(QAccessibleEvent* event) {
    // A notification shown is what a screen reader speaks.
    if (event->type() != QAccessible::ObjectShow) return;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (iface != nullptr && iface->role() == QAccessible::Notification) g_spoken << iface->text(QAccessible::Name);
}
}  // namespace

void QuizWindowTest::everyVerdictIsSpokenWithoutMovingTheFocus() {
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    g_spoken.clear();
    QAccessible::installUpdateHandler(&RecordAnnouncement);

    Click(Command(0));  // by mouse, nothing chosen
    Click(Firm(2));
    Click(Country(2));
    Command(0)->setFocus();
    QTest::keyClick(Command(0), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), Command(0));
    Command(1)->setFocus();
    QTest::keyClick(Command(1), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Command(1));
    QAccessible::queryAccessibleInterface(Command(0))->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    Click(Command(0));  // the same verdict again is news too
    QTRY_COMPARE(g_spoken.size(), 5);

    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);
    // Each verdict on one line: its line breaks spoken as blanks, none at the end.
    const QString wrong = ToQString(seen::kWrongVerdict);
    QCOMPARE(g_spoken[0], wrong);
    QCOMPARE(g_spoken[1], ToQString(seen::kRightVerdict) + " " + ToQString(QuizContent::Description(2)));
    QCOMPARE(g_spoken[2], ToQString(seen::kPrompt));
    QCOMPARE(g_spoken[3], wrong);
    QCOMPARE(g_spoken[4], wrong);
}

void QuizWindowTest::enterPressesTheFocusedCommandButton() {
    Click(Firm(8));
    Click(Country(8));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        Command(1)->setFocus();
        QTest::keyClick(Command(1), Qt::Key_Space);
        QCOMPARE(ResultText(), kPrompt);
        Click(Firm(8));
        Click(Country(8));
        Command(0)->setFocus();
        QTest::keyClick(Command(0), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(ResultText(), Right(8));
    }
    // Enter anywhere else presses nothing: no button is the default one.
    ResultBox()->setFocus();
    Click(Command(1));
    ResultBox()->setFocus();
    QTest::keyClick(ResultBox(), Qt::Key_Return);
    QCOMPARE(ResultText(), kPrompt);
    QVERIFY(!Command(0)->isDefault() && !Command(1)->isDefault());
}

void QuizWindowTest::theWindowIsAWindowToAssistiveTechnology() {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window.get());
    QCOMPARE(iface->role(), QAccessible::Window);
    QCOMPARE(iface->text(QAccessible::Name), window->windowTitle());
}

int main(int argc, char** argv) { return kestrova::testing::RunUnlessUnjudged<QuizWindowTest>(argc, argv); }
#include "quiz_window_test.moc"
