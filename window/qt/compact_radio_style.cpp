#include "window/qt/compact_radio_style.h"

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

}  // namespace kestrova::qt
