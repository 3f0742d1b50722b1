#include <gtest/gtest.h>

#include "support.h"
#include "zoom_cache.h"

namespace {

struct Zoom : ::testing::Test {
    ZoomCache cache;
    SDL_Surface* src = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 8, 32, 0xFF0000, 0xFF00, 0xFF,
                                            0xFF000000);
    void TearDown() override {
        cache.clear();
        SDL_FreeSurface(src);
    }
};

TEST_F(Zoom, TrivialZoomsMakeNoCopy) {
    EXPECT_EQ(cache.get(nullptr, 512), nullptr);
    EXPECT_EQ(cache.get(src, 0), nullptr);
    EXPECT_EQ(cache.get(src, 1024), src);
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.misses(), 0u);
}

TEST_F(Zoom, KeepsOneCopyPerSourceAtItsLastZoom) {
    SDL_Surface* half = cache.get(src, 512);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->w, 8);
    EXPECT_EQ(half->h, 4);
    EXPECT_EQ(cache.get(src, 512), half);
    EXPECT_EQ(cache.hits(), 1u);
    EXPECT_EQ(cache.misses(), 1u);

    SDL_Surface* twice = cache.get(src, 2048);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice->w, 32);
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.misses(), 2u);

    cache.clear(src);
    EXPECT_EQ(cache.size(), 0u);
    cache.clear(src);  // nothing cached: no effect
    EXPECT_EQ(cache.size(), 0u);
}

}  // namespace
