// The tests' contrast function for the tests that are not in C++:
//   contrast_ratio R G B R G B
// prints the WCAG contrast ratio of two 8-bit colours times 100, rounded
// down, so that a shell can compare it with 300 for 3:1.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tests/support/contrast.h"

int main(int argc, char* argv[]) {
    if (argc != 7) {
        std::fputs("usage: contrast_ratio R G B R G B\n", stderr);
        return 2;
    }
    int v[6];
    for (int i = 0; i < 6; ++i) {
        char* end = nullptr;
        const long n = std::strtol(argv[i + 1], &end, 10);
        if (*argv[i + 1] == '\0' || *end != '\0' || n < 0 || n > 255) {
            std::fprintf(stderr, "contrast_ratio: %s is not a channel from 0 to 255\n", argv[i + 1]);
            return 2;
        }
        v[i] = static_cast<int>(n);
    }
    const double ratio = kestrova::testing::Contrast({v[0], v[1], v[2]}, {v[3], v[4], v[5]});
    std::printf("%d\n", static_cast<int>(std::floor(ratio * 100)));
}
