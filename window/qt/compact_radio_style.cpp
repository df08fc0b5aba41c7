#include "window/qt/compact_radio_style.h"

#include <QPainter>
#include <QStyleOption>
#include <algorithm>

#include "window/form/form_rules.h"

namespace kestrova::qt {

int CompactRadioStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return std::min(QProxyStyle::pixelMetric(metric, option, widget), form::IndicatorSize(form::kReferenceDpi));
    case PM_RadioButtonLabelSpacing:
        return std::min(QProxyStyle::pixelMetric(metric, option, widget), 3);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void CompactRadioStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    if (element != PE_IndicatorRadioButton) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A white face in a ring one pixel wide, and a dot a little under half
    // the face across when checked, in the caption's colour: it reads
    // against the face and against whatever the row or frame around it is.
    // Held down, the face darkens a little, as the application's style's does.
    const QPalette& palette = option->palette;
    const QColor ink = palette.color(QPalette::WindowText);
    QColor face = palette.color(QPalette::Base);
    if (option->state & State_Sunken) {
        face = QColor::fromRgbF(face.redF() * 0.85f + ink.redF() * 0.15f, face.greenF() * 0.85f + ink.greenF() * 0.15f,
                                face.blueF() * 0.85f + ink.blueF() * 0.15f);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    // The pen runs along the middle of the indicator's outermost pixels.
    const QRectF ring = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setPen(QPen(ink, 1.0));
    painter->setBrush(face);
    painter->drawEllipse(ring);
    if (option->state & State_On) {
        const qreal radius = ring.width() / 2 * 0.45;
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawEllipse(ring.center(), radius, radius);
    }
    painter->restore();
}

}  // namespace kestrova::qt
