// The quiz window while the scaling changes under it: moved to a screen of
// another density, and its screen's density changed in place. After each, it
// must look exactly as a window opened there does, at the size and with the
// focus ring what_users_see.h gives for that density, its layout unchanged in
// logical pixels. The offscreen platform's screens are set while running,
// as a desktop's displays would change.
#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>

#include "window/form/quiz_form.h"
#include "window/qt/quiz_window.h"
#include "tests/support/places.h"
#include "tests/window/qt/seen_on_screen.h"
#include "tests/support/what_users_see.h"

namespace seen = kestrova::testing::seen;
using kestrova::qt::QuizWindow;
using kestrova::testing::DeviceRect;
using kestrova::testing::Screenshot;

namespace {

// Two screens side by side, 1000 device pixels square, at these densities.
void SetScreens(int leftDpi, int rightDpi) {
    QPlatformNativeInterface* platform = QGuiApplication::platformNativeInterface();
    using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    auto set = reinterpret_cast<SetConfiguration>(platform->nativeResourceForIntegration("setConfiguration"));
    QVERIFY2(set != nullptr, "the offscreen platform cannot change its screens");
    auto screen = [](const char* name, int x, int dpi) {
        return QJsonObject{{"name", name},         {"x", x},           {"y", 0},
                           {"width", 1000},        {"height", 1000},   {"logicalDpi", dpi},
                           {"logicalBaseDpi", 96}, {"dpr", 1.0}};
    };
    set(QJsonObject{{"screens", QJsonArray{screen("left", 0, leftDpi), screen("right", 1000, rightDpi)}}}, platform);
    QTest::qWait(20);
}

QScreen* ScreenNamed(const char* name) {
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->name() == QLatin1String(name)) return s;
    }
    qFatal("no screen %s", name);
}

const seen::AtDensity& At(int dpi) {
    if (const auto* d = kestrova::testing::DensityAt(seen::kDensities, dpi)) return *d;
    qFatal("no density %d in what_users_see.h", dpi);
}

// Where each control stands, by its name (Qt's own parts are "qt_...").
QMap<QString, QRect> Layout(QWidget* window) {
    QMap<QString, QRect> places;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            places[w->objectName()] = w->geometry();
        }
    }
    return places;
}

}  // namespace

class ScalingChangeTest : public QObject {
    Q_OBJECT

private slots:
    void windowFollowsAChangeOfScaling();

private:
    // Shows `window` activated on `screen` with the evaluate button focused,
    // and returns what the screen shows.
    QImage Focused(QuizWindow& window) {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qFatal("the window does not become active");
        window.findChild<QPushButton*>("Command1(0)")->setFocus(Qt::TabFocusReason);
        return Screenshot(&window);
    }
    void Check(const char* step, const char* screen, int dpi);

    std::unique_ptr<QuizWindow> window;
    QMap<QString, QRect> layout;
};

void ScalingChangeTest::Check(const char* step, const char* screenName, int dpi) {
    const seen::AtDensity& d = At(dpi);
    QScreen* screen = ScreenNamed(screenName);
    QCOMPARE(window->screen(), screen);
    QCOMPARE(kestrova::testing::Scale(window.get()) * seen::kDensities[0].dpi, double(dpi));
    const QImage shot = Focused(*window);

    QCOMPARE(window->windowHandle()->handle()->geometry().size(), QSize(d.clientWidth, d.clientHeight));
    QCOMPARE(shot.size(), QSize(d.clientWidth, d.clientHeight));
    QCOMPARE(Layout(window.get()), layout);
    QWidget* button = window->findChild<QPushButton*>("Command1(0)");
    const QRect r = DeviceRect(window.get(), button);
    const auto ring = kestrova::testing::MeasureRing(shot, {r.right() + 1, r.center().y()}, {-1, 0});
    QVERIFY2(ring.width == d.ringWidth, qPrintable(QStringLiteral("%1: the ring is %2 px").arg(step).arg(ring.width)));

    // As a window opened on that screen looks.
    QuizWindow fresh(kestrova::form::QuizForm());
    fresh.move(screen->geometry().topLeft() + QPoint(20, 20));
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    const QImage expected = Focused(fresh);
    fresh.close();
    QVERIFY2(shot == expected, step);
}

// A step's failure ends the test there.
#define STEP(call)                                   \
    do {                                             \
        call;                                        \
        if (QTest::currentTestFailed()) return;      \
    } while (false)

void ScalingChangeTest::windowFollowsAChangeOfScaling() {
    STEP(SetScreens(96, 144));
    window = std::make_unique<QuizWindow>(kestrova::form::QuizForm());
    window->move(ScreenNamed("left")->geometry().topLeft() + QPoint(20, 20));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    layout = Layout(window.get());
    QCOMPARE(layout.size(), 28);
    STEP(Check("opened", "left", 96));

    window->move(ScreenNamed("right")->geometry().topLeft() + QPoint(20, 20));
    STEP(Check("moved to a screen at 144 dpi", "right", 144));

    STEP(SetScreens(96, 192));
    STEP(Check("its screen changed to 192 dpi", "right", 192));

    window->move(ScreenNamed("left")->geometry().topLeft() + QPoint(20, 20));
    STEP(Check("moved back", "left", 96));

    STEP(SetScreens(144, 192));
    STEP(Check("its screen changed to 144 dpi", "left", 144));
}

QTEST_MAIN(ScalingChangeTest)
#include "scaling_change_test.moc"
