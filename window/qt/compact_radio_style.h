#pragma once

#include <QProxyStyle>

namespace kestrova::qt {

// The option buttons are only 121 px wide at 100 %, and the longest firm
// captions nearly fill that. This style, used for option buttons only, draws a
// slightly smaller indicator closer to its caption so no caption is clipped;
// everything else is left to the application's style.
class CompactRadioStyle : public QProxyStyle {
    Q_OBJECT

public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

}  // namespace kestrova::qt
