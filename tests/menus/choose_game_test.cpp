// The game-choice screen.

#include <gtest/gtest.h>

#include "choose_game_screen.h"
#include "games/screen_support.h"
#include "loader_global.h"
#include "menu_screens.h"
#include "play_screen.h"

namespace {

class ChooseGame : public screen_test::Screens {
protected:
    void SetUp() override {
        Screens::SetUp();
        load_menu_screens(&loader);
        choosegamescreen.routes = ChooseGameScreen::Routes();
    }
    void TearDown() override {
        choosegamescreen.routes = ChooseGameScreen::Routes();
        Screens::TearDown();
    }
};

TEST_F(ChooseGame, TheMarkerFollowsTheProfilesGame) {
    Player::cur()->game = Player::SPIDER;
    tde_stack.push_front(&choosegamescreen);
    EXPECT_EQ(choosegamescreen.marker.pos(), E2::Vec2<int>(411, 482));
    EXPECT_TRUE(Surf::ok(choosegamescreen.background.surface));

    // Another profile made current: the marker moves with the next refresh.
    Player::set_cur(3);
    Player::cur()->game = Player::GOLF;
    choosegamescreen.start();
    EXPECT_EQ(choosegamescreen.marker.pos(), E2::Vec2<int>(906, 482));

    EXPECT_TRUE(choosegamescreen.on_click(&choosegamescreen.games[1]));
    EXPECT_EQ(Player::cur()->game, Player::FREECELL);
    EXPECT_EQ(choosegamescreen.marker.pos(), E2::Vec2<int>(246, 482));
    EXPECT_EQ(choosegamescreen.games[4].image(ButtonSprite::normal), nullptr) << "invisible at rest";
}

TEST_F(ChooseGame, AClickOnThePictureTheBoxOrTheNameChoosesTheGame) {
    tde_stack.push_front(&choosegamescreen);
    struct Row { char const* where; int x, y; Player::Game_Type chosen; };
    for (Row const& r : {Row{"picture", 427, 300, Player::SPIDER}, Row{"box", 592, 498, Player::TRIPEAKS},
                         Row{"name", 757, 540, Player::YUKON}, Row{"name's left edge", 185, 555, Player::FREECELL},
                         Row{"between two names", 839, 540, Player::FREECELL},
                         Row{"below", 97, 560, Player::FREECELL}}) {
        SDL_Event down = button(SDL_MOUSEBUTTONDOWN, r.x, r.y), up = button(SDL_MOUSEBUTTONUP, r.x, r.y);
        choosegamescreen.proc_event(&down);
        choosegamescreen.proc_event(&up);
        EXPECT_EQ(Player::cur()->game, r.chosen) << r.where;
        EXPECT_EQ(choosegamescreen.marker.pos(), ChooseGameScreen::marker_pos(r.chosen)) << r.where;
    }
}

TEST_F(ChooseGame, EscapeActsAsContinueAndLeadsToAGameOfTheChosenType) {
    tde_stack.push_front(&choosegamescreen);
    choosegamescreen.on_click(&choosegamescreen.games[0]);
    EXPECT_TRUE(type_key(choosegamescreen, SDLK_ESCAPE));
    EXPECT_EQ(tde_stack.front(), playscreen());
    EXPECT_EQ(playscreen()->rules()->namecode(), "klondike");
    EXPECT_FALSE(Surf::ok(choosegamescreen.background.surface)) << "freed on leaving";
}

TEST_F(ChooseGame, TheRulesPageComesFirstWhileTheProfileAsksForIt) {
    std::vector<Player::Game_Type> shown;
    choosegamescreen.routes.show_rules_first = [&](Player::Game_Type t) { shown.push_back(t); };
    tde_stack.push_front(&choosegamescreen);
    choosegamescreen.on_click(&choosegamescreen.games[4]);
    EXPECT_TRUE(choosegamescreen.on_click(&choosegamescreen.bcontinue));
    EXPECT_EQ(shown, (std::vector<Player::Game_Type>{Player::YUKON}));
    EXPECT_EQ(tde_stack.front(), &choosegamescreen);
    Player::cur()->show_rules[Player::YUKON] = false;
    choosegamescreen.on_click(&choosegamescreen.bcontinue);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(tde_stack.front(), playscreen());
}

}  // namespace
