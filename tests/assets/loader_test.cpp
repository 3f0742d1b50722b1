#include <gtest/gtest.h>
#include <malloc.h>

#include <SDL/SDL_image.h>

#include <cstring>
#include <vector>

#include "loader.h"
#include "qdata.h"
#include "screen_hacks.h"
#include "support.h"
#include "xsdl_resize.h"
#include "zoom_cache.h"

namespace {

// The decoded image as the loader sees it before any scaling.
SDL_Surface* decode(std::string const& bytes) {
    SDL_Surface* s = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    SDL_Surface* d = SDL_DisplayFormatAlpha(s);
    SDL_FreeSurface(s);
    return d;
}

::testing::AssertionResult same_pixels(SDL_Surface const* a, SDL_Surface const* b) {
    if (a->w != b->w || a->h != b->h)
        return ::testing::AssertionFailure()
               << a->w << "x" << a->h << " vs " << b->w << "x" << b->h;
    if (a->format->BytesPerPixel != b->format->BytesPerPixel)
        return ::testing::AssertionFailure() << "pixel formats differ";
    size_t row = size_t(a->w) * a->format->BytesPerPixel;
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch,
                        static_cast<Uint8*>(b->pixels) + y * b->pitch, row) != 0)
            return ::testing::AssertionFailure() << "row " << y << " differs";
    return ::testing::AssertionSuccess();
}

struct Images : ::testing::Test {
    test::TempDir dir;
    std::string wide = test::bmp_bytes(100, 50);
    test::Archive archive{{{"i/a.bmp", test::bmp_bytes(20, 10)},
                           {"i/b.bmp", test::bmp_bytes(8, 8)},
                           {"i/c.bmp", test::bmp_bytes(4, 6)},
                           {"i/d.bmp", test::bmp_bytes(3, 3)},
                           {"i/wide.bmp", wide},
                           {"i/broken.bmp", "BM-not-really-a-bitmap"}}};
    Loader loader{""};

    void SetUp() override {
        archive.write(dir.file("q.dat"));
        archive.use(dir.file("q.dat"));
    }
    void TearDown() override {
        loader.unload();
        ScreenHacks::set_screen_view({1024, 768});
        qdata_use_builtin();
    }
};

TEST_F(Images, RegisteringAndSchedulingNeverLoad) {
    Surf* a = loader.schedule_surface(".i/a.bmp");
    EXPECT_EQ(loader.schedule_surface(".i/a.bmp"), a);
    EXPECT_EQ(loader.jobs().size(), 1u);
    EXPECT_EQ(loader.get_surface(".i/a.bmp"), a);
    EXPECT_FALSE(Surf::ok(a));
    EXPECT_EQ(a->screen_wh(), E2::Vec2<int>(0, 0));

    Surf* b = loader.get_surface_delayed(".i/b.bmp");
    EXPECT_EQ(loader.get_surface_delayed(".i/b.bmp"), b);
    EXPECT_FALSE(Surf::ok(b));
    EXPECT_EQ(b->name(), ".i/b.bmp");
    EXPECT_FALSE(Surf::ok(nullptr));

    // A new name asked for with get_surface is loaded at once.
    Surf* c = loader.get_surface(".i/c.bmp");
    EXPECT_TRUE(Surf::ok(c));
    EXPECT_EQ(c->world_wh(), E2::Vec2<int>(4, 6));
    EXPECT_EQ(c->screen_wh(), E2::Vec2<int>(4, 6));
}

TEST_F(Images, JobsLoadOneImagePerCallInByteOrder) {
    Surf* d = loader.schedule_surface(".i/d.bmp");
    Surf* b = loader.schedule_surface(".i/b.bmp");
    Surf* c = loader.schedule_surface(".i/c.bmp");
    c->load();
    loader.process_job();
    EXPECT_TRUE(Surf::ok(b));
    EXPECT_FALSE(Surf::ok(d));
    loader.process_job();  // c: already loaded, still one job used
    EXPECT_FALSE(Surf::ok(d));
    EXPECT_TRUE(loader.has_jobs());
    loader.process_job();
    EXPECT_TRUE(Surf::ok(d));
    EXPECT_FALSE(loader.has_jobs());
    loader.process_job();  // nothing left: no effect
    EXPECT_FALSE(loader.has_jobs());
}

