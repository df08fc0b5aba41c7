#pragma once

// The window's font is Times New Roman, as on Windows. Linux has it only by
// its metric twin, Liberation Serif (fonts-liberation2, which the program
// depends on), so captions take the same room. Without either, whether a
// caption fits cannot be judged: the check is skipped and says why, and a run
// that skipped such a check and failed none exits 77, the tests' "skipped".
#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QString>
#include <QStringList>
#include <QTest>
#include <cstdio>

namespace kestrova::testing {

// Why the room text takes in `font` cannot be judged here; empty when it can.
inline QString MetricFontMissing(const QFont& font) {
    const QString drawn_in = QFontInfo(font).family();
    if (drawn_in == font.family() || (font.family() == u"Times New Roman" && drawn_in == u"Liberation Serif")) {
        return {};
    }
    return font.family() + " is drawn in " + drawn_in +
           " here, not in its metric twin Liberation Serif (fonts-liberation2)";
}

// The reasons of the checks that could not be judged in this run.
inline QStringList& Unjudged() {
    static QStringList reasons;
    return reasons;
}

// QTEST_MAIN's widget form, which reports a run with unjudged checks and no
// failure as skipped.
template <typename TestObject>
int RunUnlessUnjudged(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestObject test;
    const int failures = QTest::qExec(&test, argc, argv);
    if (failures == 0 && !Unjudged().isEmpty()) {
        std::printf("SKIPPED: %s\n", qPrintable(Unjudged().join("; ")));
        return 77;
    }
    return failures;
}

}  // namespace kestrova::testing
