#include <cstdio>
#include <string>

#include "how_to_play_screen.h"
#include "loader.h"
#include "main_menu_screen.h"
#include "menus/support.h"
#include "play_screen.h"
#include "player.h"
#include "surf.h"
#include "tde_manager.h"

namespace {

using menus_test::press;
using menus_test::send;

class HowToPlay : public menus_test::Menus {
protected:
    void SetUp() override {
        Menus::SetUp();
        for (unsigned n = 1; n <= 6; ++n) image(".i/game/howtoplay" + std::to_string(n) + "_bg.jpg", 8, 8);
        for (char const* art : {"mainmenu", "continue"})
            for (char const* st : {"_up", "_over", "_down"}) blank(std::string(".i/menu/") + art + st + ".png");
        for (char const* dir : {"prev", "next"})
            for (char const* st : {"_up", "_over", "_down"})
                blank(std::string(".i/game/howtoplay_") + dir + st + ".png");
        blank(".i/menu/checkbox.png");
        h.load(&l);
    }
    void TearDown() override {
        for (unsigned i = 0; i < h.page_count(); ++i) h.page(i)->unload();
        Menus::TearDown();
    }
    bool page_loaded(unsigned i) const { return Surf::ok(h.page(i)->surface); }

    Loader l{"howtoplay"};
    HowToPlayScreen h;
};

TEST_F(HowToPlay, PagesWrapBothWays) {
    ASSERT_EQ(h.page_count(), 6u);
    EXPECT_EQ(h.page(0)->surface->name(), ".i/game/howtoplay1_bg.jpg");
    EXPECT_EQ(h.page(5)->surface->name(), ".i/game/howtoplay6_bg.jpg");
    h.set_pageno(5);
    EXPECT_TRUE(page_loaded(5));
    h.next_page();
    EXPECT_EQ(h.pageno(), 0u);
    EXPECT_TRUE(page_loaded(0));
    EXPECT_FALSE(page_loaded(5)) << "only the page on show is held";
    h.prev_page();
    EXPECT_EQ(h.pageno(), 5u);
    EXPECT_TRUE(h.on_click(&h.next));
    EXPECT_EQ(h.pageno(), 0u);
    EXPECT_TRUE(h.on_click(&h.prev));
    EXPECT_EQ(h.pageno(), 5u);
}

TEST_F(HowToPlay, WithoutWrapTheEndsStopAndTheirButtonsDisable) {
    h.set_should_wrap(false);
    h.set_pageno(5);
    h.next_page();
    EXPECT_EQ(h.pageno(), 5u);
    h.sync_ui();
    EXPECT_FALSE(h.next.is_enabled());
    EXPECT_TRUE(h.prev.is_enabled());
    h.set_pageno(0);
    h.prev_page();
    EXPECT_EQ(h.pageno(), 0u);
    h.sync_ui();
    EXPECT_FALSE(h.prev.is_enabled());
    EXPECT_TRUE(h.next.is_enabled());
    h.set_should_wrap(true);
    h.sync_ui();
    EXPECT_TRUE(h.prev.is_enabled());
    EXPECT_TRUE(h.next.is_enabled());
}

TEST_F(HowToPlay, SettingThePageOnShowLoadsNothing) {
    h.set_pageno(0);
    EXPECT_FALSE(page_loaded(0));
}

TEST_F(HowToPlay, TheDoneButtonShowsTheArtOfItsTarget) {
    h.set_return_to(playscreen());
    h.on_enqueue();
    EXPECT_EQ(h.done.images[ButtonSprite::normal]->name(), ".i/menu/continue_up.png");
    EXPECT_EQ(h.done.images[ButtonSprite::over]->name(), ".i/menu/continue_over.png");
    EXPECT_EQ(h.done.images[ButtonSprite::down]->name(), ".i/menu/continue_down.png");
    h.on_dequeue();
    h.set_return_to(&mainmenu);
    h.on_enqueue();
    EXPECT_EQ(h.done.images[ButtonSprite::normal]->name(), ".i/menu/mainmenu_up.png");
    EXPECT_EQ(h.done.state, ButtonSprite::normal);
    h.on_dequeue();
}

TEST_F(HowToPlay, LeavingStoresTheFlagOfTheCurrentGameTypeAndSaves) {
    Player* p = Player::cur();
    p->game = Player::FREECELL;
    h.set_pageno(4);  // another game's page: the box still concerns FreeCell
    h.on_enqueue();
    EXPECT_TRUE(h.show_rules.is_checked());
    p->show_rules[Player::FREECELL] = false;
    h.sync_ui();
    EXPECT_FALSE(h.show_rules.is_checked());
    h.show_rules.set_checked(true);
    h.on_dequeue();
    EXPECT_TRUE(p->show_rules[Player::FREECELL]);

    h.on_enqueue();
    send(h, press(20, 700));  // the box's hit area: clears it
    EXPECT_FALSE(h.show_rules.is_checked());
    h.on_dequeue();
    EXPECT_FALSE(p->show_rules[Player::FREECELL]);
    for (unsigned g = 0; g < Player::game_count; ++g) EXPECT_EQ(p->show_rules[g], g != Player::FREECELL) << g;
    EXPECT_FALSE(page_loaded(4));

    Player back;
    FILE* f = std::fopen(Player::filename(0).c_str(), "rb");
    ASSERT_TRUE(f) << "the player files are written";
    back.read(f);
    std::fclose(f);
    EXPECT_FALSE(back.show_rules[Player::FREECELL]);
    EXPECT_TRUE(back.show_rules[Player::KLONDIKE]);
}

TEST_F(HowToPlay, EscapeLeavesLikeDoneAndWithoutATargetGoesToTheMainMenu) {
    h.set_return_to(nullptr);
    h.on_enqueue();
    tde_stack.link_front(&h);
    Player::cur()->game = Player::GOLF;
    h.show_rules.set_checked(false);
    EXPECT_TRUE(send(h, menus_test::key(SDLK_ESCAPE)));
    EXPECT_EQ(tde_stack.front(), &mainmenu);
    EXPECT_FALSE(Player::cur()->show_rules[Player::GOLF]);
    tde_stack.unlink_front();
}

}  // namespace
