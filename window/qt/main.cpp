#include <QApplication>

#include "window/form/quiz_form.h"
#include "window/qt/quiz_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Docks and task switchers find the program's name and icon by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTROVA_APP_ID));
    kestrova::qt::QuizWindow window(kestrova::form::QuizForm());
    window.show();
    return app.exec();
}
