// The quiz window checked against what_users_see.h at one screen density,
// from outside: the pixels the screen shows, the widgets' own state and what
// assistive technology reads. Qt reaches a density by its scale factor, so
// ctest runs this once each with QT_SCALE_FACTOR 1, 1.5 and 2 and
// KESTROVA_DPI naming the density that must result.
#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <qpa/qplatformwindow.h>

#include "window/form/quiz_form.h"
#include "window/qt/quiz_window.h"
#include "tests/support/places.h"
#include "tests/support/what_users_see.h"
#include "tests/window/qt/seen_on_screen.h"

namespace seen = kestrova::testing::seen;
using kestrova::testing::Contrast;
using kestrova::testing::DeviceRect;
using kestrova::testing::Ink;
using kestrova::testing::InkIn;
using kestrova::testing::MeasureRing;
using kestrova::testing::Screenshot;

namespace {

QString Named(std::string_view name) { return QString::fromLatin1(name.data(), qsizetype(name.size())); }

// Every node of the accessibility tree under `root`, root first.
void Walk(QAccessibleInterface* root, QList<QAccessibleInterface*>& out) {
    out << root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* child = root->child(i)) Walk(child, out);
    }
}

}  // namespace

class WhatUsersSeeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clientSizeIsTheDensitysOwn();
    void focusRingIsWideAndContrasts_data();
    void focusRingIsWideAndContrasts();
    void optionCirclesStandOut_data();
    void optionCirclesStandOut();
    void headingIsCentred();
    void resultBoxWrapsLongLines();
    void resultBoxScrollsTakesNoTypingAndIsNamed();
    void commandButtonsShowTheirColoursAndLookPressed();
    void noMinimiseOrMaximiseButton();
    void hiddenControlsAreOffScreenAndOutOfTheTree();
    void upperOptionRowCoversTheOverlap();

private:
    template <typename T = QWidget>
    T* Control(const QString& name) const {
        T* w = window->findChild<T*>(name);
        if (w == nullptr) qFatal("no control %s", qPrintable(name));
        return w;
    }
    double S() const { return kestrova::testing::Scale(window.get()); }
    // "Nokia", "Финландия", "Изведи", clicked.
    void AnswerRightByMouse() const {
        QTest::mouseClick(Control<QRadioButton>("Option1(2)"), Qt::LeftButton, {}, QPoint(8, 9));
        QTest::mouseClick(Control<QRadioButton>("Option2(2)"), Qt::LeftButton, {}, QPoint(8, 9));
        QTest::mouseClick(Control<QPushButton>("Command1(0)"), Qt::LeftButton);
    }

    seen::AtDensity density{};
    std::unique_ptr<kestrova::qt::QuizWindow> window;
};

void WhatUsersSeeTest::initTestCase() {
    const auto* at = kestrova::testing::DensityAt(seen::kDensities, qEnvironmentVariableIntValue("KESTROVA_DPI"));
    QVERIFY2(at != nullptr, "KESTROVA_DPI names no density of what_users_see.h");
    density = *at;
}

void WhatUsersSeeTest::init() {
    window = std::make_unique<kestrova::qt::QuizWindow>(kestrova::form::QuizForm());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(S() * seen::kDensities[0].dpi, double(density.dpi));
}

void WhatUsersSeeTest::cleanup() { window.reset(); }

void WhatUsersSeeTest::clientSizeIsTheDensitysOwn() {
    const QSize client(density.clientWidth, density.clientHeight);
    QCOMPARE(Screenshot(window.get()).size(), client);
    QCOMPARE(window->windowHandle()->handle()->geometry().size(), client);
}

void WhatUsersSeeTest::focusRingIsWideAndContrasts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("acrossTopAndBottom");
    // An option row's top and bottom lie on its neighbours', so only its
    // sides are measured.
    QTest::newRow("firm") << "Option1(2)" << false;
    QTest::newRow("country") << "Option2(9)" << false;
    QTest::newRow("evaluate") << "Command1(0)" << true;
    QTest::newRow("clear") << "Command1(1)" << true;
}

