// What the Linux window's result box holds after a run of clicks, for
// comparing other front ends with it. Each line of standard input is one
// run on a fresh window: control names such as "Option1(2) Command1(0)".
// Prints a JSON array with the box's exact text after each run.
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "window/form/quiz_form.h"
#include "window/qt/quiz_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const kestrova::form::Form form = kestrova::form::QuizForm();
    QJsonArray results;
    for (std::string line; std::getline(std::cin, line);) {
        kestrova::qt::QuizWindow window(form);
        window.show();
        std::istringstream names(line);
        for (std::string name; names >> name;) {
            QWidget* target = window.findChild<QWidget*>(QString::fromStdString(name));
            if (target == nullptr) {
                std::fprintf(stderr, "no control %s\n", name.c_str());
                return 2;
            }
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
        }
        results.append(QString::fromStdU16String(window.Binding().GetResultText()));
    }
    std::fputs(QJsonDocument(results).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
