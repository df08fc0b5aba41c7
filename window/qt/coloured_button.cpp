#include "window/qt/coloured_button.h"

#include <QBrush>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace kestrova::qt {

ColouredButton::ColouredButton(QColor face, const QString& text, QWidget* parent)
    : QPushButton(text, parent), face_(face) {}

void ColouredButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QBrush fill(face_);
    const bool sunken = isDown() || isChecked();
    qDrawWinButton(&painter, rect(), palette(), sunken, &fill);

    const int shift = sunken ? 1 : 0;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = face_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ColouredButton::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace kestrova::qt
