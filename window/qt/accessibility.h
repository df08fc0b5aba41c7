#pragma once

#include <QWidget>

namespace kestrova::qt {

// Gives widgets the roles assistive technology should hear where Qt's own
// differ: the quiz window is a window (not a filler), a label marked with
// the property kHeadingProperty is a heading, and an Announcer is a
// notification. Needs a QApplication; installing it twice is harmless.
void InstallAccessibleRoles();
inline constexpr char kHeadingProperty[] = "kestrovaHeading";

// Speaks a message through assistive technology without taking the focus.
// Qt 6.4 has no announcement call, so this is an invisible widget exposed
// as a notification whose name is the message; a screen reader speaks a
// notification as it appears, so each message shows it again.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void Announce(const QString& message);
    const QString& Message() const { return message_; }

private:
    QString message_;
};

}  // namespace kestrova::qt
