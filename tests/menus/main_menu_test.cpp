// The main menu: the welcome line, where play leads, and the quit dialog.

#include <gtest/gtest.h>

#include "choose_game_screen.h"
#include "games/screen_support.h"
#include "loader_global.h"
#include "main_menu_screen.h"
#include "menu_screens.h"
#include "play_screen.h"
#include "title_screen.h"

namespace {

class MainMenu : public screen_test::Screens {
protected:
    void SetUp() override {
        Screens::SetUp();
        load_menu_screens(&loader);
        tde_stack.push_front(&mainmenu);
    }
    void TearDown() override {
        mainmenu.quit.finish(false);
        Screens::TearDown();
    }
    void run(unsigned ms) {
        for (unsigned t = 0; t < ms; t += 16) mainmenu.tick(now += 16, 16);
    }
    bool press(SDLKey k) { return type_key(mainmenu, k); }
    unsigned now = 0;
};

TEST_F(MainMenu, TheWelcomeLineNamesTheCurrentPlayer) {
    Player::cur()->name = "Ann";
    mainmenu.resync();
    EXPECT_EQ(mainmenu.welcome.text(), "Welcome, Ann! If this is not you, click here.");
    Player::set_cur(2);
    Player::cur()->name = "Bo";
    EXPECT_EQ(mainmenu.welcome.text(), "Welcome, Ann! If this is not you, click here.") << "only resync refreshes it";
    mainmenu.resync();
    EXPECT_EQ(mainmenu.welcome.text(), "Welcome, Bo! If this is not you, click here.");
}

TEST_F(MainMenu, PlayLeadsToTheGameChoiceOrResumesTheGameInProgress) {
    EXPECT_TRUE(mainmenu.on_click(&mainmenu.bplay));
    EXPECT_EQ(tde_stack.front(), &choosegamescreen);

    // Back in the menu with a game left unfinished: play resumes it.
    orb_transition_to(playscreen());
    ASSERT_TRUE(Player::cur()->in_progress);
    playscreen()->rules()->moves = 3;
    orb_transition_to(&mainmenu);
    mainmenu.on_click(&mainmenu.bplay);
    EXPECT_EQ(tde_stack.front(), playscreen());
    EXPECT_EQ(playscreen()->rules()->moves, 3);
    EXPECT_EQ(Player::cur()->stats[0].played, 1u);
}

TEST_F(MainMenu, ButtonsOfLaterScreensFollowTheirHooks) {
    int options = 0, scores = 0, help = 0, change = 0;
    for (ButtonSprite* b : {&mainmenu.boptions, &mainmenu.bhighscores, &mainmenu.bhowtoplay, &mainmenu.bchangeplayer})
        EXPECT_TRUE(mainmenu.on_click(b)) << "no hook: nothing happens";
    EXPECT_EQ(tde_stack.front(), &mainmenu);
    mainmenu.routes.options = [&] { ++options; };
    mainmenu.routes.high_scores = [&] { ++scores; };
    mainmenu.routes.how_to_play = [&] { ++help; };
    mainmenu.routes.change_player = [&] { ++change; };
    for (ButtonSprite* b : {&mainmenu.boptions, &mainmenu.bhighscores, &mainmenu.bhowtoplay, &mainmenu.bchangeplayer})
        mainmenu.on_click(b);
    EXPECT_EQ(options + scores + help + change, 4);
    EXPECT_EQ(options * scores * help * change, 1);
    mainmenu.routes = MainMenuScreen::Routes();
    EXPECT_FALSE(mainmenu.on_click(&playscreen()->bundo));
}

TEST_F(MainMenu, EscapeOpensTheQuitDialogWhichIgnoresInputForHalfASecond) {
    EXPECT_TRUE(press(SDLK_ESCAPE));
    ASSERT_TRUE(mainmenu.quit.shown);
    run(300);
    press(SDLK_ESCAPE);
    EXPECT_TRUE(mainmenu.quit.shown) << "within the first 500 ms";
    run(300);
    press(SDLK_ESCAPE);
    EXPECT_FALSE(mainmenu.quit.shown);
    EXPECT_EQ(tde_stack.front(), &mainmenu) << "no: the menu stays";
    EXPECT_TRUE(read_file(player_file(0)).empty());

    // Yes saves the profiles, then the stack empties.
    mainmenu.on_click(&mainmenu.bquit);
    run(600);
    Player::cur()->name = "Ann";
    press(SDLK_RETURN);
    EXPECT_TRUE(tde_stack.empty());
    EXPECT_NE(read_file(player_file(0)).find("Ann"), std::string::npos);
}

TEST_F(MainMenu, TheTitleLeadsToTheNewPlayerScreenOrToTheRefreshedMenu) {
    tde_stack.pop_front();
    tde_stack.push_front(&titlescreen);
    titlescreen.finish();
    EXPECT_NE(tde_stack.front(), &mainmenu);
    EXPECT_FALSE(tde_stack.front() == &titlescreen);
    drop_all_screens();

    Player::cur()->fresh = false;
    Player::cur()->name = "Cy";
    tde_stack.push_front(&titlescreen);
    titlescreen.finish();
    EXPECT_EQ(tde_stack.front(), &mainmenu);
    EXPECT_EQ(mainmenu.welcome.text(), "Welcome, Cy! If this is not you, click here.");
}

}  // namespace
