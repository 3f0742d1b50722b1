#include <gtest/gtest.h>

#include <sstream>

#include "blit_job.h"
#include "support.h"

namespace {

using test::rgb_at;

TEST(BlitJobMake, SizesComeFromTheSurfaceOnlyWhenBothAreZero) {
    auto img = test::solid_surf(30, 20, 0xFFFFFFFF);
    BlitJob whole(E2::op_blit, E2::blend_alpha, img.get(), E2::Rect<int>(5, 6, 0, 0), E2::Color(), 255);
    EXPECT_EQ(whole.rect, E2::Rect<int>(5, 6, 30, 20));
    BlitJob half(E2::op_blit, E2::blend_alpha, img.get(), E2::Rect<int>(5, 6, 0, 9), E2::Color(), 255);
    EXPECT_EQ(half.rect, E2::Rect<int>(5, 6, 0, 9));
    BlitJob at(E2::op_blit, E2::blend_matte, img.get(), E2::Vec2<int>(-3, 4), E2::Color(), 7);
    EXPECT_EQ(at.rect, E2::Rect<int>(-3, 4, 30, 20));
    EXPECT_EQ(at.flags, 1u | 8u);
    BlitJob none(E2::op_fill, E2::blend_alpha, nullptr, E2::Vec2<int>(1, 2), E2::Color(), 0);
    EXPECT_EQ(none.rect, E2::Rect<int>(1, 2, 0, 0));
    BlitJob blank;
    EXPECT_EQ(blank.flags, 0u);
    EXPECT_EQ(blank.color.value(), 0x000000FFu);
}

TEST(BlitJobCompare, EveryFieldCounts) {
    auto img = test::solid_surf(4, 4, 0xFFFFFFFF);
    auto other = test::solid_surf(4, 4, 0xFFFFFFFF);
    BlitJob base(E2::op_blit, E2::blend_alpha, img.get(), E2::Rect<int>(1, 2, 3, 4), E2::Color(0x11223344u), 9);
    EXPECT_EQ(base, BlitJob(base));
    BlitJob j = base;
    j.ai = 10;
    EXPECT_NE(base, j);
    j = base;
    j.surface = other.get();  // same pixels, other image
    EXPECT_NE(base, j);
    j = base;
    j.color = E2::Color(0x11223345u);
    EXPECT_NE(base, j);
    j = base;
    j.rect.h = 5;
    EXPECT_NE(base, j);
    j = base;
    j.flags = E2::op_blit | E2::blend_additive;
    EXPECT_NE(base, j);

    BlitJob x = base, y = base, z = j;
    std::vector<BlitJob*> l1{&x, &z}, l2{&y, &z}, l3{&z, &x}, l4{&x};
    EXPECT_TRUE(l1 == l2);
    EXPECT_FALSE(l1 == l3);
    EXPECT_FALSE(l1 == l4);
}

TEST(BlitJobCompare, DiagnosticText) {
    BlitJob j(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(1, -2, 3, 4), E2::Color(0xFFu), 51);
    std::ostringstream out;
    out << j;
    EXPECT_EQ(out.str().substr(0, 13), "{flags=20 sp=");
    EXPECT_NE(out.str().find(" ai=51 cl=255 r=(1,-2,3,4)}"), std::string::npos);
}

class BlitJobDraw : public ::testing::Test {
protected:
    SDL_Surface* dst = test::rgba_surface(40, 40, 0x808080FF);
    void TearDown() override { SDL_FreeSurface(dst); }
    void run(BlitJob const& j) { j.execute(dst); }
};

TEST_F(BlitJobDraw, FillsByMode) {
    run(BlitJob(E2::op_fill, E2::blend_matte, nullptr, E2::Rect<int>(0, 0, 10, 10), E2::Color(0x102030FFu), 0));
    EXPECT_EQ(rgb_at(dst, 5, 5), 0x102030u);
    EXPECT_EQ(rgb_at(dst, 10, 10), 0x808080u);
    // The alpha fill uses the job's intensity, not the colour's alpha.
    run(BlitJob(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(20, 0, 10, 10), E2::Color(0x000000FFu), 0));
    EXPECT_EQ(rgb_at(dst, 25, 5), 0x808080u);
    run(BlitJob(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(20, 0, 10, 10), E2::Color(0x00000000u), 255));
    EXPECT_EQ(rgb_at(dst, 25, 5), 0x000000u);
    run(BlitJob(E2::op_fill, E2::blend_additive, nullptr, E2::Rect<int>(0, 20, 10, 10), E2::Color(0x100000FFu), 0));
    EXPECT_EQ(rgb_at(dst, 5, 25), 0x908080u);
}

TEST_F(BlitJobDraw, BlitsUnscaledAndScaled) {
    auto img = test::solid_surf(10, 10, 0xFF0000FF);
    auto is_red = [](Uint32 rgb) { return (rgb >> 16) >= 0xFE && (rgb & 0xFFFF) == 0; };
    run(BlitJob(E2::op_blit, E2::blend_alpha, img.get(), E2::Vec2<int>(0, 0), E2::Color(), 255));
    EXPECT_TRUE(is_red(rgb_at(dst, 0, 0)));
    EXPECT_TRUE(is_red(rgb_at(dst, 9, 9)));
    EXPECT_EQ(rgb_at(dst, 10, 10), 0x808080u);
    // Twice the image's size: the scaled routine covers the whole rectangle.
    run(BlitJob(E2::op_blit, E2::blend_matte, img.get(), E2::Rect<int>(20, 20, 20, 20), E2::Color(), 255));
    EXPECT_TRUE(is_red(rgb_at(dst, 20, 20)));
    EXPECT_TRUE(is_red(rgb_at(dst, 39, 39)));
    EXPECT_EQ(rgb_at(dst, 19, 19), 0x808080u);
}

TEST_F(BlitJobDraw, RespectsTheClipRectangle) {
    SDL_Rect clip = {0, 0, 5, 5};
    SDL_SetClipRect(dst, &clip);
    run(BlitJob(E2::op_fill, E2::blend_matte, nullptr, E2::Rect<int>(0, 0, 10, 10), E2::Color(0x102030FFu), 0));
    EXPECT_EQ(rgb_at(dst, 4, 4), 0x102030u);
    EXPECT_EQ(rgb_at(dst, 5, 5), 0x808080u);
}

TEST_F(BlitJobDraw, NothingForAbsentImagesUnknownKindsOrNegativeSizes) {
    Surf unloaded("missing", nullptr);
    run(BlitJob(E2::op_blit, E2::blend_alpha, &unloaded, E2::Rect<int>(0, 0, 10, 10), E2::Color(), 255));
    run(BlitJob(E2::op_blit_im, E2::blend_alpha, nullptr, E2::Rect<int>(0, 0, 10, 10), E2::Color(~0u), 255));
    BlitJob odd(E2::op_fill, E2::blend_matte, nullptr, E2::Rect<int>(0, 0, 10, 10), E2::Color(0xFFu), 0);
    odd.flags = E2::op_fill | 0x18;  // two modes at once
    run(odd);
    odd.flags = 3 | E2::blend_matte;
    run(odd);
    // A negative width would otherwise wrap to 65535 pixels.
    run(BlitJob(E2::op_fill, E2::blend_matte, nullptr, E2::Rect<int>(5, 5, -1, 10), E2::Color(0xFFu), 0));
    for (int y = 0; y < 40; y += 3)
        for (int x = 0; x < 40; x += 3) ASSERT_EQ(rgb_at(dst, x, y), 0x808080u) << x << "," << y;
}

}  // namespace
