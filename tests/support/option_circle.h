#pragma once

// An option button's circle as its user sees it, for every toolkit's tests:
// measured along one line of pixels from its middle out past its edge, and
// judged against the least contrast the shared list asks.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/contrast.h"

namespace kestrova::testing {

// The boundary is the line's pixel that stands out most from what lies
// outside (smoothing blends the rest into their neighbours). The face is
// what the circle holds inside the boundary: in an empty circle its middle,
// around a dot the pixel that stands out most from both the dot and the
// boundary.
struct CircleLine {
    Rgb8 outside{}, boundary{}, face{}, middle{};
    bool empty = true;  // the inner half of the line is the middle's colour
};

// `line`: the circle's middle first, then outwards to two pixels past its
// edge. `dot`: the circle is checked, so its middle is the dot.
inline CircleLine MeasureCircleLine(const std::vector<Rgb8>& line, bool dot) {
    CircleLine m;
    if (line.size() < 2) return m;
    m.middle = line.front();
    m.outside = line.back();
    std::size_t edge = line.size() / 2;
    for (std::size_t i = edge; i + 1 < line.size(); ++i) {
        if (Contrast(line[i], m.outside) > Contrast(line[edge], m.outside)) edge = i;
    }
    m.boundary = line[edge];
    for (std::size_t i = 0; i <= edge / 2; ++i) m.empty = m.empty && line[i] == m.middle;
    m.face = m.middle;
    if (dot) {
        auto apart = [&](Rgb8 c) {
            const double a = Contrast(c, m.middle), b = Contrast(c, m.boundary);
            return a < b ? a : b;
        };
        for (std::size_t i = 1; i < edge; ++i) {
            if (apart(line[i]) > apart(m.face)) m.face = line[i];
        }
    }
    return m;
}

// The colours met and their contrasts, for a test's message.
inline std::string Described(const CircleLine& m) {
    char text[160];
    std::snprintf(text, sizeof text, "outside %s, boundary %s, face %s, middle %s; boundary %.2f:1 outside, "
                  "%.2f:1 face; middle %.2f:1 face", Hex(m.outside).c_str(), Hex(m.boundary).c_str(),
                  Hex(m.face).c_str(), Hex(m.middle).c_str(), Contrast(m.boundary, m.outside),
                  Contrast(m.boundary, m.face), Contrast(m.middle, m.face));
    return text;
}

// What a user would find unclear along the line: a boundary faint against
// what is outside or against its face, a checked circle's faint dot, an
// unchecked circle showing one. Empty when the circle reads clearly.
inline std::vector<std::string> CircleFaults(const CircleLine& m, bool checked, double least) {
    std::vector<std::string> faults;
    if (Contrast(m.boundary, m.outside) < least) faults.push_back("the boundary is faint outside");
    if (Contrast(m.boundary, m.face) < least) faults.push_back("the boundary is faint inside");
    if (checked && Contrast(m.middle, m.face) < least) faults.push_back("the dot is faint");
    if (!checked && !m.empty) faults.push_back("an unchecked circle shows a dot");
    return faults;
}

}  // namespace kestrova::testing
