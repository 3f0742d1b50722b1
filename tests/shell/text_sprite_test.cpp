#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blink_sprite.h"
#include "clock_sprite.h"
#include "glyph_set.h"
#include "loader.h"
#include "support.h"
#include "text_sprite.h"
#include "widget_support.h"

namespace {

using test::take_jobs;

// Glyphs 'a' (10 wide), 'b' (12 wide) and 'i' (4 wide), all 16 high; fudge -6, +3.
class Text : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        gs.set_glyph('a', a.get());
        gs.set_glyph('b', b.get());
        gs.set_glyph('i', i.get());
        gs.set_fudge(-6, 3);
        t.glyphs = &gs;
        t.set_pos(100, 50);
    }
    std::vector<int> xs() {
        std::vector<int> out;
        for (BlitJob const& j : take_jobs()) out.push_back(j.rect.x);
        return out;
    }

    std::unique_ptr<Surf> a = test::solid_surf(10, 16, 0xFF0000FF);
    std::unique_ptr<Surf> b = test::solid_surf(12, 16, 0x00FF00FF);
    std::unique_ptr<Surf> i = test::solid_surf(4, 16, 0x0000FFFF);
    GlyphSet gs;
    TextSprite t;
};

TEST_F(Text, GlyphLookupFallsBackToTheOtherCase) {
    Surf unloaded("u", nullptr);
    gs.set_glyph('C', &unloaded);
    EXPECT_EQ(gs.glyph('A'), a.get());     // no 'A': the lower-case entry
    EXPECT_EQ(gs.glyph('c'), &unloaded);   // 'c' empty: the upper-case entry, loaded or not
    EXPECT_EQ(gs.glyph('B'), b.get());
    EXPECT_EQ(gs.glyph('?'), nullptr);
    EXPECT_EQ(gs.glyph(static_cast<char>(0xE9)), nullptr);  // bytes above 127
    gs.set_glyph(static_cast<char>(-3), a.get());           // ignored
    EXPECT_EQ(gs.space(), 4 - 6);                            // 'i' plus fudge
    gs.set_space(9);
    EXPECT_EQ(gs.space(), 9);
    GlyphSet empty;
    EXPECT_EQ(empty.space(), 0);
}

TEST_F(Text, MenuGlyphsScheduleEveryCharacterWithTheMenuFudge) {
    Loader l("");
    GlyphSet saved = menu_glyphs;
    fill_menu_glyphs(l);
    EXPECT_EQ(l.jobs().size(), 26u + 10u + 7u);
    EXPECT_TRUE(l.jobs().count(".i/menu/glyphs/menu_q.png"));
    EXPECT_TRUE(l.jobs().count(".i/menu/glyphs/menu_7.png"));
    EXPECT_TRUE(l.jobs().count(".i/menu/glyphs/menu_exclamationmark.png"));
    EXPECT_EQ(menu_glyphs.glyph('%'), l.get_surface_delayed(".i/menu/glyphs/menu_percent.png"));
    // Upper case has no images of its own.
    EXPECT_EQ(menu_glyphs.glyph('Q'), l.get_surface_delayed(".i/menu/glyphs/menu_q.png"));
    EXPECT_EQ(menu_glyphs.fudge_w(), -6);
    EXPECT_EQ(menu_glyphs.fudge_h(), 0);
    menu_glyphs = saved;
}

TEST_F(Text, LeftAlignedAdvancesByWidthPlusFudge) {
    t.set_text("ab");
    t.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].surface, a.get());
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(100, 53, 10, 16));
    EXPECT_EQ(jobs[1].rect, E2::Rect<int>(104, 53, 12, 16));
    EXPECT_EQ(jobs[1].flags, E2::op_blit | E2::blend_alpha);
    EXPECT_EQ(jobs[1].ai, 255);
    EXPECT_EQ(t.cursor.x, 110);
    // Upper case draws with the lower-case image.
    t.set_text("Ab");
    t.display(nullptr);
    jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].surface, a.get());
    EXPECT_EQ(jobs[1].surface, b.get());
}

TEST_F(Text, MissingOrUnloadedGlyphsTakeNoSpaceInAnyAlignment) {
    Surf unloaded("u", nullptr);
    unloaded.set_world_wh({50, 16});
    gs.set_glyph('c', &unloaded);
    for (int align : {0, 1, 2}) {
        t.align = align;
        t.set_text("ab");
        std::vector<int> plain = (t.display(nullptr), xs());
        t.set_text("a?cb");
        std::vector<int> gaps = (t.display(nullptr), xs());
        EXPECT_EQ(plain, gaps) << "align " << align;
    }
}

