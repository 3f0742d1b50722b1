#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/temp_dir.h"
#include "player.h"
#include "rule_options.h"

namespace {

// The file layout written out by hand, big-endian.
class Bytes {
public:
    Bytes& u8(unsigned v) {
        s_ += static_cast<char>(v);
        return *this;
    }
    Bytes& u32(std::uint32_t v) {
        for (int sh = 24; sh >= 0; sh -= 8) s_ += static_cast<char>((v >> sh) & 0xFF);
        return *this;
    }
    Bytes& str(std::string const& v) {
        if (v.empty()) return u32(0);
        u32(static_cast<std::uint32_t>(v.size() + 1));
        s_ += v;
        return u8(0);
    }
    Bytes& raw(std::string const& v) {
        s_ += v;
        return *this;
    }
    std::string const& str() const { return s_; }

private:
    std::string s_;
};

std::string const default_options("\0\0\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\1\0\0\0" "\0\0\0\0" "\0\1\0\0\0", 28);

// An empty profile in the file layout, up to the option section.
Bytes empty_profile(std::string const& name = "empty") {
    Bytes b;
    b.u32(0x8B901886u).u32(0).str(name).u32(0).u32(0).u32(0).u8(1).u8(0);
    for (int i = 0; i < 20; ++i) b.u8(1);
    b.u32(0).u32(0).u32(0);
    for (int i = 0; i < 20; ++i) b.u32(0).u32(0).u32(0).u32(0xFFFFFFFFu).u32(0).u32(0x7FFFFFFF);
    for (int i = 0; i < 8; ++i) b.u32(0);
    return b;
}

// Every test runs with HOME in a fresh folder, the five slots empty and the options at
// their defaults.
class Players : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            Player::get(i)->clear();
            Player::get(i)->is_current = false;
        }
        Player::_cur = nullptr;
        reset_rule_options();
    }
    std::string folder() const { return home.path() + "/.config/Quorlan Games/Lunerra Solitaire"; }
    std::string file(unsigned i) const { return folder() + "/player" + std::to_string(i) + ".dat"; }
    void write_slot(unsigned i, std::string const& bytes) {
        Player::filename(i);  // makes the folder
        write_file(file(i), bytes);
    }
    static std::string saved(Player const& p) {
        FILE* f = std::tmpfile();
        p.save(f);
        std::string out(static_cast<std::size_t>(std::ftell(f)), '\0');
        std::rewind(f);
        EXPECT_EQ(std::fread(&out[0], 1, out.size(), f), out.size());
        std::fclose(f);
        return out;
    }
    static void read_into(Player& p, std::string const& bytes) {
        FILE* f = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::rewind(f);
        p.read(f);
        std::fclose(f);
    }

    TempDir home;
    ScopedEnv h{"HOME", home.path().c_str()};
    ScopedEnv x{"XDG_CONFIG_HOME", nullptr};
};

TEST_F(Players, NoFilesGiveFiveFreshSlotsAndSavingWritesOnlyWhatChanged) {
    Player::read_all();
    for (unsigned i = 0; i < Player::slot_count; ++i) {
        EXPECT_EQ(Player::get(i)->name, "empty");
        EXPECT_TRUE(Player::get(i)->fresh);
        EXPECT_FALSE(Player::get(i)->is_current);
    }
    EXPECT_EQ(Player::cur(), Player::get(0));
    EXPECT_TRUE(Player::get(0)->is_cur());
    EXPECT_TRUE(Player::cur()->fresh);
    ASSERT_TRUE(Player::save_all());
    EXPECT_EQ(TempDir::entries_of(folder()).size(), 0u);
    Player::cur()->name = "Bo";
    ASSERT_TRUE(Player::save_all());
    std::string const expected = empty_profile("Bo").str() + default_options;
    ASSERT_EQ(expected.size(), 601u);
    EXPECT_EQ(read_file(file(0)), expected);
    // Slot 0 is stored with is_current 0, and nothing else lies in the folder.
    EXPECT_EQ(read_file(file(0))[8 + 7 + 13], 0);
    EXPECT_EQ(TempDir::entries_of(folder()).size(), 1u);
    EXPECT_EQ(Player::filename(3), file(3));
}

