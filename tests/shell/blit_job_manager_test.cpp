#include <gtest/gtest.h>

#include <set>

#include "blit_job_manager.h"
#include "memory.h"
#include "support.h"

namespace {

using R = E2::Rect<int>;

BlitJob fill(R r, Uint32 color = 0x102030FF, unsigned char ai = 0) {
    return BlitJob(E2::op_fill, E2::blend_matte, nullptr, r, E2::Color(color), ai);
}

std::vector<R> rects_of(BlitJobManager const& m) {
    std::vector<R> out;
    for (SDL_Rect const& r : m.update_rects()) out.emplace_back(r.x, r.y, r.w, r.h);
    return out;
}

class DisplayList : public ::testing::Test {
protected:
    BlitJobManager m;
    void SetUp() override { m.reset({1024, 768}, 8); }  // cells of 128 x 96

    // Submits the jobs as one frame and returns its update rectangles.
    std::vector<R> frame(std::vector<BlitJob> const& jobs) {
        m.flip();
        for (BlitJob const& j : jobs) m.insert(j);
        m.apply_effects();
        m.recalc_dirties();
        return rects_of(m);
    }
};

TEST_F(DisplayList, GridCoversTheScreenInEqualCells) {
    ASSERT_EQ(m.grid_size(), 8u);
    EXPECT_EQ(m.grid()[0][0].rect, R(0, 0, 128, 96));
    EXPECT_EQ(m.grid()[7][7].rect, R(896, 672, 128, 96));
    EXPECT_TRUE(m.grid()[3][4].dirty);
}

TEST_F(DisplayList, UnchangedFrameRedrawsNothing) {
    std::vector<BlitJob> jobs{fill(R(0, 0, 1024, 768)), fill(R(100, 100, 50, 50), 0xFF0000FF)};
    EXPECT_EQ(frame(jobs), std::vector<R>{R(0, 0, 1024, 768)});
    EXPECT_TRUE(frame(jobs).empty());
    EXPECT_TRUE(m.dirty_rects().empty());
}

TEST_F(DisplayList, OrderOrIntensityChangesMakeCellsDirty) {
    BlitJob bg = fill(R(0, 0, 10, 10)), top = fill(R(5, 5, 10, 10), 0xFF0000FF);
    frame({bg, top});
    EXPECT_EQ(frame({top, bg}), std::vector<R>{R(0, 0, 128, 96)});
    BlitJob dimmer = top;
    dimmer.ai = 1;
    frame({top, bg});
    EXPECT_EQ(frame({dimmer, bg}), std::vector<R>{R(0, 0, 128, 96)});
}

TEST_F(DisplayList, RunsAndColumnsMergeIntoRectangles) {
    frame({});
    // Two cells side by side in row 0 and the same two in row 1: one rectangle.
    EXPECT_EQ(frame({fill(R(0, 0, 256, 192))}), std::vector<R>{R(0, 0, 256, 192)});
    frame({});
    // Row 1's run is shifted by one cell: separate rectangles.
    std::vector<R> got = frame({fill(R(0, 0, 256, 96)), fill(R(128, 96, 256, 96))});
    EXPECT_EQ(got, (std::vector<R>{R(0, 0, 256, 96), R(128, 96, 256, 96)}));
    frame({});
    // Two runs in one row with a clean cell between them.
    got = frame({fill(R(0, 0, 128, 96)), fill(R(256, 0, 128, 96))});
    EXPECT_EQ(got, (std::vector<R>{R(0, 0, 128, 96), R(256, 0, 128, 96)}));
}

TEST_F(DisplayList, EmptiedCellIsDirtyButKeepsItsPixels) {
    test::Video video;
    SDL_Surface* s = video.screen();
    frame({fill(R(0, 0, 128, 96), 0xFF0000FF)});
    m.execute(s);
    EXPECT_EQ(test::rgb_at(s, 10, 10), 0xFF0000u);
    EXPECT_EQ(frame({}), std::vector<R>{R(0, 0, 128, 96)});
    m.execute(s);
    EXPECT_EQ(test::rgb_at(s, 10, 10), 0xFF0000u);
}

TEST_F(DisplayList, ReplayTouchesOnlyDirtyRectanglesButUsesAllJobs) {
    test::Video video;
    SDL_Surface* s = video.screen();
    BlitJob bg = fill(R(0, 0, 1024, 768), 0x000080FF);
    frame({bg});
    m.execute(s);
    test::fill_rgb(s, 0x00FF00);  // stands for pixels that must not be repainted
    BlitJob spot = fill(R(130, 10, 20, 20), 0xFF0000FF);
    EXPECT_EQ(frame({bg, spot}), std::vector<R>{R(128, 0, 128, 96)});
    m.execute(s);
    EXPECT_EQ(test::rgb_at(s, 135, 15), 0xFF0000u);
    EXPECT_EQ(test::rgb_at(s, 200, 50), 0x000080u);  // the background job, replayed under the clip
    EXPECT_EQ(test::rgb_at(s, 127, 15), 0x00FF00u);
    EXPECT_EQ(test::rgb_at(s, 256, 15), 0x00FF00u);
    // The replay leaves the whole surface drawable again.
    SDL_Rect clip;
    SDL_GetClipRect(s, &clip);
    EXPECT_EQ(clip.w * 10000 + clip.h, s->w * 10000 + s->h);
}

TEST_F(DisplayList, SameImageWithNewPixelsIsNotRepaintedUntilCleared) {
    auto img = test::solid_surf(8, 8, 0xFFFFFFFF);
    BlitJob j(E2::op_blit, E2::blend_alpha, img.get(), E2::Vec2<int>(0, 0), E2::Color(), 255);
    frame({j});
    SDL_FillRect(img->surface(), nullptr, 0);
    EXPECT_TRUE(frame({j}).empty());
    m.clear();
    EXPECT_EQ(frame({j}), std::vector<R>{R(0, 0, 128, 96)});
}

TEST_F(DisplayList, ClearRepaintsEveryCoveredCellOnly) {
    BlitJob bg = fill(R(0, 0, 1024, 384));
    frame({bg});
    frame({bg});
    m.clear();
    EXPECT_EQ(frame({bg}), std::vector<R>{R(0, 0, 1024, 384)});
}

TEST_F(DisplayList, ZeroSizeJobEntersOnlyCellsThatHoldItsPositionInside) {
    m.insert(fill(R(130, 100, 0, 0)));
    m.insert(fill(R(128, 96, 0, 0)));  // on a corner: in no cell's interior
    int cells = 0;
    for (auto const& row : m.grid())
        for (DRect const& c : row) cells += static_cast<int>(c.cur.size());
    EXPECT_EQ(cells, 1);
    EXPECT_EQ(m.grid()[1][1].cur.size(), 1u);
    EXPECT_EQ(m.jobs().size(), 2u);
}

TEST(DisplayListGrid, UnevenGridStillCoversTheWholeScreen) {
    BlitJobManager m;
    m.reset({1024, 768}, 7);
    EXPECT_EQ(m.grid()[0][0].rect, R(0, 0, 146, 109));
    EXPECT_EQ(m.grid()[6][6].rect, R(876, 654, 148, 114));
    m.insert(fill(R(1020, 760, 4, 8)));
    m.recalc_dirties();
    EXPECT_EQ(rects_of(m), std::vector<R>{R(876, 654, 148, 114)});
}

TEST(DisplayListGrid, GridSizeIsHeldToUsableValues) {
    BlitJobManager m;
    m.reset({800, 600}, 0);
    EXPECT_EQ(m.grid_size(), 1u);
    EXPECT_EQ(m.grid()[0][0].rect, R(0, 0, 800, 600));
    m.reset({16, 8}, 100);
    EXPECT_EQ(m.grid_size(), 8u);
    m.reset({1024, 768}, 16);
    EXPECT_EQ(m.grid_size(), 16u);
    EXPECT_EQ(m.grid()[15][15].rect, R(960, 720, 64, 48));
}

TEST(DisplayListMemory, JobBlocksAreReusedFrameAfterFrame) {
    BlitJobManager m;
    m.reset({1024, 768}, 8);
    m.insert(fill(R(0, 0, 10, 10)));
    m.flip();
    BlitJob const* first = m.grid()[0][0].prev.front();
    m.insert(fill(R(0, 0, 10, 10)));
    m.flip();  // the first frame's job goes back to its free list
    m.insert(fill(R(0, 0, 20, 20)));
    EXPECT_EQ(m.jobs().front(), first);
}

TEST(DisplayListMemory, TenThousandFramesUseABoundedSetOfJobBlocks) {
    // Two frames' jobs are alive at a time; every other block must be reused.
    BlitJobManager m;
    m.reset({1024, 768}, 8);
    std::set<BlitJob const*> seen;
    for (int f = 0; f < 10000; ++f) {
        int n = 1 + f % 7;
        for (int i = 0; i < n; ++i) m.insert(fill(R((f * 13 + i * 50) % 1000, i * 40, 30, 30)));
        m.apply_effects();
        m.recalc_dirties();
        for (BlitJob const* j : m.jobs()) seen.insert(j);
        m.flip();
    }
    EXPECT_LE(seen.size(), 14u);
}

class CountingEffect : public BlitJobEffect {
public:
    explicit CountingEffect(int* alive) : alive_(alive) { ++*alive_; }
    ~CountingEffect() override { --*alive_; }
    void operator()(BlitJob& j) override { j.ai = 77; }
    void tick(unsigned, unsigned) override { ++ticks; }
    bool is_active() const override { return ticks < 2; }
    int ticks = 0;

private:
    int* alive_;
};

TEST_F(DisplayList, EffectsChangeJobsBeforeTheComparisonAndEndWhenInactive) {
    int alive = 0;
    BlitJob j = fill(R(0, 0, 10, 10));
    frame({j});
    m.push_effect(new CountingEffect(&alive));
    m.push_effect(nullptr);
    EXPECT_EQ(frame({j}), std::vector<R>{R(0, 0, 128, 96)});
    EXPECT_EQ(m.jobs().front()->ai, 77);
    m.tick(0, 10);
    m.tick(0, 10);
    EXPECT_EQ(alive, 1);
    m.tick(0, 10);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(frame({j}), std::vector<R>{R(0, 0, 128, 96)});  // back to intensity 0
}

TEST(BlitJobTween, IntensityRunsLinearly) {
    BlitJobTweenAiEffect e(0, 200, 100);
    BlitJob j;
    e(j);
    EXPECT_EQ(j.ai, 0);
    e.tick(0, 50);
    e(j);
    EXPECT_EQ(j.ai, 100);
    e.tick(0, 50);
    EXPECT_TRUE(e.is_active());
    e(j);
    EXPECT_EQ(j.ai, 200);
    e.tick(0, 1);
    EXPECT_FALSE(e.is_active());
}

}  // namespace
