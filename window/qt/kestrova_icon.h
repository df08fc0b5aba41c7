#pragma once

#include <QIcon>

namespace kestrova::qt {

// The hamburger from resources/kestrova.xpm, compiled into the program.
QIcon KestrovaIcon();

}  // namespace kestrova::qt
