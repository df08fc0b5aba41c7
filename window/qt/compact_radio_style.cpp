#include "window/qt/compact_radio_style.h"

#include <QPainter>
#include <QStyleOption>

namespace kestrova::qt {
namespace {

QColor ToQColor(form::Rgb c) { return QColor(c.r, c.g, c.b); }
form::Rgb ToRgb(const QColor& c) {
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

}  // namespace

int CompactRadioStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return indicator_.circle.width;
    // Qt sets the caption this far after the circle's right edge; the circle
    // stands `circle.left` in (subElementRect), so the caption begins at
    // `captionLeft`.
    case PM_RadioButtonLabelSpacing:
        return indicator_.captionLeft - indicator_.circle.width;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect CompactRadioStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const {
    QRect r = QProxyStyle::subElementRect(element, option, widget);
    if (element == SE_RadioButtonIndicator) r.translate(indicator_.circle.left, 0);
    return r;
}

void CompactRadioStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    if (element != PE_IndicatorRadioButton) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A white face in its ring and, when checked, a dot in the caption's
    // colour: it reads against the face and against whatever the row or
    // frame around it is. Held down, the face darkens a little, as the
    // application's style's does.
    const QPalette& palette = option->palette;
    const QColor ink = palette.color(QPalette::WindowText);
    QColor face = palette.color(QPalette::Base);
    if (option->state & State_Sunken) face = ToQColor(form::HeldFace(ToRgb(face), ToRgb(ink)));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    // Where the form puts the circle in its button: the application's style
    // passes its own place, at the button's left edge.
    QRectF circle(option->rect);
    circle.moveLeft(indicator_.circle.left);
    // The pen runs along the middle of the ring.
    const qreal half = indicator_.ringWidth / 2.0;
    const QRectF ring = circle.adjusted(half, half, -half, -half);
    painter->setPen(QPen(ink, indicator_.ringWidth));
    painter->setBrush(face);
    painter->drawEllipse(ring);
    if (option->state & State_On) {
        const qreal inset = indicator_.dot.left - indicator_.circle.left;
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawEllipse(circle.adjusted(inset, inset, -inset, -inset));
    }
    painter->restore();
}

}  // namespace kestrova::qt