TEST_F(Images, UndecodableImageStaysUnloadedAndIsRetried) {
    Surf* s = loader.get_surface(".i/broken.bmp");
    EXPECT_FALSE(Surf::ok(s));
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(0, 0));
    s->load();
    EXPECT_FALSE(Surf::ok(s));

    test::Archive fixed{{{"i/broken.bmp", test::bmp_bytes(5, 7)}}};
    fixed.write(dir.file("fixed.dat"));
    fixed.use(dir.file("fixed.dat"));
    s->load();
    EXPECT_TRUE(Surf::ok(s));
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(5, 7));
}

TEST_F(Images, ShortMemberIsNotDecodedFromGarbage) {
    QDataRow const& last = archive.rows().back();
    ASSERT_EQ(std::string(last.name), "i/wide.bmp");
    long keep = 16 + long(last.offset) + 60;  // its header and a little of its pixels
    archive.write(dir.file("q.dat"), keep);
    archive.use(dir.file("q.dat"));
    Surf* s = loader.get_surface(".i/wide.bmp");
    EXPECT_FALSE(Surf::ok(s));
}

TEST_F(Images, LooseFileServesWhatTheArchiveLacks) {
    dir.write(".i/menu/loose.bmp", test::bmp_bytes(9, 4));
    test::InFolder in(dir.path());
    Surf* s = loader.get_surface(".i/menu/loose.bmp");
    ASSERT_TRUE(Surf::ok(s));
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(9, 4));
    // The archive wins over a loose file of the same name.
    dir.write(".i/a.bmp", test::bmp_bytes(2, 2));
    EXPECT_EQ(loader.get_surface(".i/a.bmp")->world_wh(), E2::Vec2<int>(20, 10));
}

using ImagesDeathTest = Images;

TEST_F(ImagesDeathTest, MissingImageStopsTheProcessWhenLoaded) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    Surf* s = loader.schedule_surface(".i/menu/none.png");
    loader.get_surface_delayed(".i/menu/none2.png");
    EXPECT_FALSE(Surf::ok(s));
    EXPECT_DEATH(loader.process_job(), "\\.i/menu/none\\.png");
    EXPECT_DEATH(loader.get_surface(".i/other.png"), "\\.i/other\\.png");
}

TEST_F(Images, SmallScreenScalesThroughTheResizer) {
    ScreenHacks::set_screen_view({800, 600});
    Surf* s = loader.get_surface(".i/wide.bmp");
    ASSERT_TRUE(Surf::ok(s));
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(100, 50));
    EXPECT_EQ(s->screen_wh(), E2::Vec2<int>(79, 40));  // 78.125 x 39.0625, rounded up

    SDL_Surface* src = decode(wide);
    SDL_Surface* expected = _xSDL_resize_by_fxy(src, 0.78125, 0.78125, _xSDL_Resize_Type(3));
    ASSERT_NE(expected, nullptr);
    SDL_Surface* shown = SDL_DisplayFormatAlpha(expected);
    EXPECT_TRUE(same_pixels(s->surface(), shown));
    SDL_FreeSurface(shown);
    SDL_FreeSurface(expected);
    SDL_FreeSurface(src);
    EXPECT_EQ(s->surface()->format->BytesPerPixel, 4);
    EXPECT_NE(s->surface()->format->Amask, 0u);
}

TEST_F(Images, OtherFactorsUseTheBilinearFilter) {
    ScreenHacks::set_screen_view({512, 384});
    Surf* s = loader.get_surface(".i/wide.bmp");
    ASSERT_TRUE(Surf::ok(s));
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(100, 50));
    EXPECT_EQ(s->screen_wh(), E2::Vec2<int>(50, 25));
    SDL_Surface* src = decode(wide);
    SDL_Surface* expected = _xSDL_resize_by_fxy(src, 0.5, 0.5, _xSDL_Resize_Type(3));
    SDL_Surface* shown = SDL_DisplayFormatAlpha(expected);
    EXPECT_TRUE(same_pixels(s->surface(), shown));
    SDL_FreeSurface(shown);
    SDL_FreeSurface(expected);
    SDL_FreeSurface(src);
}

TEST_F(Images, IdentityViewKeepsTheDecodedPixels) {
    Surf* s = loader.get_surface(".i/wide.bmp");
    SDL_Surface* src = decode(wide);
    EXPECT_TRUE(same_pixels(s->surface(), src));
    SDL_FreeSurface(src);
}

