#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "trig.h"

namespace {

TEST(TrigTest, ExactValuesAndResidues) {
    EXPECT_EQ(E2::sin_deg(0), 0.0f);
    EXPECT_EQ(E2::sin_deg(30), 0.5f);
    EXPECT_EQ(E2::sin_deg(90), 1.0f);
    EXPECT_EQ(E2::sin_deg(150), 0.5f);
    EXPECT_EQ(E2::sin_deg(210), -0.5f);
    EXPECT_EQ(E2::sin_deg(270), -1.0f);
    EXPECT_EQ(E2::cos_deg(0), 1.0f);
    EXPECT_EQ(E2::cos_deg(60), 0.5f);
    EXPECT_EQ(E2::cos_deg(120), -0.5f);
    EXPECT_EQ(E2::cos_deg(180), -1.0f);
    EXPECT_EQ(E2::cos_deg(300), 0.5f);

    EXPECT_EQ(E2::cos_deg(90), 6.1230318e-17f);
    EXPECT_EQ(E2::cos_deg(270), -1.8369095e-16f);
    EXPECT_EQ(E2::sin_deg(180), 1.2246064e-16f);
}

TEST(TrigTest, ReductionIsTheMathematicalModulo) {
    EXPECT_EQ(E2::sin_deg(-90), -1.0f);
    EXPECT_EQ(E2::sin_deg(450), 1.0f);
    EXPECT_EQ(E2::sin_deg(-1), E2::sin_deg(359));
    EXPECT_EQ(E2::sin_deg(-360), E2::sin_deg(0));
    EXPECT_EQ(E2::sin_deg(-361), E2::sin_deg(359));
    EXPECT_EQ(E2::cos_deg(-1), E2::cos_deg(359));
    EXPECT_EQ(E2::cos_deg(720), 1.0f);
    // INT_MIN = -5965233 * 360 + 232; INT_MAX = 5965232 * 360 + 127.
    EXPECT_EQ(E2::sin_deg(INT_MIN), E2::sin_deg(232));
    EXPECT_EQ(E2::cos_deg(INT_MIN), E2::cos_deg(232));
    EXPECT_EQ(E2::sin_deg(INT_MAX), E2::sin_deg(127));
    EXPECT_EQ(E2::cos_deg(INT_MAX), E2::cos_deg(127));
}

TEST(TrigTest, FastArctangentStaysClose) {
    float const pts[][2] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-0.5f, 2}, {3, -4}};
    for (auto const& p : pts)
        EXPECT_NEAR(E2::atan2_rad(p[0], p[1]), std::atan2(p[0], p[1]), 0.08) << p[0] << "," << p[1];
    EXPECT_NEAR(E2::atan2_rad(1, 0), 1.5707964f, 1e-6);
    EXPECT_LT(E2::atan2_rad(-1, 0), 0.0f);
}

}  // namespace
