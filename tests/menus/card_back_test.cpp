#include "card_back_screen.h"
#include "loader.h"
#include "menus/support.h"
#include "options_screen.h"
#include "player.h"
#include "tde_manager.h"

namespace {

using menus_test::press;
using menus_test::release;
using menus_test::send;

class CardBacks : public menus_test::Menus {
protected:
    void enter(bool card_images) {
        for (char const* n : {".i/game/choosecardback_bg.jpg", ".i/menu/checkbox.png"}) blank(n);
        for (unsigned i = 0; i < CardBackScreen::card_count; ++i) {
            std::string name = ".i/game/cards/back" + std::to_string(i) + ".png";
            if (card_images)
                image(name, 99, 144);
            else
                blank(name);
        }
        c.load(&l);
        c.on_enqueue();
    }
    void TearDown() override {
        for (unsigned i = 0; i < CardBackScreen::card_count; ++i) cardback_surf(i)->unload();
        Menus::TearDown();
    }
    Loader l{"backs"};
    CardBackScreen c;
};

TEST_F(CardBacks, TheMarkerStandsUnderTheChosenBack) {
    enter(false);
    struct Case {
        unsigned back;
        int x, y;
    } const cases[] = {{0, 74, 358}, {7, 914, 358}, {8, 74, 585}, {13, 674, 585}, {15, 914, 585}};
    for (Case const& k : cases) {
        Player::cur()->card_back = k.back;
        c.resync();
        EXPECT_EQ(c.marker.pos(), E2::Vec2<int>(k.x, k.y)) << k.back;
    }
    EXPECT_TRUE(c.on_click(&c.cards[9]));
    EXPECT_EQ(Player::cur()->card_back, 9u);
    EXPECT_EQ(c.marker.pos(), E2::Vec2<int>(194, 585));
}

TEST_F(CardBacks, APressInACardsPlaceChoosesItWhenItsButtonCannot) {
    enter(false);  // no card image is loaded, so no button is hit
    EXPECT_TRUE(send(c, press(37 + 360 + 50, 411 + 100)));
    EXPECT_EQ(Player::cur()->card_back, 11u);
    EXPECT_TRUE(send(c, press(142, 183)));  // the first card's last column and top row
    EXPECT_EQ(Player::cur()->card_back, 0u);
    Player::cur()->card_back = 5;
    for (auto at : {E2::Vec2<int>(143, 200), E2::Vec2<int>(100, 398), E2::Vec2<int>(36, 200)}) {
        send(c, press(at.x, at.y));
        EXPECT_EQ(Player::cur()->card_back, 5u) << at.x << "," << at.y;
    }
    send(c, release(100, 200));
    EXPECT_EQ(Player::cur()->card_back, 5u) << "the fallback takes presses only";
}

TEST_F(CardBacks, ALoadedCardButtonClicksOnRelease) {
    enter(true);
    E2::Vec2<int> at = CardBackScreen::card_pos(4);
    EXPECT_TRUE(send(c, press(at.x + 10, at.y + 10)));
    EXPECT_EQ(Player::cur()->card_back, 0u);
    EXPECT_TRUE(send(c, release(at.x + 10, at.y + 10)));
    EXPECT_EQ(Player::cur()->card_back, 4u);
    EXPECT_EQ(c.marker.pos(), CardBackScreen::marker_pos(4));
}

TEST_F(CardBacks, EscapeGoesBackToTheOptions) {
    enter(false);
    tde_stack.link_front(&c);
    EXPECT_TRUE(send(c, menus_test::key(SDLK_ESCAPE)));
    EXPECT_EQ(tde_stack.front(), &options);
    tde_stack.unlink_front();
}

TEST_F(CardBacks, TheImageOfABackIsOneSurfPerName) {
    EXPECT_EQ(cardback_surf(3), cardback_surf(3));
    EXPECT_EQ(cardback_surf(3)->name(), ".i/game/cards/back3.png");
    EXPECT_NE(cardback_surf(3), cardback_surf(4));
}

}  // namespace
