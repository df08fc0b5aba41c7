#pragma once

// Where the shared list puts a control, in whole pixels at a density, for
// every toolkit's tests: from its container's corner, as the list gives it,
// or from the window's client area. A framed control's place in the window
// is its frame's place plus its own, each rounded on its own, as the screen
// shows them: the frame at its pixels, the control at its pixels in it.
#include <algorithm>
#include <iterator>
#include <ostream>

#include "tests/support/what_users_see.h"

namespace kestrova::testing {

struct PixelPlace {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelPlace&) const = default;
};

// "left,top widthxheight", as a failed comparison shows it.
inline std::ostream& operator<<(std::ostream& out, const PixelPlace& p) {
    return out << p.left << ',' << p.top << ' ' << p.width << 'x' << p.height;
}

// Twips to pixels at `dpi` (1440 twips to the inch), halves up.
constexpr int TwipsAt(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

constexpr PixelPlace PlaceInContainer(const seen::Place& p, int dpi) {
    return {TwipsAt(p.left, dpi), TwipsAt(p.top, dpi), TwipsAt(p.width, dpi), TwipsAt(p.height, dpi)};
}

// `places`: the list's places, where the container is found.
template <typename Places>
PixelPlace PlaceInWindow(const seen::Place& p, const Places& places, int dpi) {
    PixelPlace r = PlaceInContainer(p, dpi);
    const auto container = std::find_if(std::begin(places), std::end(places),
                                        [&](const seen::Place& c) { return !p.in.empty() && c.control == p.in; });
    if (container != std::end(places)) {
        const PixelPlace outer = PlaceInWindow(*container, places, dpi);
        r.left += outer.left;
        r.top += outer.top;
    }
    return r;
}

// The density's row in `densities` (the shared list's), or none.
template <typename Densities>
constexpr const seen::AtDensity* DensityAt(const Densities& densities, int dpi) {
    const auto at = std::find_if(std::begin(densities), std::end(densities),
                                 [dpi](const seen::AtDensity& d) { return d.dpi == dpi; });
    return at == std::end(densities) ? nullptr : &*at;
}

}  // namespace kestrova::testing
