#include <gtest/gtest.h>

#include <sstream>

#include "video.h"

namespace {

E2::VideoMode req(int w, int h) {
    E2::VideoMode m;
    m.w = static_cast<uint16_t>(w);
    m.h = static_cast<uint16_t>(h);
    return m;
}

TEST(VideoRecommended, CompletesPartialSizes) {
    auto size = [](int w, int h) {
        E2::VideoMode m = E2::Video::recommended(req(w, h));
        return std::make_pair(int(m.w), int(m.h));
    };
    EXPECT_EQ(size(0, 0), std::make_pair(1024, 768));
    EXPECT_EQ(size(800, 0), std::make_pair(800, 600));
    EXPECT_EQ(size(640, 0), std::make_pair(640, 768));
    EXPECT_EQ(size(0, 600), std::make_pair(800, 600));
    EXPECT_EQ(size(0, 480), std::make_pair(1024, 480));
    EXPECT_EQ(size(320, 200), std::make_pair(320, 200));
}

TEST(VideoRecommended, ReplacesFlagsAndClearsGamma) {
    E2::VideoMode m = req(0, 0);
    m.flags = SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_NOFRAME;
    m.is_fullscreen = m.is_resizable = true;
    m.v_gamma_r = m.v_gamma_g = m.v_gamma_b = 1.2f;
    E2::VideoMode r = E2::Video::recommended(m);
    EXPECT_EQ(r.flags, 0x80000000u);
    EXPECT_EQ(r.v_gamma_r + r.v_gamma_g + r.v_gamma_b, 0.0f);

    m.is_fullscreen = false;
    EXPECT_EQ(E2::Video::recommended(m).flags, 0x10u);
    m.is_resizable = false;
    EXPECT_EQ(E2::Video::recommended(m).flags, 0u);
    m.bpp = 16;
    EXPECT_EQ(E2::Video::recommended(m).bpp, 16);
}

TEST(VideoWidescreen, SinglePrecisionThreshold) {
    EXPECT_TRUE(E2::Video::is_widescreen_size(1400, 1000));
    EXPECT_FALSE(E2::Video::is_widescreen_size(1399, 1000));
    EXPECT_TRUE(E2::Video::is_widescreen_size(1280, 800));
    EXPECT_TRUE(E2::Video::is_widescreen_size(1440, 900));
    EXPECT_TRUE(E2::Video::is_widescreen_size(1366, 768));
    EXPECT_FALSE(E2::Video::is_widescreen_size(1024, 768));
    EXPECT_FALSE(E2::Video::is_widescreen_size(1280, 1024));
    EXPECT_FALSE(E2::Video::is_widescreen_size(1600, 1200));
    EXPECT_FALSE(E2::Video::is_widescreen_size(0, 768));
    EXPECT_FALSE(E2::Video::is_widescreen_size(1024, 0));
}

// Runs against the dummy video driver.
struct VideoModeSet : ::testing::Test {
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

TEST_F(VideoModeSet, ModeReportsWhatWasGranted) {
    E2::Video* v = E2::get_video();
    ASSERT_EQ(v, E2::get_video());
    E2::VideoMode m = req(800, 0);
    m.bpp = 32;
    m.v_gamma_r = m.v_gamma_g = 1;  // blue 0: no gamma
    m.flags = SDL_SWSURFACE;
    ASSERT_TRUE(v->set_mode_exactly(E2::Video::recommended(m)));
    EXPECT_EQ(v->mode().w, 800);
    EXPECT_EQ(v->mode().h, 600);
    EXPECT_EQ(v->mode().bpp, 32);
    EXPECT_FALSE(v->mode().is_fullscreen);
    EXPECT_EQ(v->mode().v_gamma_r, 0.0f);

    // Depth 0 takes the display's depth, whatever it is.
    ASSERT_TRUE(v->set_recommended_mode(req(0, 0)));
    EXPECT_EQ(v->mode().w, 1024);
    EXPECT_EQ(v->mode().h, 768);
    EXPECT_NE(v->mode().bpp, 0);
}

TEST(VideoModeText, NamesEveryField) {
    std::ostringstream os;
    os << req(800, 600);
    std::string s = os.str();
    EXPECT_EQ(s.rfind("VideoMode {", 0), 0u);
    for (const char* f : {"\tw: 800", "\th: 600", "\tbpp: 0", "\tflags: 0", "\tis_fullscreen: 0",
                          "\tis_resizable: 0", "\tv_gamma_r: 0", "\tv_gamma_b: 0"})
        EXPECT_NE(s.find(f), std::string::npos) << f;
    EXPECT_EQ(s.back(), '}');
}

}  // namespace
