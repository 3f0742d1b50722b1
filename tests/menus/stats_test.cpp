#include <string>

#include "loader.h"
#include "menus/support.h"
#include "player.h"
#include "stats_screen.h"

namespace {

std::vector<std::string> rows(Player::Stats const& s) {
    std::string out[StatsScreen::value_count];
    StatsScreen::value_texts(s, out);
    return std::vector<std::string>(out, out + StatsScreen::value_count);
}

using Rows = std::vector<std::string>;

TEST(StatsRows, NothingWonShowsZeroPercentAndEmptyRows) {
    Player::Stats s;
    EXPECT_EQ(rows(s), (Rows{"0", "0", "0%", "0", "", "", ""}));
    s.played = 3;
    EXPECT_EQ(rows(s), (Rows{"3", "0", "0%", "0", "", "", ""}));
}

TEST(StatsRows, TheShareIsTruncated) {
    Player::Stats s;
    s.played = 3;
    s.record_win(120, 3725000, 88);
    s.record_win(-40, 100000, 90);
    EXPECT_EQ(rows(s)[2], "66%");
    EXPECT_EQ(rows(s)[3], "120");
    EXPECT_EQ(rows(s)[6], "88");
}

TEST(StatsRows, TimesShowAsHoursMinutesAndSeconds) {
    Player::Stats s;
    s.played = s.won = 1;
    s.best_time = 3725;
    s.avg_time = 360000;  // 100 hours
    EXPECT_EQ(rows(s)[4], "01:02:05");
    EXPECT_EQ(rows(s)[5], "100:00:00");
    s.best_time = 5000000;  // times 1000 is past 32 bits
    EXPECT_EQ(rows(s)[4], "1388:53:20");
    s.best_time = 4294967;
    EXPECT_EQ(rows(s)[4], "1193:02:47");
    EXPECT_EQ(StatsScreen::hms(0xFFFFFFFEu), "1193046:28:14");
}

TEST(StatsRows, TheNoneValuesOfAWonGameShowEmpty) {
    Player::Stats s;
    s.played = 2;
    s.won = 1;
    EXPECT_EQ(s.best_time, Player::no_best_time);
    EXPECT_EQ(s.fewest_moves, Player::no_fewest_moves);
    EXPECT_EQ(rows(s), (Rows{"2", "1", "50%", "0", "", "00:00:00", ""}));
}

class Stats : public menus_test::Menus {};

TEST_F(Stats, EnteringSelectsThePlayersGameAndTabsSwitch) {
    blank(".i/game/stats_bg.jpg");
    Loader l("stats");
    StatsScreen st;
    st.load(&l);
    Player* p = Player::cur();
    p->game = Player::YUKON;
    p->stats[Player::YUKON].played = 4;
    p->stats[Player::GOLF].played = 9;
    st.on_enqueue();
    EXPECT_EQ(st.selected(), 4u);
    EXPECT_EQ(st.value(0).text(), "4");
    EXPECT_TRUE(st.on_click(&st.tabs.tab(5)));
    EXPECT_EQ(st.selected(), 5u);
    EXPECT_EQ(st.value(0).text(), "9");
    EXPECT_EQ(st.value(0).pos(), E2::Vec2<int>(586, 246));
    EXPECT_EQ(st.value(6).pos(), E2::Vec2<int>(586, 474));
    st.on_enqueue();
    EXPECT_EQ(st.selected(), 4u) << "every entry selects the player's game";
    st.on_dequeue();
}

}  // namespace