void WhatUsersSeeTest::focusRingIsWideAndContrasts() {
    QFETCH(QString, control);
    QFETCH(bool, acrossTopAndBottom);
    QWidget* w = Control(control);
    w->setFocus(Qt::TabFocusReason);
    const QImage shot = Screenshot(window.get());
    const QRect r = DeviceRect(window.get(), w);
    const int midX = r.left() + r.width() / 2, midY = r.top() + r.height() / 2;
    struct Edge {
        const char* name;
        QPoint outside, step;
    };
    QList<Edge> edges{{"left", {r.left() - 1, midY}, {1, 0}}, {"right", {r.right() + 1, midY}, {-1, 0}}};
    if (acrossTopAndBottom) {
        edges << Edge{"top", {midX, r.top() - 1}, {0, 1}} << Edge{"bottom", {midX, r.bottom() + 1}, {0, -1}};
    }
    for (const Edge& e : edges) {
        const auto ring = MeasureRing(shot, e.outside, e.step);
        const QString where = control + " " + e.name + QStringLiteral(": ring %1 px %2, outside %3, inside %4")
                                                           .arg(ring.width)
                                                           .arg(ring.ring.name(), ring.outside.name(), ring.inside.name());
        QVERIFY2(ring.width == density.ringWidth, qPrintable(where));
        QVERIFY2(Contrast(ring.ring, ring.outside) >= seen::kLeastRingContrast, qPrintable(where));
        QVERIFY2(Contrast(ring.ring, ring.inside) >= seen::kLeastRingContrast, qPrintable(where));
    }
}

void WhatUsersSeeTest::optionCirclesStandOut_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("checked");
    QTest::newRow("firm, unchecked") << "Option1(0)" << "firm" << false;
    QTest::newRow("firm, checked") << "Option1(2)" << "firm" << true;
    QTest::newRow("country, unchecked") << "Option2(0)" << "country" << false;
    QTest::newRow("country, checked") << "Option2(2)" << "country" << true;
}

