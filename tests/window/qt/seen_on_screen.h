#pragma once

// Reading the quiz window the way its user meets it: the pixels the screen
// shows (the window's backing store, in device pixels) and the contrast
// between two of them.
#include <QBackingStore>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <qpa/qplatformbackingstore.h>

namespace kestrova::testing {

// The window as the screen shows it now, in device pixels: the backing
// store the platform shows. (The offscreen platform's own window grab is cut
// to the logical size when the scale is not 1.)
inline QImage Screenshot(QWidget* window) {
    window->repaint();
    return window->backingStore()->handle()->toImage();
}

// The window's own scale: device pixels per logical pixel.
inline double Scale(QWidget* window) { return window->windowHandle()->devicePixelRatio(); }

// A widget's place on the screenshot, in device pixels.
inline QRect DeviceRect(QWidget* window, QWidget* widget) {
    const double s = Scale(window);
    const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
    const int left = int(std::lround(r.left() * s)), top = int(std::lround(r.top() * s));
    const int right = int(std::lround((r.right() + 1) * s)), bottom = int(std::lround((r.bottom() + 1) * s));
    return {left, top, right - left, bottom - top};
}

// WCAG's contrast ratio of two opaque colours.
inline double Contrast(QColor a, QColor b) {
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    auto luminance = [&](QColor c) {
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double x = luminance(a) + 0.05, y = luminance(b) + 0.05;
    return x > y ? x / y : y / x;
}

// A focus ring measured across one edge of a control: the run of the ring's
// colour from the edge inwards, and what lies beside it on either side.
struct RingEdge {
    int width = 0;
    QColor ring, outside, inside;
};

// From `outside`, the first pixel past the control's edge, one step at a time
// by (dx, dy) into the control.
inline RingEdge MeasureRing(const QImage& shot, QPoint outside, QPoint step) {
    RingEdge edge;
    edge.outside = shot.pixelColor(outside);
    QPoint p = outside + step;
    edge.ring = shot.pixelColor(p);
    while (shot.rect().contains(p) && shot.pixelColor(p) == edge.ring && edge.width < 64) {
        ++edge.width;
        p += step;
    }
    if (shot.rect().contains(p)) edge.inside = shot.pixelColor(p);
    return edge;
}

}  // namespace kestrova::testing