TEST_F(Players, AKnownProfileIsWrittenByteForByte) {
    Player p;
    p.name = "Ann";
    p.score = -5;
    p.game_ms = 1234;
    p.total_ms = 99999;
    p.fresh = false;
    p.is_current = true;
    p.show_rules[3] = false;
    p.game = Player::TRIPEAKS;
    p.card_back = 7;
    p.bg_counter = 21;
    p.stats[3] = {};
    p.stats[3].played = 2;
    p.stats[3].won = 1;
    p.stats[3].best_score = 300;
    p.stats[3].best_time = 45;
    p.stats[3].avg_time = 45;
    p.stats[3].fewest_moves = 80;
    p.in_progress = true;  // never saved
    KlondikeOptions::opt_flip_1 = true;

    Bytes b;
    b.u32(0x8B901886u).u32(0).str("Ann").u32(static_cast<std::uint32_t>(-5)).u32(1234).u32(99999).u8(0).u8(1);
    for (int i = 0; i < 20; ++i) b.u8(i == 3 ? 0 : 1);
    b.u32(3).u32(7).u32(21);
    for (int i = 0; i < 20; ++i) {
        if (i == 3)
            b.u32(2).u32(1).u32(300).u32(45).u32(45).u32(80);
        else
            b.u32(0).u32(0).u32(0).u32(0xFFFFFFFFu).u32(0).u32(0x7FFFFFFF);
    }
    for (int i = 0; i < 8; ++i) b.u32(0);
    std::string options = default_options;
    options[0] = 1;
    b.raw(options);
    EXPECT_EQ(saved(p), b.str());

    Player q;
    read_into(q, b.str());
    EXPECT_EQ(saved(q), b.str());
    EXPECT_FALSE(q.in_progress);
}

TEST_F(Players, AnEmptyNameIsABareZeroCount) {
    Player p;
    p.name = "";
    std::string bytes = saved(p);
    EXPECT_EQ(bytes.substr(8, 4), std::string("\0\0\0\0", 4));
    EXPECT_EQ(bytes.size(), 604u - 6u);
    Player q;
    read_into(q, bytes);
    EXPECT_EQ(q.name, "");
}

TEST_F(Players, BooleansStoredAsTwoReadTrueAndWriteOne) {
    std::string bytes = empty_profile("Bo").str() + default_options;
    std::size_t flags = 8 + 7 + 12;  // after the magic, reserved word, name and three numbers
    bytes[flags] = 2;                 // fresh
    bytes[flags + 1] = 2;             // is_current
    bytes[flags + 2] = 0;             // show_rules[0]
    bytes[flags + 5] = 2;             // show_rules[3]
    Player p;
    p.fresh = false;
    read_into(p, bytes);
    EXPECT_TRUE(p.fresh);
    EXPECT_TRUE(p.is_current);
    EXPECT_FALSE(p.show_rules[0]);
    EXPECT_TRUE(p.show_rules[3]);
    std::string again = saved(p);
    EXPECT_EQ(again[flags], 1);
    EXPECT_EQ(again[flags + 1], 1);
    EXPECT_EQ(again[flags + 5], 1);
}

TEST_F(Players, StoredZeroTimesAndMovesMeanNone) {
    Player p;
    p.stats[0].won = 1;
    p.stats[0].best_time = 0;
    p.stats[0].fewest_moves = 0;
    Player q;
    read_into(q, saved(p));
    EXPECT_EQ(q.stats[0].won, 1u);
    EXPECT_EQ(q.stats[0].best_time, Player::no_best_time);
    EXPECT_EQ(q.stats[0].fewest_moves, Player::no_fewest_moves);
}

