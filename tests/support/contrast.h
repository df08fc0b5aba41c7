#pragma once

// WCAG 2.2's contrast ratio, the one every C++ test measures with: colours
// as sRGB channels from 0 to 1 (or 0 to 255), opaque.
#include <cmath>
#include <cstdio>
#include <string>

namespace kestrova::testing {

// The relative luminance of an sRGB colour, channels from 0 to 1.
inline double RelativeLuminance(double r, double g, double b) {
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

// From 1 (the same luminance) to 21 (black on white), whichever is lighter.
inline double ContrastRatio(double luminanceA, double luminanceB) {
    const double x = luminanceA + 0.05, y = luminanceB + 0.05;
    return x > y ? x / y : y / x;
}

// Two colours of 8-bit channels.
struct Rgb8 {
    int r, g, b;
    bool operator==(const Rgb8&) const = default;
};
inline double Contrast(Rgb8 a, Rgb8 b) {
    return ContrastRatio(RelativeLuminance(a.r / 255.0, a.g / 255.0, a.b / 255.0),
                         RelativeLuminance(b.r / 255.0, b.g / 255.0, b.b / 255.0));
}

// "#rrggbb", for a test's message.
inline std::string Hex(Rgb8 c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r & 0xff, c.g & 0xff, c.b & 0xff);
    return text;
}

}  // namespace kestrova::testing
