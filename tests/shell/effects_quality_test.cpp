#include <gtest/gtest.h>

#include "app_options.h"
#include "effects_quality.h"

namespace {

class EffectsQuality : public ::testing::Test {
protected:
    AppOptions opts;
    void SetUp() override { bind_app_options(&opts); }
    void TearDown() override { bind_app_options(nullptr); }
};

TEST_F(EffectsQuality, ThresholdsAndWeight) {
    struct Row {
        float q;
        bool fade, glow, message, particles;
        float weight;
    };
    for (Row r : {Row{0.0f, false, false, false, false, 0.0f}, Row{0.09f, false, false, false, false, 0.0f},
                  Row{0.1f, true, false, false, false, 0.0f}, Row{0.15f, true, true, false, false, 0.0f},
                  Row{0.4f, true, true, true, false, 0.0f}, Row{0.5f, true, true, true, true, 0.0f},
                  Row{0.75f, true, true, true, true, 0.5f}, Row{1.0f, true, true, true, true, 1.0f},
                  Row{1.5f, true, true, true, true, 1.0f}}) {
        opts.effects_quality = r.q;
        EXPECT_EQ(_screen_fade_enabled(), r.fade) << r.q;
        EXPECT_EQ(_button_glow_enabled(), r.glow) << r.q;
        EXPECT_EQ(_message_fade_enabled(), r.message) << r.q;
        EXPECT_EQ(_particles_enabled(), r.particles) << r.q;
        EXPECT_FLOAT_EQ(_particles_weight(), r.weight) << r.q;
    }
}

TEST(AppOptionsBinding, DefaultsUntilBoundAndAfterUnbinding) {
    bind_app_options(nullptr);
    EXPECT_FLOAT_EQ(app_options().effects_quality, 1.0f);
    EXPECT_TRUE(_particles_enabled());
    AppOptions low;
    low.effects_quality = 0.0f;
    bind_app_options(&low);
    EXPECT_EQ(&app_options(), &low);
    EXPECT_FALSE(_screen_fade_enabled());
    bind_app_options(nullptr);
    EXPECT_TRUE(_screen_fade_enabled());
}

}  // namespace
