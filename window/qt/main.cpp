#include <QApplication>

#include "kestrova_form.h"
#include "quiz_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kestrova::qt::QuizWindow window(kestrova::form::KestrovaForm());
    window.show();
    return app.exec();
}