void WhatUsersSeeTest::optionCirclesStandOut() {
    QFETCH(QString, control);
    QFETCH(QString, rows);
    QFETCH(bool, checked);
    AnswerRightByMouse();
    auto* button = Control<QRadioButton>(control);
    QCOMPARE(button->isChecked(), checked);
    const QImage shot = Screenshot(window.get());

    // The row shows its colour, below the circle.
    const auto colour = std::ranges::find(seen::kOptionRowColours, rows.toStdString(), &seen::OptionRowColour::rows);
    QVERIFY(colour != std::end(seen::kOptionRowColours));
    const QRect row = DeviceRect(window.get(), button);
    QCOMPARE(shot.pixelColor(row.left() + 1, row.bottom() - 1), QColor(colour->r, colour->g, colour->b));

    QStyleOptionButton option;
    option.initFrom(button);
    const QRect circle = DeviceRect(window.get(), button,
                                    button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button));
    struct Way {
        const char* name;
        QPoint step;
    };
    // To the left lies the frame, elsewhere the row. Every side is told,
    // then judged.
    QStringList faults;
    for (const Way& way : {Way{"left", {-1, 0}}, Way{"right", {1, 0}}, Way{"up", {0, -1}}, Way{"down", {0, 1}}}) {
        const auto m = kestrova::testing::MeasureCircle(shot, circle, way.step, checked);
        const QString what = QStringLiteral("%1 at %2 dpi, %3: %4")
                                 .arg(control).arg(density.dpi).arg(way.name)
                                 .arg(QString::fromStdString(kestrova::testing::Described(m)));
        qInfo("%s", qPrintable(what));
        for (const std::string& fault : kestrova::testing::CircleFaults(m, checked, seen::kLeastCircleContrast)) {
            faults << QString::fromStdString(fault) + ": " + what;
        }
        // Not held, the face is the window colour, checked or not.
        if (m.face != kestrova::testing::ToRgb8(button->palette().color(QPalette::Base))) {
            faults << "the face is not the window colour: " + what;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void WhatUsersSeeTest::headingIsCentred() {
    QWidget* heading = Control("Label1(0)");
    const QImage shot = Screenshot(window.get());
    const QRect r = DeviceRect(window.get(), heading);
    const Ink ink = InkIn(shot, r, shot.pixelColor(r.topLeft()));
    QVERIFY2(ink.box.width() > r.width() / 3, "the heading shows no text");
    // Twice the middles, so that halves count.
    const int inkMiddle2 = ink.box.left() + ink.box.right() + 1, labelMiddle2 = r.left() + r.right() + 1;
    const QString what = QStringLiteral("ink from %1 to %2 in a label from %3 to %4")
                             .arg(ink.box.left()).arg(ink.box.right()).arg(r.left()).arg(r.right());
    QVERIFY2(std::abs(inkMiddle2 - labelMiddle2) <= 2 * seen::kHeadingCentreSlack * S(), qPrintable(what));
    const int above = ink.box.top() - r.top(), below = r.bottom() - ink.box.bottom();
    const QString height = QStringLiteral("%1 px above the ink and %2 px below it").arg(above).arg(below);
    QVERIFY2((above < below) == seen::kHeadingAtTop, qPrintable(height));
}

void WhatUsersSeeTest::resultBoxWrapsLongLines() {
    // Nokia's description is one long line; shown after a right answer.
    AnswerRightByMouse();
    auto* box = Control<QPlainTextEdit>("Text1(0)");
    const QImage shot = Screenshot(window.get());
    const QRect page = DeviceRect(window.get(), box->viewport());
    const Ink ink = InkIn(shot, page, box->palette().color(QPalette::Base));
    // The verdict, then the description over every line the box shows.
    const int shown = int(page.height() / (box->fontMetrics().lineSpacing() * S()));
    const auto lines = kestrova::testing::Runs(ink.rows).size();
    QVERIFY2(lines >= shown, qPrintable(QStringLiteral("%1 lines of %2").arg(lines).arg(shown)));
    // Nothing reaches the right edge, where a line too long would be cut off.
    const int margin = int(box->document()->documentMargin() * S());
    QVERIFY2(ink.box.right() < page.right() - margin / 2,
             qPrintable(QStringLiteral("ink to %1, the page ends at %2").arg(ink.box.right()).arg(page.right())));
    // And the box says so itself.
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(box->wordWrapMode() != QTextOption::NoWrap);
}

void WhatUsersSeeTest::resultBoxScrollsTakesNoTypingAndIsNamed() {
    auto* box = Control<QPlainTextEdit>("Text1(0)");
    // The assignment is longer than the box.
    QScrollBar* bar = box->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
    QVERIFY(DeviceRect(window.get(), bar).intersects(DeviceRect(window.get(), box)));
    const QString before = box->toPlainText();
    const QImage shotBefore = Screenshot(window.get());
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->toPlainText(), before);
    QCOMPARE(Screenshot(window.get()), shotBefore);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(iface->text(QAccessible::Name), QString::fromStdU16String(std::u16string(seen::kResultBoxName)));
    QVERIFY(iface->state().readOnly);
    // Assistive technology finds the scroll bar too.
    QList<QAccessibleInterface*> nodes;
    Walk(iface, nodes);
    QVERIFY(std::ranges::any_of(nodes, [](QAccessibleInterface* n) {
        return n->role() == QAccessible::ScrollBar && !n->state().invisible;
    }));
    // The only voice of the window: one notification speaks the verdicts
    // (Qt 6.4 has no live regions to count instead).
    nodes.clear();
    Walk(QAccessible::queryAccessibleInterface(window.get()), nodes);
    QCOMPARE(std::ranges::count(nodes, QAccessible::Notification, &QAccessibleInterface::role), 1);
}

void WhatUsersSeeTest::commandButtonsShowTheirColoursAndLookPressed() {
    for (const seen::CommandColour& c : seen::kCommandColours) {
        auto* button = Control<QPushButton>(QStringLiteral("Command1(%1)").arg(c.index));
        const QColor face(c.r, c.g, c.b);
        // The focus ring comes first, so that only the press changes the look.
        button->setFocus();
        const QRect r = DeviceRect(window.get(), button);
        const QImage up = Screenshot(window.get()).copy(r);
        auto faceShare = [&](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == face;
            }
            return double(n) / (image.width() * image.height());
        };
        QVERIFY2(faceShare(up) > 0.5, qPrintable(button->objectName()));

        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        const QImage down = Screenshot(window.get()).copy(r);
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
        int changed = 0;
        for (int y = 0; y < up.height(); ++y) {
            for (int x = 0; x < up.width(); ++x) changed += up.pixel(x, y) != down.pixel(x, y);
        }
        const double share = double(changed) / (up.width() * up.height());
        QVERIFY2(share >= seen::kLeastPressedChange,
                 qPrintable(QStringLiteral("%1: %2 of its pixels change when pressed").arg(button->objectName()).arg(share)));
        // Pressed, it is still its colour.
        QVERIFY2(faceShare(down) > 0.5, qPrintable(button->objectName()));
    }
}

void WhatUsersSeeTest::noMinimiseOrMaximiseButton() {
    // What the window asks of the window system, not only what the widget holds.
    const Qt::WindowFlags flags = window->windowHandle()->flags();
    QCOMPARE(bool(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)), seen::kMinimiseOrMaximise);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    // Nor can it be made larger.
    QCOMPARE(window->windowHandle()->minimumSize(), window->windowHandle()->maximumSize());
}

