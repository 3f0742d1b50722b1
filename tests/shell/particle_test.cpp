#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "memory.h"
#include "particle.h"
#include "particle_button.h"
#include "particle_engine.h"
#include "particle_images.h"
#include "support.h"
#include "widget_support.h"

namespace {

using test::take_jobs;

// Images 0 and 2 of `particles` are test images (8x8 and 16x4) for the test's lifetime.
class Particles : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        std::copy(std::begin(particles), std::end(particles), saved);
        particles[0] = img0.get();
        particles[2] = img2.get();
        std::srand(7);
    }
    void TearDown() override {
        std::copy(std::begin(saved), std::end(saved), particles);
        test::Widgets::TearDown();
    }
    static E2::Particle* at(int x, int y, unsigned lifetime) {
        auto* p = new E2::Particle();
        p->p0 = {x, y};
        p->lifetime = lifetime;
        return p;
    }

    std::unique_ptr<Surf> img0 = test::solid_surf(8, 8, 0xFFFFFFFF);
    std::unique_ptr<Surf> img2 = test::solid_surf(16, 4, 0xFFFFFFFF);
    Surf* saved[particle_image_count];
};

TEST_F(Particles, LivesThroughItsLifetimeAndDiesOnTheTickPastIt) {
    E2::ParticleEngine eng;
    eng.add(at(100, 100, 1000));
    eng.add(nullptr);
    eng.tick(0, 1000);
    ASSERT_FALSE(eng.empty());
    eng.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].ai, 0);  // the end intensity
    EXPECT_EQ(jobs[0].color.value(), 0x000000FFu);
    eng.tick(0, 1);
    EXPECT_TRUE(eng.empty());
}

TEST_F(Particles, NewestIsDrawnFirstAndOnlyDeadOnesAreDropped) {
    E2::ParticleEngine eng;
    eng.add(at(10, 10, 100));
    eng.add(at(20, 20, 500));
    eng.add(at(30, 30, 100));
    eng.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].rect.x, 30 - 4);
    EXPECT_EQ(jobs[2].rect.x, 10 - 4);
    eng.tick(0, 200);
    ASSERT_EQ(eng.size(), 1u);
    EXPECT_EQ(eng.first()->p0.x, 20);
    eng.clear();
    EXPECT_TRUE(eng.empty());
}

TEST_F(Particles, InterpolatesColourIntensityAndPosition) {
    E2::Particle* p = at(100, 200, 1000);
    p->vel = {100, -50};
    p->acc = {0, 20};
    p->c1 = E2::Color(0x00FF00FFu);
    E2::ParticleEngine eng;
    eng.add(p);
    eng.tick(0, 500);
    eng.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].ai, 127);  // floor(255 - 127.5)
    EXPECT_EQ(jobs[0].color.value(), 0x7FFF7FFFu);
    // 100 px/s for half a second; -25 px plus 20 * 0.5^2 / 2 px: -22.5, truncated toward zero.
    EXPECT_EQ(p->pos, E2::Vec2<int>(150, 178));
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(146, 174, 8, 8));
    EXPECT_EQ(jobs[0].flags, E2::op_blit | E2::blend_alpha);
}

TEST_F(Particles, ScaleCentresTheImageAndZeroSizeMeansFullSize) {
    E2::Particle* p = at(100, 100, 1000);
    p->scale0 = {4096, 1024};
    p->scale1 = {4096, 1024};
    E2::Particle* q = at(300, 300, 1000);
    q->scale0 = q->scale1 = {0, 0};
    E2::ParticleEngine eng;
    eng.add(p);
    eng.add(q);
    eng.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(300, 300, 8, 8));  // 0x0 takes the image's own size
    EXPECT_EQ(jobs[1].rect, E2::Rect<int>(92, 98, 16, 4));
}

TEST_F(Particles, LifetimeZeroAndUnloadedImagesDrawSafely) {
    E2::ParticleEngine eng;
    E2::Particle* zero = at(50, 50, 0);
    eng.add(zero);
    eng.display(nullptr);  // age 0 of 0: at its end, no 0 / 0
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].ai, 0);
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(46, 46, 8, 8));
    eng.clear();

    E2::Particle* unloaded = at(50, 50, 100);
    unloaded->image = 5;  // no image
    E2::Particle* outside = at(50, 50, 100);
    outside->image = 40;  // beyond the table
    eng.add(unloaded);
    eng.add(outside);
    eng.display(nullptr);
    EXPECT_TRUE(take_jobs().empty());
    eng.tick(0, 101);
    EXPECT_TRUE(eng.empty());
}

