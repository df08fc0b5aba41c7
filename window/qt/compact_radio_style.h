#pragma once

#include <QProxyStyle>

#include "window/form/form_rules.h"

namespace kestrova::qt {

// The option buttons are only 121 px wide at 100 %, and the longest firm
// captions nearly fill that. This style, used for option buttons only, draws
// the indicator where the form puts it (form::OptionIndicatorIn): smaller
// than the application style's and closer to its caption, so no caption is
// clipped. It draws the indicator itself: the application's style rings it
// in a shade of the window's colour, faint on the light rows and frames
// around it, so here the ring and the dot take the caption's colour.
// Everything else is left to the application's style.
class CompactRadioStyle : public QProxyStyle {
    Q_OBJECT

public:
    // `indicator`: the option rows' circle at the reference density, which
    // Qt scales with the window.
    explicit CompactRadioStyle(const form::OptionIndicator& indicator) : indicator_(indicator) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    const form::OptionIndicator indicator_;
};

}  // namespace kestrova::qt