void WhatUsersSeeTest::hiddenControlsAreOffScreenAndOutOfTheTree() {
    const QImage shot = Screenshot(window.get());
    const QColor background = shot.pixelColor(1, 1);
    QList<QAccessibleInterface*> nodes;
    Walk(QAccessible::queryAccessibleInterface(window.get()), nodes);
    for (std::string_view name : seen::kHiddenControls) {
        QWidget* hidden = Control(Named(name));
        QVERIFY2(!hidden->isVisible(), name.data());
        // Where it would stand, the window shows what lies beneath it.
        const QRect area = QRect(hidden->mapTo(window.get(), QPoint(0, 0)), hidden->size()) & window->rect();
        for (int y = area.top(); y <= area.bottom(); y += 3) {
            for (int x = area.left(); x <= area.right(); x += 3) {
                QWidget* at = window->childAt(x, y);
                QVERIFY2(at == nullptr || (at != hidden && !hidden->isAncestorOf(at)), name.data());
                if (at == nullptr) {
                    // The middle of the logical pixel, clear of any neighbour's edge.
                    const QPoint device(int((x + 0.5) * S()), int((y + 0.5) * S()));
                    QVERIFY2(shot.pixelColor(device) == background, name.data());
                }
            }
        }
        // Assistive technology may know of it, but as invisible, and a
        // pointer over its place does not find it.
        int found = 0;
        for (QAccessibleInterface* n : nodes) {
            if (n->object() != hidden && !hidden->isAncestorOf(qobject_cast<QWidget*>(n->object()))) continue;
            ++found;
            QVERIFY2(n->state().invisible, name.data());
        }
        QVERIFY2(found > 0, name.data());
        const QPoint middle = hidden->mapToGlobal(hidden->rect().center());
        QAccessibleInterface* hit = QAccessible::queryAccessibleInterface(window.get())->childAt(middle.x(), middle.y());
        QVERIFY2(hit == nullptr || hit->object() != hidden, name.data());
    }
}

void WhatUsersSeeTest::upperOptionRowCoversTheOverlap() {
    // In logical pixels.
    const int overlap = kestrova::testing::TwipsAt(seen::kRowOverlapTwips, seen::kDensities[0].dpi);
    const QImage shot = Screenshot(window.get());
    int distinct = 0, pairs = 0;
    for (const char* frameName : {"Frame1(0)", "Frame1(1)"}) {
        QList<QRadioButton*> rows = Control(frameName)->findChildren<QRadioButton*>();
        std::ranges::sort(rows, {}, [](QWidget* b) { return b->y(); });
        for (qsizetype i = 1; i < rows.size(); ++i) {
            QRadioButton *upper = rows[i - 1], *lower = rows[i];
            const QString pair = upper->text() + " over " + lower->text();
            QCOMPARE(upper->geometry().bottom() + 1 - lower->y(), overlap);
            // A pointer inside the overlap is on the upper row.
            const QPoint inOverlap(lower->x() + lower->width() / 2, lower->y() + overlap / 2);
            QVERIFY2(upper->parentWidget()->childAt(inOverlap) == upper, qPrintable(pair));
            // The screen shows the upper row's own pixels there.
            const QImage upperAlone = upper->grab().toImage(), lowerAlone = lower->grab().toImage();
            const QRect onScreen = DeviceRect(window.get(), lower);
            const int bandTop = onScreen.top() - DeviceRect(window.get(), upper).top();
            // Whole device pixels of the overlap only.
            for (int dy = 0; dy < int(overlap * S()); ++dy) {
                bool rowDiffers = false;
                for (int x = 0; x < onScreen.width() && x < upperAlone.width(); ++x) {
                    const QRgb shown = shot.pixel(onScreen.left() + x, onScreen.top() + dy);
                    QVERIFY2(shown == upperAlone.pixel(x, bandTop + dy), qPrintable(pair));
                    rowDiffers = rowDiffers || upperAlone.pixel(x, bandTop + dy) != lowerAlone.pixel(x, dy);
                }
                distinct += rowDiffers;
            }
            ++pairs;
        }
    }
    QCOMPARE(pairs, 18);
    // Some captions reach into the overlap, so the order shows.
    QVERIFY(distinct > 0);
}

QTEST_MAIN(WhatUsersSeeTest)
#include "what_users_see_test.moc"
