#include "window/qt/focus_ring.h"

#include <QApplication>
#include <QPainter>

#include "window/form/form_rules.h"

namespace kestrova::qt {

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, &FocusRing::Follow);
}

void FocusRing::Follow(QWidget*, QWidget* now) {
    if (now == nullptr || !parentWidget()->isAncestorOf(now)) {
        hide();
        return;
    }
    setGeometry(QRect(now->mapTo(parentWidget(), QPoint(0, 0)), now->size()));
    raise();
    show();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QRect r = rect();
    const int width = form::FocusRingWidth(form::kReferenceDpi);
    painter.drawRect(0, 0, r.width(), width);
    painter.drawRect(0, r.height() - width, r.width(), width);
    painter.drawRect(0, 0, width, r.height());
    painter.drawRect(r.width() - width, 0, width, r.height());
}

}  // namespace kestrova::qt
