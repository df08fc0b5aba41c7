#include "kestrova_icon.h"

#include <QPixmap>

#include "kestrova.xpm"

namespace kestrova::qt {

QIcon KestrovaIcon() {
    const QPixmap art(kestrova_xpm);
    QIcon icon(art);
    // Pixel art stays crisp when each pixel is repeated a whole number of
    // times, never smoothed.
    for (int times : {2, 4, 8}) icon.addPixmap(art.scaled(art.size() * times, Qt::KeepAspectRatio, Qt::FastTransformation));
    icon.addPixmap(art.scaled(art.size() / 2, Qt::KeepAspectRatio, Qt::FastTransformation));
    return icon;
}

}  // namespace kestrova::qt
