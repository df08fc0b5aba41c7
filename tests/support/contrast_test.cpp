// The tests' contrast function against WCAG's own figures.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/contrast.h"

namespace {

using kestrova::testing::Contrast;
using kestrova::testing::RelativeLuminance;

TEST(Contrast, BlackOnWhiteIsTwentyOneToOne) {
    EXPECT_DOUBLE_EQ(Contrast({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(Contrast({255, 255, 255}, {0, 0, 0}), 21.0);
    EXPECT_DOUBLE_EQ(Contrast({192, 255, 255}, {192, 255, 255}), 1.0);
}

TEST(Contrast, TheLightestGreyForSmallTextOnWhite) {
    // #767676 is the lightest grey that reaches 4.5:1 on white; #777777 is not.
    EXPECT_NEAR(Contrast({0x76, 0x76, 0x76}, {255, 255, 255}), 4.54, 0.005);
    EXPECT_LT(Contrast({0x77, 0x77, 0x77}, {255, 255, 255}), 4.5);
}

TEST(Contrast, ChannelsAreLinearUpToTheStandardsThreshold) {
    // 0.04 lies between 0.03928 (an old draft's threshold) and 0.04045.
    EXPECT_DOUBLE_EQ(RelativeLuminance(0.04, 0.04, 0.04), 0.04 / 12.92);
    EXPECT_DOUBLE_EQ(RelativeLuminance(0.5, 0.5, 0.5), std::pow(0.555 / 1.055, 2.4));
    // Green weighs most, blue least.
    EXPECT_DOUBLE_EQ(RelativeLuminance(0, 1, 0), 0.7152);
    EXPECT_DOUBLE_EQ(RelativeLuminance(1, 0, 0), 0.2126);
    EXPECT_DOUBLE_EQ(RelativeLuminance(0, 0, 1), 0.0722);
}

}  // namespace
