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
#include <QList>
#include <QPair>
#include <algorithm>
#include <cmath>
#include <vector>
#include <qpa/qplatformbackingstore.h>

#include "tests/support/contrast.h"
#include "tests/support/option_circle.h"

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

// A widget's place on the screenshot, or of `part` of it (in the widget's
// own coordinates), in device pixels.
inline QRect DeviceRect(QWidget* window, QWidget* widget, QRect part = {}) {
    const double s = Scale(window);
    if (part.isNull()) part = widget->rect();
    const QRect r(widget->mapTo(window, part.topLeft()), part.size());
    const int left = int(std::lround(r.left() * s)), top = int(std::lround(r.top() * s));
    const int right = int(std::lround((r.right() + 1) * s)), bottom = int(std::lround((r.bottom() + 1) * s));
    return {left, top, right - left, bottom - top};
}

// Where `area` of the image differs from `paper`: the box around it, and
// every row and column with ink; an empty box where nothing does.
struct Ink {
    QRect box;
    QList<int> rows, columns;
};
inline Ink InkIn(const QImage& shot, QRect area, QColor paper) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (shot.pixelColor(x, y) == paper) continue;
            ink.box |= QRect(x, y, 1, 1);
            if (ink.rows.isEmpty() || ink.rows.back() != y) ink.rows << y;
            if (!ink.columns.contains(x)) ink.columns << x;
        }
    }
    std::ranges::sort(ink.columns);
    return ink;
}

// Runs of consecutive numbers, first and last: the lines of text in rows
// with ink, the marks side by side in columns.
inline QList<QPair<int, int>> Runs(const QList<int>& sorted) {
    QList<QPair<int, int>> runs;
    for (int n : sorted) {
        if (!runs.isEmpty() && runs.back().second + 1 == n) {
            runs.back().second = n;
        } else {
            runs.append({n, n});
        }
    }
    return runs;
}

// WCAG's contrast ratio of two opaque colours.
inline double Contrast(QColor a, QColor b) {
    return ContrastRatio(RelativeLuminance(a.redF(), a.greenF(), a.blueF()),
                         RelativeLuminance(b.redF(), b.greenF(), b.blueF()));
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

inline Rgb8 ToRgb8(QColor c) { return {c.red(), c.green(), c.blue()}; }

// An option button's circle measured along one line from its middle out
// past its edge, at `circle` (device pixels) on the screenshot, one `step`
// at a time.
inline CircleLine MeasureCircle(const QImage& shot, QRect circle, QPoint step, bool dot) {
    std::vector<Rgb8> line;
    for (QPoint p = circle.center(); circle.contains(p - step - step); p += step) {
        line.push_back(ToRgb8(shot.pixelColor(p)));
    }
    return MeasureCircleLine(line, dot);
}

}  // namespace kestrova::testing