TEST_F(Players, OutOfRangeTableIndexesReadAsZero) {
    Player p;
    p.game = static_cast<Player::Game_Type>(6);
    p.card_back = 16;
    Player q;
    read_into(q, saved(p));
    EXPECT_EQ(q.game, Player::KLONDIKE);
    EXPECT_EQ(q.card_back, 0u);
    p.game = Player::GOLF;
    p.card_back = 15;
    read_into(q, saved(p));
    EXPECT_EQ(q.game, Player::GOLF);
    EXPECT_EQ(q.card_back, 15u);
}

TEST_F(Players, AHugeNameCountAllocatesNothingAndLeavesDefaults) {
    Bytes b;
    b.u32(0x8B901886u).u32(0).u32(0xFFFFFFF0u).raw("abc");
    Player q;
    read_into(q, b.str());
    EXPECT_EQ(q.name, "empty");
    EXPECT_TRUE(q.fresh);
}

TEST_F(Players, ATruncatedFileKeepsDefaultsFromThePointItEnds) {
    Player full;
    full.name = "Cy";
    full.score = 77;
    full.fresh = false;
    for (bool& b : full.show_rules) b = false;
    full.game = Player::YUKON;
    full.card_back = 9;
    full.stats[19].played = 4;
    GolfOptions::opt_single_click_activation = false;
    std::string const bytes = saved(full);
    reset_rule_options();
    std::size_t const options_at = bytes.size() - 28;
    for (std::size_t len = 0; len <= bytes.size(); ++len) {
        Player q;
        KlondikeOptions::opt_unlimited_redeals = true;  // a marker the options section clears
        read_into(q, bytes.substr(0, len));
        EXPECT_EQ(q.name, len < 8 + 7 ? "empty" : "Cy") << len;
        EXPECT_EQ(q.fresh, len < 8 + 7 + 13) << len;
        EXPECT_EQ(q.show_rules[19], len < 8 + 7 + 34) << len;
        EXPECT_EQ(q.game, len >= 8 + 7 + 38 ? Player::YUKON : Player::KLONDIKE) << len;
        EXPECT_EQ(q.stats[19].played, len >= options_at - 32 - 20 ? 4u : 0u) << len;
        EXPECT_EQ(q.stats[19].best_time, Player::no_best_time) << len;
        // Only a whole option section is read: a profile cut short, even inside the
        // section, leaves every option as it was.
        EXPECT_EQ(KlondikeOptions::opt_unlimited_redeals, len < bytes.size()) << len;
        EXPECT_EQ(GolfOptions::opt_single_click_activation, len < bytes.size()) << len;
        reset_rule_options();
    }
}

TEST_F(Players, AWrongMagicLeavesTheSlotEmptyAndTheOptionsAlone) {
    Player p;
    p.name = "Di";
    SpiderOptions::opt_two_suits = true;
    std::string bytes = saved(p);
    bytes[0] = 0;
    SpiderOptions::opt_two_suits = false;
    write_slot(1, bytes);
    Player::read_all();
    EXPECT_EQ(Player::get(1)->name, "empty");
    EXPECT_FALSE(SpiderOptions::opt_two_suits);
}

