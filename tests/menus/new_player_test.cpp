// The new-player screen and the name prompt.

#include <gtest/gtest.h>

#include "enter_name_dialog.h"
#include "games/screen_support.h"
#include "loader_global.h"
#include "main_menu_screen.h"
#include "menu_screens.h"
#include "new_player_screen.h"

namespace {

class NewPlayer : public screen_test::Screens {
protected:
    void SetUp() override {
        Screens::SetUp();
        load_menu_screens(&loader);
        newplayerscreen.name.set_text("");
        newplayerscreen.bcontinue.disable();
        tde_stack.push_front(&newplayerscreen);
    }
    bool press(SDLKey k) { return type_key(newplayerscreen, k); }
    void type(std::string const& s) {
        for (char c : s) press(static_cast<SDLKey>(c));
    }
};

TEST_F(NewPlayer, ContinueIsEnabledExactlyWhileANameIsTyped) {
    EXPECT_FALSE(newplayerscreen.bcontinue.is_enabled());
    EXPECT_TRUE(Surf::ok(newplayerscreen.background.surface)) << "loaded on entry";
    type("a");
    EXPECT_EQ(newplayerscreen.name.text(), "a");
    EXPECT_TRUE(newplayerscreen.bcontinue.is_enabled());
    press(SDLK_BACKSPACE);
    EXPECT_EQ(newplayerscreen.name.text(), "");
    EXPECT_FALSE(newplayerscreen.bcontinue.is_enabled());
}

TEST_F(NewPlayer, AtMostFourteenCharacters) {
    type("abcdefghijklmnop");
    EXPECT_EQ(newplayerscreen.name.text(), "abcdefghijklmn");
    EXPECT_EQ(newplayerscreen.name.max_length, 14u);
}

TEST_F(NewPlayer, EscapeDoesNothingAndEnterNeedsAName) {
    EXPECT_TRUE(press(SDLK_ESCAPE));
    EXPECT_EQ(tde_stack.front(), &newplayerscreen);
    press(SDLK_RETURN);
    EXPECT_EQ(tde_stack.front(), &newplayerscreen) << "an empty name";
    EXPECT_TRUE(Player::cur()->fresh);
    EXPECT_FALSE(newplayerscreen.on_click(&mainmenu.bplay));
}

TEST_F(NewPlayer, EnterStoresTheNameAndTheMenuGreetsIt) {
    type("zoe");
    press(SDLK_KP_ENTER);
    EXPECT_EQ(Player::cur()->name, "zoe");
    EXPECT_FALSE(Player::cur()->fresh);
    EXPECT_EQ(tde_stack.front(), &mainmenu);
    EXPECT_EQ(mainmenu.welcome.text(), "Welcome, zoe! If this is not you, click here.");
    EXPECT_FALSE(Surf::ok(newplayerscreen.background.surface)) << "freed on leaving";
    EXPECT_TRUE(read_file(player_file(0)).empty()) << "saved only at the usual moments";
}

TEST_F(NewPlayer, TheContinueButtonStoresTheNameToo) {
    type("max");
    EXPECT_TRUE(newplayerscreen.on_click(&newplayerscreen.bcontinue));
    EXPECT_EQ(Player::cur()->name, "max");
    EXPECT_EQ(tde_stack.front(), &mainmenu);
}

TEST_F(NewPlayer, ThePromptTakesTheSameLimitsWithItsOwnButton) {
    EXPECT_FALSE(entername.bok.is_enabled());
    entername.show("");
    for (char c : std::string("abcdefghijklmnopq")) type_key(entername, static_cast<SDLKey>(c));
    EXPECT_EQ(entername.text.text(), "abcdefghijklmn");
    EXPECT_TRUE(entername.bok.is_enabled());
    type_key(entername, SDLK_RETURN);
    EXPECT_FALSE(entername.shown);
}

}  // namespace