TEST_F(Images, WorldSizeCanBeGivenWithoutDecoding) {
    Surf* s = loader.get_surface_delayed(".i/never/decoded.png");
    s->set_world_wh({99, 144});
    EXPECT_EQ(s->world_wh(), E2::Vec2<int>(99, 144));
    EXPECT_FALSE(Surf::ok(s));
    EXPECT_EQ(s->screen_w(), 0);
}

// The particle code's hooks, as the shell installs them.
std::vector<std::string> hook_calls;
Loader* hook_loader = nullptr;
void unload_hook() { hook_calls.push_back("unload"); }
void load_hook() {
    hook_calls.push_back("load");
    hook_loader->schedule_surface(".i/d.bmp");
}

TEST_F(Images, ModeSwitchReloadsExactlyTheLoadedImages) {
    hook_calls.clear();
    hook_loader = &loader;
    loader.set_particle_hooks(unload_hook, load_hook);
    Surf* a = loader.get_surface(".i/a.bmp");
    Surf* wide_s = loader.get_surface(".i/wide.bmp");
    Surf* b = loader.schedule_surface(".i/b.bmp");
    Surf* c = loader.get_surface_delayed(".i/c.bmp");
    Surf* d = loader.get_surface(".i/d.bmp");
    d->unload();

    loader.save_loaded();
    loader.unload();
    EXPECT_EQ(hook_calls, std::vector<std::string>{"unload"});
    for (Surf* s : {a, wide_s, b, c, d}) EXPECT_FALSE(Surf::ok(s)) << s->name();
    EXPECT_EQ(wide_s->world_wh(), E2::Vec2<int>(100, 50));

    ScreenHacks::set_screen_view({800, 600});
    loader.reload();
    EXPECT_EQ(hook_calls, (std::vector<std::string>{"unload", "load"}));
    EXPECT_TRUE(Surf::ok(a));
    EXPECT_TRUE(Surf::ok(wide_s));
    EXPECT_EQ(wide_s->screen_wh(), E2::Vec2<int>(79, 40));
    EXPECT_FALSE(Surf::ok(b));
    EXPECT_FALSE(Surf::ok(c));
    EXPECT_FALSE(Surf::ok(d));
    EXPECT_EQ(loader.jobs(), (std::set<std::string>{".i/b.bmp", ".i/d.bmp"}));

    // The record is used once: a second reload brings nothing back.
    loader.unload();
    loader.reload();
    EXPECT_FALSE(Surf::ok(a));
    loader.set_particle_hooks(nullptr, nullptr);
}

TEST_F(Images, UnloadDropsZoomedCopies) {
    Surf* a = loader.get_surface(".i/a.bmp");
    Surf* b = loader.get_surface(".i/b.bmp");
    ASSERT_NE(_zcache.get(a->surface(), 2048), nullptr);
    ASSERT_NE(_zcache.get(b->surface(), 512), nullptr);
    size_t before = _zcache.size();
    a->unload();
    EXPECT_EQ(_zcache.size(), before - 1);
    loader.unload();
    EXPECT_EQ(_zcache.size(), 0u);
}

#if defined(__SANITIZE_ADDRESS__)
#define ASSETS_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ASSETS_TEST_SANITIZED 1
#endif
#endif

TEST_F(Images, RepeatedModeSwitchesDoNotGrowMemory) {
#ifdef ASSETS_TEST_SANITIZED
    GTEST_SKIP() << "the leak checker covers this build";
#else
    test::Archive big{{{"i/big.bmp", test::bmp_bytes(256, 256)}}};
    big.write(dir.file("big.dat"));
    big.use(dir.file("big.dat"));
    loader.get_surface(".i/big.bmp");
    auto cycle = [&](int i) {
        ScreenHacks::set_screen_view(i % 2 ? E2::Vec2<int>(800, 600) : E2::Vec2<int>(1024, 768));
        loader.save_loaded();
        loader.unload();
        loader.reload();
    };
    for (int i = 0; i < 4; ++i) cycle(i);
    size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 40; ++i) cycle(i);
    size_t after = mallinfo2().uordblks;
    // One leaked image per cycle would be 40 x 256 KiB or more.
    EXPECT_LT(after, before + 256 * 1024);
#endif
}

}  // namespace
