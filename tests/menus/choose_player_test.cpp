#include <string>

#include "choose_player_screen.h"
#include "enter_name_dialog.h"
#include "loader.h"
#include "main_menu_screen.h"
#include "menus/support.h"
#include "player.h"
#include "tde_manager.h"

namespace {

using menus_test::key;
using menus_test::press;
using menus_test::release;
using menus_test::send;

class ChoosePlayer : public menus_test::Menus {
protected:
    void SetUp() override {
        Menus::SetUp();
        name(0, "Ann", 120);
        name(2, "Bob", -5);
        Player::set_cur(0);
        c.load(&l);
        c.start();
    }
    void TearDown() override {
        entername.shown = false;
        entername.text.set_text("");
        Menus::TearDown();
    }
    static void name(unsigned i, char const* n, int score) {
        Player* p = Player::get(i);
        p->name = n;
        p->fresh = false;
        p->score = score;
    }
    // Lets the dialog's guard time pass.
    void wait_guard() { c.tick(1000, ConfirmDialog::guard_ms + 1); }

    Loader l{"players"};
    ChoosePlayerScreen c;
};

TEST_F(ChoosePlayer, RowsShowTheirThreeCases) {
    EXPECT_EQ(ChoosePlayerScreen::row_case(0), ChoosePlayerScreen::row_current);
    EXPECT_EQ(ChoosePlayerScreen::row_case(1), ChoosePlayerScreen::row_empty);
    EXPECT_EQ(ChoosePlayerScreen::row_case(2), ChoosePlayerScreen::row_named);
    // current: select only; empty: create only; named: select and delete.
    EXPECT_TRUE(c.select[0].is_enabled());
    EXPECT_FALSE(c.create[0].is_enabled());
    EXPECT_FALSE(c.del[0].is_enabled());
    EXPECT_FALSE(c.select[1].is_enabled());
    EXPECT_TRUE(c.create[1].is_enabled());
    EXPECT_FALSE(c.del[1].is_enabled());
    EXPECT_TRUE(c.select[2].is_enabled());
    EXPECT_FALSE(c.create[2].is_enabled());
    EXPECT_TRUE(c.del[2].is_enabled());
    EXPECT_EQ(c.marker.pos(), E2::Vec2<int>(64, 186));
    EXPECT_EQ(c.name_text(2).text(), "Bob");
    EXPECT_EQ(c.score_text(2).text(), "-5");
    EXPECT_EQ(c.name_text(4).text(), "empty");
    EXPECT_EQ(c.score_text(4).text(), "0");
    EXPECT_EQ(c.del[3].pos(), c.create[3].pos());
    EXPECT_EQ(c.score_text(3).pos(), E2::Vec2<int>(777, 188 + 303));
}

TEST_F(ChoosePlayer, AFreshCurrentProfileCountsAsCurrent) {
    Player::get(0)->fresh = true;
    EXPECT_EQ(ChoosePlayerScreen::row_case(0), ChoosePlayerScreen::row_current);
}

TEST_F(ChoosePlayer, TheCurrentProfileCannotBeDeleted) {
    EXPECT_TRUE(c.on_click(&c.del[0]));
    EXPECT_FALSE(c.delete_dialog.shown);
    EXPECT_TRUE(c.on_click(&c.del[1]));  // an empty row neither
    EXPECT_FALSE(c.delete_dialog.shown);
    EXPECT_EQ(Player::get(0)->name, "Ann");
}

TEST_F(ChoosePlayer, ADeletionWaitsForTheGuardAndAYes) {
    EXPECT_TRUE(c.on_click(&c.del[2]));
    ASSERT_TRUE(c.delete_dialog.shown);
    EXPECT_EQ(c.pending_deletion(), 2u);
    c.tick(1000, 100);
    EXPECT_FALSE(send(c, key(SDLK_RETURN))) << "input is ignored for the first 500 ms";
    EXPECT_TRUE(c.delete_dialog.shown);
    wait_guard();
    send(c, key(SDLK_ESCAPE));
    EXPECT_FALSE(c.delete_dialog.shown);
    EXPECT_EQ(Player::get(2)->name, "Bob") << "cancelling changes nothing";

    c.on_click(&c.del[2]);
    wait_guard();
    send(c, key(SDLK_RETURN));
    EXPECT_FALSE(c.delete_dialog.shown);
    EXPECT_EQ(ChoosePlayerScreen::row_case(2), ChoosePlayerScreen::row_empty);
    EXPECT_EQ(c.name_text(2).text(), "empty");
    EXPECT_EQ(c.score_text(2).text(), "0");
    EXPECT_TRUE(c.create[2].is_enabled());
    EXPECT_FALSE(c.select[2].is_enabled());
}

TEST_F(ChoosePlayer, CreateMakesTheSlotCurrentBeforeTheNameIsTyped) {
    EXPECT_TRUE(c.on_click(&c.create[3]));
    EXPECT_TRUE(Player::get(3)->is_cur());
    EXPECT_EQ(c.marker.pos(), ChoosePlayerScreen::marker_pos(3));
    ASSERT_TRUE(entername.shown);
    EXPECT_EQ(entername.text.text(), "");
    EXPECT_TRUE(send(c, press(40, 180))) << "the prompt takes every event";
    send(c, key(SDLK_c));
    send(c, key(SDLK_y));
    EXPECT_TRUE(entername.shown);
    send(c, key(SDLK_RETURN));
    EXPECT_FALSE(entername.shown);
    EXPECT_EQ(Player::get(3)->name, "cy");
    EXPECT_EQ(c.name_text(3).text(), "cy");
    EXPECT_EQ(ChoosePlayerScreen::row_case(0), ChoosePlayerScreen::row_named);
}

TEST_F(ChoosePlayer, EscapeInThePromptKeepsWhatWasTypedEvenNothing) {
    c.on_click(&c.create[4]);
    send(c, key(SDLK_ESCAPE));
    EXPECT_FALSE(entername.shown);
    EXPECT_EQ(Player::get(4)->name, "");
    EXPECT_FALSE(Player::get(4)->fresh);
    c.on_click(&c.select[0]);
    EXPECT_EQ(ChoosePlayerScreen::row_case(4), ChoosePlayerScreen::row_named);
}

TEST_F(ChoosePlayer, SelectingANamedProfileMakesItCurrent) {
    EXPECT_TRUE(c.on_click(&c.select[0]));
    EXPECT_TRUE(Player::get(0)->is_cur());
    EXPECT_TRUE(c.on_click(&c.select[1]));  // empty: nothing
    EXPECT_TRUE(Player::get(0)->is_cur());
    EXPECT_TRUE(c.on_click(&c.select[2]));
    EXPECT_TRUE(Player::get(2)->is_cur());
    EXPECT_EQ(c.select[2].state, ButtonSprite::over);
    EXPECT_EQ(c.marker.pos(), ChoosePlayerScreen::marker_pos(2));
    EXPECT_TRUE(c.del[0].is_enabled());
    EXPECT_FALSE(c.del[2].is_enabled());
    ButtonSprite other;
    EXPECT_FALSE(c.on_click(&other));
}

TEST_F(ChoosePlayer, EscapeReturnsToTheMainMenu) {
    tde_stack.link_front(&c);
    EXPECT_TRUE(send(c, key(SDLK_ESCAPE)));
    EXPECT_EQ(tde_stack.front(), &mainmenu);
    tde_stack.unlink_front();
}

}  // namespace