TEST_F(Particles, MemoryGoesBackToItsSizeClass) {
    E2::Particle* p = new E2::Particle();
    void* block = p;
    delete static_cast<E2::ParticleBase*>(p);
    void* again = E2::MemoryManager::alloc_bytes(sizeof(E2::Particle));
    EXPECT_EQ(again, block);
    E2::MemoryManager::delete_bytes(again, sizeof(E2::Particle));
}

TEST_F(Particles, WriteAndReadKeepTheMotion) {
    E2::Particle p;
    p.p0 = {1, -2};
    p.vel = {3, 4};
    p.acc = {-5, 6};
    p.pos = {7, 8};
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    p.write(f);
    std::rewind(f);
    E2::Particle q;
    q.kill();
    q.read(f);
    std::fclose(f);
    EXPECT_EQ(q.p0, p.p0);
    EXPECT_EQ(q.vel, p.vel);
    EXPECT_EQ(q.acc, p.acc);
    EXPECT_EQ(q.pos, p.pos);
    EXPECT_TRUE(q.alive());
}

class SparkButton : public Particles {
protected:
    void SetUp() override {
        Particles::SetUp();
        b.set_images(face.get(), face.get(), face.get());
        b.set_pos(100, 100);
    }
    void hover() {
        SDL_Event e = test::mouse_motion(150, 150, 0, 0, 0);
        b.proc_event(&e);
    }
    std::unique_ptr<Surf> face = test::solid_surf(300, 100, 0x808080FF);
    ParticleButton b;
};

TEST_F(SparkButton, EmitsAboutDtOverTenBoundedOnlyAfterAnAbsurdTick) {
    EXPECT_EQ(ParticleButton::sparks_for(10), 2u);
    EXPECT_EQ(ParticleButton::sparks_for(20), 3u);
    EXPECT_EQ(ParticleButton::sparks_for(50), 6u);  // a slow frame: no cap in normal play
    EXPECT_EQ(ParticleButton::sparks_for(1000), 101u);
    EXPECT_EQ(ParticleButton::sparks_for(60000), ParticleButton::max_sparks_per_tick);
    EXPECT_GE(ParticleButton::max_sparks_per_tick, 200u);
    app_options().effects_quality = 0.5f;  // weight 0: still one per tick
    EXPECT_EQ(ParticleButton::sparks_for(10), 1u);
    app_options().effects_quality = 1.0f;

    b.tick(0, 10);
    EXPECT_TRUE(b.sparks().empty());  // at rest
    hover();
    b.tick(0, 10 * 60 * 1000);  // a frame after ten minutes iconified
    EXPECT_EQ(b.sparks().size(), ParticleButton::max_sparks_per_tick);
}

TEST_F(SparkButton, SparksStayInsideTheButtonAndStopWithTheHover) {
    hover();
    b.tick(0, 10);
    ASSERT_EQ(b.sparks().size(), 2u);
    auto const* spark = static_cast<ButtonParticle const*>(b.sparks().first());
    EXPECT_EQ(spark->region, E2::Rect<int>(100, 100, 300, 100));
    EXPECT_EQ(spark->p0, E2::Vec2<int>(250, 150));
    EXPECT_GE(spark->lifetime, 1000u);
    EXPECT_LE(spark->lifetime, 2000u);
    EXPECT_LE(std::abs(spark->vel.x), 180);
    EXPECT_LE(std::abs(spark->vel.y), 20);
    EXPECT_EQ(spark->mode, E2::blend_additive);

    b.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].surface, img2.get());  // the sparks below the button
    EXPECT_EQ(jobs[2].surface, face.get());

    app_options().effects_quality = 0.4f;  // particles off: all dropped at once
    b.tick(0, 10);
    EXPECT_TRUE(b.sparks().empty());
}

TEST_F(SparkButton, OnANarrowButtonEachSparkLivesOneFrame) {
    auto small = test::solid_surf(50, 50, 0x808080FF);
    ParticleButton n;
    n.set_images(small.get(), small.get(), small.get());
    SDL_Event e = test::mouse_motion(10, 10, 0, 0, 0);
    n.proc_event(&e);
    n.tick(0, 10);
    unsigned first = n.sparks().size();
    n.display(nullptr);
    take_jobs();
    n.tick(0, 10);  // the old sparks die, new ones come
    EXPECT_EQ(n.sparks().size(), first);
}

}  // namespace