TEST_F(Text, RightAlignedEndsFudgeToTheLeftOfX) {
    t.align = TextSprite::align_right;
    t.set_text("ab");
    t.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    // Drawn from the last character; with fudge -6 the text ends 6 px right of x.
    EXPECT_EQ(jobs[0].surface, b.get());
    EXPECT_EQ(jobs[0].rect.x + 12, 106);
    EXPECT_EQ(jobs[1].rect.x, 90);
    EXPECT_EQ(t.cursor.x, 90);
    t.set_text("a b");
    gs.set_space(7);
    EXPECT_EQ((t.display(nullptr), xs()), (std::vector<int>{94, 83}));
}

TEST_F(Text, CentredTextTruncatesHalfTheWidthTowardZero) {
    t.align = TextSprite::align_center;
    t.set_text("ab");  // 4 + 6 = 10 wide
    EXPECT_EQ((t.display(nullptr), xs()), (std::vector<int>{95, 99}));
    t.set_text("aab");  // 4 + 4 + 6 = 14
    EXPECT_EQ((t.display(nullptr), xs()), (std::vector<int>{93, 97, 101}));
    // A negative odd total: -11 / 2 is -5, not -6.
    gs.set_fudge(-21, 0);
    t.set_text("a");
    EXPECT_EQ((t.display(nullptr), xs()), (std::vector<int>{105}));
    t.align = 7;  // unknown: nothing drawn
    EXPECT_TRUE((t.display(nullptr), xs()).empty());
}

TEST_F(Text, ScaledLeftTextScalesAdvanceOffsetAndSize) {
    t.scale = 2.0f;
    t.set_text("a a");
    gs.set_space(5);
    t.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(100, 56, 20, 32));
    EXPECT_EQ(jobs[1].rect.x, 100 + 8 + 10);
    EXPECT_EQ(t.scalei(3), 6);
    t.scale = 1.5f;
    EXPECT_EQ(t.scalei(-3), -5);  // halves away from zero
}

TEST_F(Text, BytesAboveAsciiAreNotWhiteSpaceAndDrawNothing) {
    t.set_text(std::string("a\xA0\x85" "b"));  // 0xA0 and 0x85 are white space in some locales
    EXPECT_EQ((t.display(nullptr), xs()), (std::vector<int>{100, 104}));
}

TEST_F(Text, CursorFollowsTheTextOnlyWhileEditableAndVisible) {
    auto caret = test::solid_surf(2, 16, 0xFFFFFFFF);
    t.cursor.surface = caret.get();
    t.cursor.y = 48;
    t.set_text("a");
    t.display(nullptr);
    EXPECT_EQ(take_jobs().size(), 1u);  // not editable: no cursor
    t.set_editable(true);
    t.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].rect, E2::Rect<int>(104, 48, 2, 16));
    t.tick(0, 600);  // off for 400 ms
    t.display(nullptr);
    EXPECT_EQ(take_jobs().size(), 1u);
    t.tick(0, 400);
    t.set_text("");
    t.display(nullptr);
    jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].rect.x, 100);
}

TEST(BlinkSprite, PeriodOfZeroStaysVisibleAndLongPeriodsDoNotWrap) {
    BlinkSprite none(0, 0);
    none.tick(0, 123);
    EXPECT_TRUE(none.visible);
    BlinkSprite huge(0xFFFFFFFFu, 1);  // on + off overflows 32 bits
    huge.tick(0, 5);
    EXPECT_TRUE(huge.visible);
    BlinkSprite b(600, 400);
    b.tick(0, 599);
    EXPECT_TRUE(b.visible);
    b.tick(0, 1);
    EXPECT_FALSE(b.visible);
    b.tick(0, 400);
    EXPECT_TRUE(b.visible);
}

SDL_Event key(SDLKey k, SDLMod mod = KMOD_NONE) { return test::key_down(k, mod); }

class Typing : public ::testing::Test {
protected:
    void SetUp() override { t.set_editable(true); }
    bool type(SDLKey k, SDLMod mod = KMOD_NONE) {
        SDL_Event e = key(k, mod);
        return t.proc_event(&e);
    }
    TextSprite t;
};