TEST_F(Players, TheLowestFlaggedSlotBecomesCurrentAndTheLastFileSetsTheOptions) {
    Player a, b;
    a.name = "Al";
    a.is_current = true;
    a.fresh = true;  // becomes not fresh when made current
    b.name = "Bea";
    b.is_current = true;
    b.fresh = false;
    TriPeaksOptions::opt_may_turn_corner = false;
    std::string const file_a = saved(a);
    write_slot(1, file_a);
    TriPeaksOptions::opt_may_turn_corner = true;
    write_slot(3, saved(b));
    TriPeaksOptions::opt_may_turn_corner = false;

    Player::read_all();
    EXPECT_EQ(Player::cur(), Player::get(1));
    EXPECT_FALSE(Player::get(1)->fresh);
    EXPECT_TRUE(Player::get(1)->is_current);
    EXPECT_FALSE(Player::get(3)->is_current);
    EXPECT_FALSE(Player::get(3)->is_cur());
    EXPECT_TRUE(TriPeaksOptions::opt_may_turn_corner);  // slot 3 was read last
    // A quit that changed nothing writes neither file, though the two carry other options.
    ASSERT_TRUE(Player::save_all());
    EXPECT_EQ(read_file(file(1)), file_a);
    TriPeaksOptions::opt_may_turn_corner = false;  // a change every profile carries
    ASSERT_TRUE(Player::save_all());
    EXPECT_EQ(read_file(file(3))[8 + 8 + 13], 0);
    EXPECT_EQ(read_file(file(1))[8 + 7 + 13], 1);
}

TEST_F(Players, CurrentSlotRules) {
    EXPECT_EQ(Player::cur(), Player::get(0));
    EXPECT_FALSE(Player::get(0)->is_current);  // the lazy choice touches no flag
    EXPECT_TRUE(Player::get(0)->fresh);
    Player::set_cur(2);
    EXPECT_EQ(Player::cur(), Player::get(2));
    EXPECT_FALSE(Player::get(2)->fresh);
    Player::set_cur(4);
    EXPECT_FALSE(Player::get(2)->is_current);
    EXPECT_TRUE(Player::get(4)->is_current);
    Player::set_cur(5);  // ignored
    EXPECT_EQ(Player::cur(), Player::get(4));
    EXPECT_EQ(Player::get(5), nullptr);

    Player::get(1)->name = "Ed";
    Player::get(1)->is_current = true;
    Player::delete_i(1);
    EXPECT_EQ(Player::get(1)->name, "empty");
    EXPECT_TRUE(Player::get(1)->is_current);  // clear keeps the flag
    Player::get(1)->name = "Ed";
    Player::delete_i(5);
    EXPECT_EQ(Player::get(1)->name, "Ed");
}

TEST_F(Players, NewGameAndTotalTime) {
    Player* p = Player::get(0);
    p->game = Player::SPIDER;
    p->score = 40;
    p->game_ms = 900;
    p->new_game();
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(p->game_ms, 0u);
    EXPECT_TRUE(p->in_progress);
    EXPECT_EQ(p->stats[2].played, 1u);
    Player::get(1)->total_ms = 0x7FFFFFF0u;
    Player::get(2)->total_ms = 0x20u;
    Player::get(3)->total_ms = 0x80000000u;  // at the limit: left out
    EXPECT_EQ(Player::tm_total_all(), 0x80000010u);
    Player::get(1)->total_ms = 5;
    Player::get(2)->total_ms = 6;
    EXPECT_EQ(Player::tm_total_all(), 11u);
}

TEST(PlayerStats, AWinUpdatesBestsAndTheRunningAverage) {
    Player::Stats s;
    s.record_win(100, 200500, 90);
    EXPECT_EQ(s.won, 1u);
    EXPECT_EQ(s.best_time, 200u);
    EXPECT_EQ(s.avg_time, 200u);
    s.record_win(50, 100000, 95);
    EXPECT_EQ(s.won, 2u);
    EXPECT_EQ(s.best_score, 100);
    EXPECT_EQ(s.best_time, 100u);
    EXPECT_EQ(s.avg_time, 150u);
    EXPECT_EQ(s.fewest_moves, 90);
}

TEST(PlayerStats, WonAtItsLargestValueNeitherWrapsNorDividesByZero) {
    Player::Stats s;
    s.won = 0xFFFFFFFFu;
    s.avg_time = 4000000000u;  // a product beyond 32 bits
    s.record_win(1, 3000000u, 1);
    EXPECT_EQ(s.won, 0xFFFFFFFFu);
    EXPECT_EQ(s.avg_time, 3999999999u);
}

}  // namespace
