#include <string>

#include "high_scores_screen.h"
#include "how_to_play_screen.h"
#include "main_menu_screen.h"
#include "menus/support.h"
#include "options_screen.h"
#include "play_screen.h"
#include "player.h"
#include "record_screens.h"

namespace {

class RecordScreens : public menus_test::Menus {};

TEST_F(RecordScreens, TheOptionsAreTheSettingsThatTheShellReads) {
    EXPECT_EQ(&app_options(), static_cast<AppOptions*>(&options));
}

TEST_F(RecordScreens, ClosingOnTheOptionsScreenSavesIt) {
    options.read();
    options.on_enqueue();
    options.sound.set_pos(300, options.sound.y);
    keep_shown_screen_at_exit();
    std::string bytes = read_file(saved("options.dat"));
    ASSERT_EQ(bytes.size(), 17u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 6u) << "sound 19/279 is stored as 6";
    options.on_dequeue();
    std::remove(saved("options.dat").c_str());
    keep_shown_screen_at_exit();
    EXPECT_TRUE(read_file(saved("options.dat")).empty()) << "a screen that was left is not saved again";
}

TEST_F(RecordScreens, ClosingOnAHowToPlayPageStoresItsBox) {
    HowToPlayScreen* h = howtoplayscreen();
    Player::cur()->game = Player::TRIPEAKS;
    h->HowToPlayBase::on_enqueue();
    h->show_rules.set_checked(false);
    keep_shown_screen_at_exit();
    EXPECT_FALSE(Player::cur()->show_rules[Player::TRIPEAKS]);
    EXPECT_FALSE(read_file(Player::filename(0)).empty()) << "the profiles are written";
    h->on_dequeue();
}

TEST_F(RecordScreens, TheWonGameEntersTheTableOnlyWhenItRanks) {
    connect_record_screens();
    EXPECT_TRUE(mainmenu.routes.options && mainmenu.routes.high_scores && mainmenu.routes.how_to_play &&
                mainmenu.routes.change_player);
    PlayScreen::Routes const& play = playscreen()->routes();
    ASSERT_TRUE(play.enter_highscore && play.show_rules && play.show_stats);
    HighScoresScreen* hs = highscoresscreen();
    hs->read();
    Player::cur()->game = Player::YUKON;
    EXPECT_FALSE(play.enter_highscore("Zed", 0));
    EXPECT_TRUE(play.enter_highscore("Zed", 40));
    EXPECT_EQ(hs->table(Player::YUKON)[0].name, "Zed");
    EXPECT_EQ(hs->table(Player::YUKON)[0].score, "40");
    HighScoresScreen again;
    again.read();
    EXPECT_EQ(again.table(Player::YUKON)[0].name, "Zed") << "the file is written at once";
}

}  // namespace
