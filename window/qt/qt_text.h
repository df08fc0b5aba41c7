#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kestrova::qt {

// The core's text and QString are both UTF-16, so these copy without
// re-encoding.
inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline QString ToQString(std::string_view ascii) {
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

}  // namespace kestrova::qt
