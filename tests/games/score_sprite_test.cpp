// The counters of the play screen: how fast they count toward a change, and their sparks.

#include <gtest/gtest.h>

#include <climits>

#include "app_options.h"
#include "score_sprite.h"

namespace {

class ScoreCounter : public ::testing::Test {
protected:
    void SetUp() override {
        score_particles.clear();
        app_options().effects_quality = 1.0f;
        counter.load(nullptr);
    }
    void TearDown() override {
        score_particles.clear();
        app_options().effects_quality = 1.0f;
    }
    // The shown value after each of n ticks of dt.
    std::vector<int> count(int n, unsigned dt) {
        std::vector<int> shown;
        for (int i = 0; i < n; ++i) {
            counter.tick(now += dt, dt);
            shown.push_back(counter.shown);
        }
        return shown;
    }

    ScoreSprite counter;
    unsigned now = 0;
};

TEST_F(ScoreCounter, CountsFasterForLargerChangesAndSlowsNearTheEnd) {
    counter.sync(0);
    EXPECT_EQ(counter.text.text(), "0") << "an empty text is written even for an equal value";
    counter.add(150);
    EXPECT_EQ(count(1, 10), (std::vector<int>{3}));
    // 300 units a second while 100 or more are pending, then 100: 3 a frame, then 1.
    int frames = 1;
    while (counter.pending >= 100) {
        counter.tick(now += 10, 10);
        ++frames;
    }
    EXPECT_EQ(frames, 17);
    int const before = counter.shown;
    EXPECT_EQ(count(2, 10), (std::vector<int>{before + 1, before + 2}));
    while (counter.pending) counter.tick(now += 10, 10);
    EXPECT_EQ(counter.shown, 150);
    EXPECT_EQ(counter.text.text(), "150");

    counter.add(10);
    EXPECT_EQ(count(1, 5), (std::vector<int>{150})) << "a step of 0 at a small dt";
}

TEST_F(ScoreCounter, ALossOfAHundredOrMoreJumpsAndASmallerOneCountsDown) {
    counter.sync(200);
    counter.add(-143);
    EXPECT_EQ(count(1, 10), (std::vector<int>{57}));
    EXPECT_EQ(counter.pending, 0);
    counter.add(-55);
    EXPECT_EQ(count(3, 10), (std::vector<int>{56, 55, 54}));
    counter.sync(-12);
    EXPECT_EQ(counter.text.text(), "-12");
    EXPECT_EQ(counter.pending, 0);
    counter.target(-10);
    EXPECT_EQ(counter.pending, 2);
}

TEST_F(ScoreCounter, TheStepIsWorkedOutInUnsignedThirtyTwoBits) {
    EXPECT_EQ(ScoreSprite::step_for(1000, 100, 16), 33);
    EXPECT_EQ(ScoreSprite::step_for(50, 100, 16), 1);
    EXPECT_EQ(ScoreSprite::step_for(-100, 100, 16), 100);
    EXPECT_EQ(ScoreSprite::step_for(-99, 100, 16), 1);
    // Rates far beyond the signed range wrap without overflowing.
    EXPECT_GE(ScoreSprite::step_for(INT_MAX, 100, 1000), 0);
    // -21474836 x 200 + 100 wraps to 196.
    EXPECT_EQ(ScoreSprite::step_for(INT_MIN, 100, 16), 3);
    counter.add(INT_MIN);
    counter.tick(1, 16);
    EXPECT_EQ(counter.pending, INT_MIN + 3);
}

TEST_F(ScoreCounter, SparksRiseOnlyFromAnIncreaseAndOnlyWithRichEffects) {
    counter.set_pos({534, 738});
    counter.sync(10);
    counter.add(50);
    counter.tick(now += 60, 60);  // a step of 6
    EXPECT_EQ(counter.shown, 16);
    ASSERT_EQ(score_particles.size(), 3u);
    auto const* p = static_cast<ScoreParticle const*>(score_particles.first());
    EXPECT_EQ(p->p0.y, 738 + 18);
    EXPECT_GE(p->p0.x, 534);
    EXPECT_LE(p->p0.x, 534 + 18 * 2);
    EXPECT_LE(p->vel.y, -400);
    EXPECT_GE(p->vel.y, -800);
    EXPECT_GE(p->lifetime, 100u);
    EXPECT_LE(p->lifetime, 400u);
    EXPECT_EQ(p->image, 3);
    EXPECT_EQ(p->mode, static_cast<std::uint32_t>(E2::blend_additive));

    score_particles.clear();
    counter.add(-50);
    counter.tick(now += 60, 60);
    EXPECT_EQ(score_particles.size(), 0u) << "counting down";
    app_options().effects_quality = 0.5f;
    counter.add(50);
    counter.tick(now += 60, 60);
    EXPECT_EQ(score_particles.size(), 0u) << "particle weight 0";
    score_particles.tick(now += 1000, 1000);
}

}  // namespace
