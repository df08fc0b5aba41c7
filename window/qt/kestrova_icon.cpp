#include "kestrova_icon.h"

#include <QPixmap>

#include "kestrova.xpm"

namespace kestrova::qt {

QIcon KestrovaIcon() { return QIcon(QPixmap(kestrova_xpm)); }

}  // namespace kestrova::qt
