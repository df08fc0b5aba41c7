// The quiz exactly as the program builds it, plus one thing: it quits as
// soon as its window has been painted for the first time.
#include <QApplication>
#include <QEvent>

#include "window/form/quiz_form.h"
#include "window/qt/quiz_window.h"

namespace {

class QuitAfterFirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // Queued: the rest of this paint and its flush to the screen
            // finish first.
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kestrova::qt::QuizWindow window(kestrova::form::QuizForm());
    QuitAfterFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
