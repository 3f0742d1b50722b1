#include <climits>
#include <cstdio>
#include <string>

#include "high_scores_screen.h"
#include "loader.h"
#include "menus/support.h"
#include "player.h"

namespace {

using menus_test::Bytes;

class HighScores : public menus_test::Menus {
protected:
    void SetUp() override {
        Menus::SetUp();
        hs.read();
    }
    // Rows of table t from the top; the rest keep their scores.
    void set_rows(unsigned t, std::initializer_list<char const*> scores) {
        unsigned r = 0;
        for (char const* s : scores) {
            hs.table(t)[r] = {"row" + std::to_string(r), s};
            ++r;
        }
    }
    HighScoresScreen hs;
};

TEST_F(HighScores, EveryPositiveScoreTopsTheDefaultTablesAndZeroNeverRanks) {
    for (unsigned row = 0; row < HighScoresScreen::row_count; ++row)
        EXPECT_EQ(hs.table(3)[row].name, "Quorlan Games!");
    for (int score : {0, -1, INT_MIN}) {
        EXPECT_FALSE(hs.is_highscore(score)) << score;
        EXPECT_EQ(hs.add_score("Ann", score), -1) << score;
    }
    EXPECT_EQ(hs.table(0)[0].score, "0");
    EXPECT_FALSE(std::fopen(hs.filename().c_str(), "rb")) << "nothing entered, nothing written";
    for (int score : {1, 7, 1000, INT_MAX}) {
        HighScoresScreen fresh;
        std::remove(fresh.filename().c_str());
        fresh.read();
        EXPECT_TRUE(fresh.is_highscore(score)) << score;
        EXPECT_EQ(fresh.add_score("Ann", score), 0) << score;
    }
}

TEST_F(HighScores, AnEqualScoreGoesBelowAndTheLastRowDrops) {
    set_rows(0, {"900", "500", "300", "0", "0", "0", "0", "0", "0", "0"});
    hs.table(0)[9].name = "last";
    EXPECT_EQ(hs.add_score("Bea", 500), 2);
    std::vector<HighScoresScreen::HSPair> const& t = hs.table(0);
    EXPECT_EQ(t[1].score, "500");
    EXPECT_EQ(t[1].name, "row1");
    EXPECT_EQ(t[2].name, "Bea");
    EXPECT_EQ(t[2].score, "500");
    EXPECT_EQ(t[3].score, "300");
    for (auto const& row : t) EXPECT_NE(row.name, "last");
    // The shown rows follow.
    EXPECT_EQ(hs.name_text(2).text(), "Bea");
    EXPECT_EQ(hs.score_text(3).text(), "300");
}

TEST_F(HighScores, TheTableFollowsThePlayersGame) {
    Player::cur()->game = Player::SPIDER;
    EXPECT_TRUE(hs.is_highscore(10));
    EXPECT_EQ(hs.current_table(), 2u);
    EXPECT_EQ(hs.add_score("Cy", 10), 0);
    EXPECT_EQ(hs.table(2)[0].name, "Cy");
    EXPECT_EQ(hs.table(0)[0].name, "Quorlan Games!");
    Player::cur()->game = Player::GOLF;
    hs.on_enqueue();
    EXPECT_EQ(hs.current_table(), 5u);
}

TEST_F(HighScores, IsHighscoreAndAddScoreAgree) {
    set_rows(1, {"900", "800", "700", "600", "500", "400", "300", "200", "100", "50"});
    set_rows(4, {"x", "", "5"});
    int const scores[] = {INT_MIN, -5, 0, 1, 49, 50, 51, 100, 850, 901, INT_MAX};
    for (unsigned game : {1u, 4u}) {
        Player::cur()->game = static_cast<Player::Game_Type>(game);
        for (int s : scores) {
            HighScoresScreen copy;
            for (unsigned t = 0; t < HighScoresScreen::table_count; ++t) copy.table(t) = hs.table(t);
            bool ranks = copy.is_highscore(s);
            EXPECT_EQ(copy.add_score("Dee", s) != -1, ranks) << "game " << game << " score " << s;
        }
    }
}

TEST_F(HighScores, ScoreTextsReadAsStreamExtractionWould) {
    EXPECT_EQ(HighScoresScreen::score_value("1234"), 1234);
    EXPECT_EQ(HighScoresScreen::score_value("  -17"), -17);
    EXPECT_EQ(HighScoresScreen::score_value("+8"), 8);
    EXPECT_EQ(HighScoresScreen::score_value("42abc"), 42);
    EXPECT_EQ(HighScoresScreen::score_value("abc"), 0);
    EXPECT_EQ(HighScoresScreen::score_value(""), 0);
    EXPECT_EQ(HighScoresScreen::score_value("99999999999"), INT_MAX);
    EXPECT_EQ(HighScoresScreen::score_value("999999999999999999999999999"), INT_MAX);
    EXPECT_EQ(HighScoresScreen::score_value("-99999999999"), INT_MIN);
    EXPECT_EQ(HighScoresScreen::score_value("-2147483648"), INT_MIN);
    // A row whose text overflows holds its place against every score.
    set_rows(0, {"99999999999", "99999999999", "99999999999", "99999999999", "99999999999", "99999999999",
                 "99999999999", "99999999999", "99999999999", "99999999999"});
    EXPECT_FALSE(hs.is_highscore(INT_MAX));
}

TEST_F(HighScores, TheFileIsTheMagicAndExactly120Strings) {
    ASSERT_EQ(hs.add_score("Eve", 250), 0);
    std::string bytes = read_file(hs.filename());
    Bytes expect;
    expect.u32(0xA5743714u);
    for (unsigned t = 0; t < 6; ++t)
        for (unsigned r = 0; r < 10; ++r) {
            bool eve = t == 0 && r == 0;
            expect.str(eve ? "Eve" : "Quorlan Games!").str(eve ? "250" : "0");
        }
    EXPECT_EQ(bytes, expect.str());
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xA5\x74\x37\x14", 4));

    HighScoresScreen again;
    again.read();
    for (unsigned t = 0; t < 6; ++t)
        for (unsigned r = 0; r < 10; ++r) {
            EXPECT_EQ(again.table(t)[r].name, hs.table(t)[r].name);
            EXPECT_EQ(again.table(t)[r].score, hs.table(t)[r].score);
        }
}

TEST_F(HighScores, AShortFileLeavesFreePlaces) {
    Bytes b;
    b.u32(0xA5743714u);
    for (unsigned r = 0; r < 7; ++r) b.str("Fay").str(std::to_string(1000 - r));
    hs.filename();
    write_file(saved("highscores.dat"), b.str());
    hs.read();
    EXPECT_EQ(hs.table(0)[6].score, "994");
    EXPECT_EQ(hs.table(0)[7].name, "");
    EXPECT_EQ(hs.table(0)[7].score, "");
    EXPECT_EQ(hs.table(5)[9].score, "");
    EXPECT_EQ(hs.add_score("Gus", -3), 7) << "an empty score text is a free place";
    EXPECT_EQ(hs.add_score("Hal", -30), 8);
}

TEST_F(HighScores, AnotherMagicNumberLeavesTheDefaults) {
    Bytes b;
    b.u32(0xA5743715u).str("Ivy").str("999");
    hs.filename();
    write_file(saved("highscores.dat"), b.str());
    hs.read();
    EXPECT_EQ(hs.table(0)[0].name, "Quorlan Games!");
    EXPECT_EQ(hs.table(0)[0].score, "0");
}

TEST_F(HighScores, LongNamesAreClippedAndAHugeCountEndsTheFile) {
    Bytes b;
    b.u32(0xA5743714u).str(std::string(300, 'n')).str("77").str("Jo").u32(0xFFFFFFF0u).str("Kim").str("5");
    hs.filename();
    write_file(saved("highscores.dat"), b.str());
    hs.read();
    EXPECT_EQ(hs.table(0)[0].name, std::string(64, 'n'));
    EXPECT_EQ(hs.table(0)[0].score, "77");
    EXPECT_EQ(hs.table(0)[1].name, "Jo");
    EXPECT_EQ(hs.table(0)[1].score, "");
    EXPECT_EQ(hs.table(0)[2].name, "") << "nothing is read after a damaged count";
    EXPECT_EQ(hs.table(0)[2].score, "");
}

TEST_F(HighScores, TabsSwitchTheShownRows) {
    Loader l("tabs");
    hs.load(&l);
    set_rows(3, {"123"});
    EXPECT_TRUE(hs.on_click(&hs.tabs.tab(3)));
    EXPECT_EQ(hs.current_table(), 3u);
    EXPECT_EQ(hs.score_text(0).text(), "123");
    ButtonSprite other;
    EXPECT_FALSE(hs.on_click(&other));
}

}  // namespace
