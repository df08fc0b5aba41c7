#include "window/qt/kestrova_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include "resources/kestrova.xpm"

namespace kestrova::qt {
namespace {

// The hamburger at whatever size is asked for, made only then: pixel art
// stays crisp when each pixel is repeated a whole number of times (or every
// n-th kept), never smoothed.
class PixelArtIconEngine : public QIconEngine {
public:
    PixelArtIconEngine() : art_(kestrova_xpm) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        const int art = art_.width();
        const int scaled = side >= art ? side / art * art : art / ((art + side - 1) / side);
        return art_.scaled(scaled, scaled, Qt::KeepAspectRatio, Qt::FastTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap image = pixmap(rect.size(), mode, state);
        painter->drawPixmap(rect.x() + (rect.width() - image.width()) / 2,
                            rect.y() + (rect.height() - image.height()) / 2, image);
    }
    // X11 sends every size offered with the window at start-up; larger ones
    // come from the desktop's icon theme, through the desktop entry.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {32, 32}, {64, 64}, {128, 128}};
    }
    QIconEngine* clone() const override { return new PixelArtIconEngine; }

private:
    QPixmap art_;
};

}  // namespace

QIcon KestrovaIcon() { return QIcon(new PixelArtIconEngine); }

}  // namespace kestrova::qt
