// The Qt floor: the smallest Qt Widgets program that shows what the quiz
// shows (a heading, two frames of ten option buttons, two buttons and a
// text box holding 816 characters of Cyrillic text), written by hand with
// none of the project's code, quitting after its first paint.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(461, 382);
    window.setFont(QFont(QStringLiteral("Times New Roman"), 12));
    new QLabel(QStringLiteral(u"Заглавие"), &window);
    for (int frame = 0; frame < 2; ++frame) {
        auto* box = new QGroupBox(QStringLiteral(u"Група"), &window);
        box->setGeometry(64 + 184 * frame, 32, 145, 193);
        for (int i = 0; i < 10; ++i) {
            auto* option = new QRadioButton(QStringLiteral(u"Бутон %1").arg(i), box);
            option->setGeometry(8, 24 + 16 * i, 121, 19);
        }
        auto* button = new QPushButton(QStringLiteral(u"Бутон"), &window);
        button->setGeometry(64 + 224 * frame, 232, 105, 19);
    }
    QString text;
    while (text.size() < 816) text += QStringLiteral(u"Да се реализира проект, представящ връзки. ");
    text.truncate(816);
    auto* edit = new QPlainTextEdit(text, &window);
    edit->setGeometry(8, 256, 449, 121);

    struct Quit : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
                watched->removeEventFilter(this);
            }
            return false;
        }
    } quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