TEST_F(Typing, LettersDigitsAndPunctuationUpToTheLimit) {
    t.max_length = 14;
    for (int n = 0; n < 14; ++n) EXPECT_TRUE(type(static_cast<SDLKey>('a' + n)));
    EXPECT_EQ(t.text(), "abcdefghijklmn");
    EXPECT_TRUE(type(SDLK_z));  // the fifteenth is refused but consumed
    EXPECT_EQ(t.text().size(), 14u);
    EXPECT_TRUE(type(SDLK_SPACE));
    EXPECT_EQ(t.text().size(), 14u);
    t.set_text("");
    EXPECT_TRUE(type(SDLK_a, KMOD_LSHIFT));  // the shift state is not looked at
    EXPECT_TRUE(type(SDLK_KP7));
    EXPECT_TRUE(type(SDLK_KP_MINUS));
    EXPECT_TRUE(type(SDLK_PERIOD));
    EXPECT_TRUE(type(SDLK_9));
    EXPECT_EQ(t.text(), "a7-.9");
}

TEST_F(Typing, SpacesOnlyAfterTheFirstCharacter) {
    EXPECT_TRUE(type(SDLK_SPACE));
    EXPECT_EQ(t.text(), "");
    type(SDLK_a);
    EXPECT_TRUE(type(SDLK_SPACE));
    type(SDLK_b);
    EXPECT_EQ(t.text(), "a b");
}

TEST_F(Typing, BackspaceDeleteEnterAndOtherKeys) {
    EXPECT_TRUE(type(SDLK_BACKSPACE));  // on empty text: consumed
    EXPECT_TRUE(type(SDLK_RETURN));     // Enter on empty text is swallowed
    EXPECT_TRUE(type(SDLK_KP_ENTER));
    type(SDLK_a);
    type(SDLK_b);
    EXPECT_FALSE(type(SDLK_RETURN));  // with text it goes to the owner
    EXPECT_FALSE(type(SDLK_KP_ENTER));
    EXPECT_TRUE(type(SDLK_DELETE));
    EXPECT_EQ(t.text(), "a");
    EXPECT_TRUE(type(SDLK_F1));       // swallowed without effect
    EXPECT_TRUE(type(SDLK_WORLD_5));  // a key code above 127
    EXPECT_EQ(t.text(), "a");
    SDL_Event up = key(SDLK_b);
    up.type = SDL_KEYUP;
    EXPECT_FALSE(t.proc_event(&up));
    t.set_editable(false);
    EXPECT_FALSE(type(SDLK_b));
    EXPECT_EQ(t.text(), "a");
}

class CountingListener : public ClockListener {
public:
    void clock_seconds_changed(ClockSprite*) override { ++calls; }
    int calls = 0;
};

TEST(Clock, TextAndListenerChangeOnlyWithTheWholeSecond) {
    ClockSprite c;
    CountingListener l;
    c.listener = &l;
    EXPECT_EQ(c.text(), "0:00");
    c.set_time(59999);
    EXPECT_EQ(c.text(), "0:59");
    EXPECT_EQ(l.calls, 1);
    c.set_time(60000);
    EXPECT_EQ(c.text(), "1:00");
    EXPECT_EQ(l.calls, 2);
    c.set_time(60500);
    EXPECT_EQ(l.calls, 2);
    c.set_time(61 * 60000);  // whole hours are not shown
    EXPECT_EQ(c.text(), "1:00");
    c.set_time(0);
    c.tick(0, 1500);
    EXPECT_EQ(c.time(), 1500u);
    EXPECT_EQ(c.text(), "0:01");
    c.paused = true;
    c.tick(0, 5000);
    EXPECT_EQ(c.time(), 1500u);
}

TEST(Clock, CountDownStopsAtZeroAndStaysThere) {
    ClockSprite c;
    c.count_down = true;
    c.set_time(1200);
    c.tick(0, 1000);
    EXPECT_EQ(c.time(), 200u);
    c.tick(0, 1000);
    EXPECT_EQ(c.time(), 0u);
    EXPECT_EQ(c.text(), "0:00");
    unsigned cursor_clock = c.cursor.clock_ms;
    c.tick(0, 600);  // at 0 the tick does nothing, the cursor included
    EXPECT_EQ(c.cursor.clock_ms, cursor_clock);
    EXPECT_EQ(c.time(), 0u);
}

TEST(Clock, CountingUpHoldsAtTheLargestTime) {
    ClockSprite c;
    c.set_time(0xFFFFFF00u);
    c.tick(0, 1000);
    EXPECT_EQ(c.time(), 0xFFFFFFFFu);
}

}  // namespace
