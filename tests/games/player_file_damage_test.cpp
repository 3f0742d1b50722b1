// Damaged player files: every cut and thousands of corrupted copies of a rich profile set
// are read through Player::read_all; the state must stay within the ranges the screens
// index with, and the next save must write files that read back to exactly that state.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "engine/file_damage.h"
#include "io.h"
#include "player.h"
#include "save_file.h"
#include "rule_options.h"

namespace {

using file_damage::put_file;
using file_damage::put_u32;

constexpr unsigned mutation_count = 10000;
// Every this many corrupted copies the whole save and read cycle runs on the real files.
constexpr unsigned full_save_every = 250;
std::string describe_options() {
    std::ostringstream o;
    o << KlondikeOptions::opt_may_pluck_from_foundation << KlondikeOptions::opt_flip_1
      << KlondikeOptions::opt_unlimited_redeals << FreeCellOptions::opt_may_pluck_from_foundation
      << SpiderOptions::opt_two_suits << TriPeaksOptions::opt_may_turn_corner
      << TriPeaksOptions::opt_single_click_activation << YukonOptions::opt_may_pluck_from_foundation
      << GolfOptions::opt_may_turn_corner << GolfOptions::opt_single_click_activation;
    return o.str();
}

// Every field of a profile as text, so that two states compare with a readable difference.
std::string describe(Player const& p, bool with_current_flag = true) {
    std::ostringstream o;
    o << "name[" << p.name << "] score " << p.score << " game_ms " << p.game_ms << " total_ms " << p.total_ms
      << " in_progress " << p.in_progress << " fresh " << p.fresh << " game " << p.game << " back " << p.card_back
      << " bg " << p.bg_counter;
    if (with_current_flag) o << " current " << p.is_current;
    o << " rules ";
    for (bool b : p.show_rules) o << b;
    for (Player::Stats const& s : p.stats)
        o << " {" << s.played << ',' << s.won << ',' << s.best_score << ',' << s.best_time << ',' << s.avg_time << ','
          << s.fewest_moves << '}';
    return o.str();
}

// In-memory streams: thousands of round trips stay fast.
std::string saved_bytes(Player const& p) {
    char* buf = nullptr;
    std::size_t size = 0;
    FILE* f = open_memstream(&buf, &size);
    p.save(f);
    std::fclose(f);
    std::string out(buf, size);
    std::free(buf);
    return out;
}

void read_bytes(Player& p, std::string bytes) {
    if (bytes.empty()) {
        FILE* f = std::tmpfile();
        p.read(f);
        std::fclose(f);
        return;
    }
    FILE* f = fmemopen(&bytes[0], bytes.size(), "rb");
    p.read(f);
    std::fclose(f);
}

// The ranges the menus and the play screen rely on: the game type and card back index
// tables, the name as the name entry could have typed it (and no buffer kept from a large
// count), move counts that are counts.
::testing::AssertionResult in_range(Player const& p) {
    if (p.game >= Player::game_count) return ::testing::AssertionFailure() << "game " << p.game;
    if (p.card_back >= Player::card_back_count) return ::testing::AssertionFailure() << "card back " << p.card_back;
    if (p.name.size() > Player::max_namlen) return ::testing::AssertionFailure() << "name of " << p.name.size();
    if (p.name.capacity() > 4 * Player::max_namlen)
        return ::testing::AssertionFailure() << "name buffer of " << p.name.capacity();
    for (char c : p.name)
        if (c < ' ' || c > '~')
            return ::testing::AssertionFailure() << "name character " << int(static_cast<unsigned char>(c));
    for (unsigned g = 0; g < Player::entry_count; ++g)
        if (p.stats[g].fewest_moves < 1)
            return ::testing::AssertionFailure() << "fewest moves " << p.stats[g].fewest_moves << " of entry " << g;
    if (p.in_progress) return ::testing::AssertionFailure() << "a game in progress";
    return ::testing::AssertionSuccess();
}

// Every field either as saved or at its default: a cut file never invents a value.
::testing::AssertionResult saved_or_default(Player const& got, Player const& orig) {
    Player const def;
    std::ostringstream bad;
    auto check = [&](char const* what, auto g, auto o, auto d) {
        if (!(g == o) && !(g == d)) bad << what << ' ';
    };
    check("name", got.name, orig.name, def.name);
    check("fresh", got.fresh, orig.fresh, def.fresh);
    for (unsigned g = 0; g < Player::entry_count; ++g)
        check("show_rules", got.show_rules[g], orig.show_rules[g], def.show_rules[g]);
    check("score", got.score, orig.score, def.score);
    check("game_ms", got.game_ms, orig.game_ms, def.game_ms);
    check("total_ms", got.total_ms, orig.total_ms, def.total_ms);
    check("game", got.game, orig.game, def.game);
    check("card_back", got.card_back, orig.card_back, def.card_back);
    check("bg_counter", got.bg_counter, orig.bg_counter, def.bg_counter);
    for (unsigned g = 0; g < Player::entry_count; ++g) {
        Player::Stats const &s = got.stats[g], &o = orig.stats[g], &d = def.stats[g];
        check("played", s.played, o.played, d.played);
        check("won", s.won, o.won, d.won);
        check("best_score", s.best_score, o.best_score, d.best_score);
        check("best_time", s.best_time, o.best_time, d.best_time);
        check("avg_time", s.avg_time, o.avg_time, d.avg_time);
        check("fewest_moves", s.fewest_moves, o.fewest_moves, d.fewest_moves);
    }
    if (bad.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "invented: " << bad.str();
}

// HOME in a fresh folder; five rich profiles with slot 2 current and every rule option
// away from its default, written by Player::save_all.
class PlayerFileDamage : public ::testing::Test, protected file_damage::Notes {
protected:
    void SetUp() override {
        reset();
        char const* const names[Player::slot_count] = {"Ann-Marie 7!", "Bo", "Quorlan Games!", "Eve? 42", "z.z%"};
        Player::Game_Type const games[Player::slot_count] = {Player::SPIDER, Player::GOLF, Player::TRIPEAKS,
                                                             Player::FREECELL, Player::YUKON};
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            Player* p = Player::get(i);
            p->name = names[i];
            p->score = -1234 + 977 * static_cast<std::int32_t>(i);
            p->game_ms = 83456u + i;
            p->total_ms = 9876543u * (i + 1);
            p->fresh = false;
            for (unsigned g = 0; g < Player::entry_count; ++g) p->show_rules[g] = (g + i) % 3 == 0;
            p->game = games[i];
            p->card_back = 15 - 3 * i;
            p->bg_counter = 17 - i;
            for (unsigned g = 0; g < Player::entry_count; ++g) {
                Player::Stats& s = p->stats[g];
                s.played = 100 + 10 * g + i;
                s.won = 50 + g;
                s.best_score = 1000 * static_cast<std::int32_t>(g) + 7;
                s.best_time = 60 + g;
                s.avg_time = 90 + g + i;
                s.fewest_moves = 70 + static_cast<std::int32_t>(g);
            }
        }
        Player::set_cur(2);
        KlondikeOptions::opt_may_pluck_from_foundation = true;
        KlondikeOptions::opt_flip_1 = true;
        KlondikeOptions::opt_unlimited_redeals = true;
        FreeCellOptions::opt_may_pluck_from_foundation = true;
        SpiderOptions::opt_two_suits = true;
        TriPeaksOptions::opt_may_turn_corner = true;
        TriPeaksOptions::opt_single_click_activation = false;
        YukonOptions::opt_may_pluck_from_foundation = true;
        GolfOptions::opt_may_turn_corner = true;
        GolfOptions::opt_single_click_activation = false;
        ASSERT_TRUE(Player::save_all());
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            orig[i] = *Player::get(i);
            file[i] = read_file(Player::filename(i));
            ASSERT_EQ(file[i], saved_bytes(orig[i])) << i;
        }
        orig_options = describe_options();
        // The files alone give the same state.
        reset();
        Player::read_all();
        ASSERT_EQ(Player::cur(), Player::get(2));
        for (unsigned i = 0; i < Player::slot_count; ++i) ASSERT_EQ(describe(*Player::get(i)), describe(orig[i])) << i;
        ASSERT_EQ(describe_options(), orig_options);
    }
    void TearDown() override { reset(); }
    static void reset() {
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            Player::get(i)->clear();
            Player::get(i)->is_current = false;
        }
        Player::_cur = nullptr;
        reset_rule_options();
    }

    void restore_files() const {
        for (unsigned i = 0; i < Player::slot_count; ++i) put_file(Player::filename(i), file[i]);
    }

    // Slot i's file replaced by `bytes`, then every slot read from its file as at start-up.
    void read_all_with(unsigned i, std::string const& bytes) {
        put_file(Player::filename(i), bytes);
        reset();
        Player::read_all();
    }

    // All five slots in range and at most one current, which is the one cur() answers.
    ::testing::AssertionResult all_in_range() const {
        unsigned flagged = 0;
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            Player const* p = Player::get(i);
            ::testing::AssertionResult r = in_range(*p);
            if (!r) return r << " in slot " << i;
            if (p->is_current) {
                ++flagged;
                if (Player::cur() != p) return ::testing::AssertionFailure() << "slot " << i << " flagged, not current";
                if (p->fresh) return ::testing::AssertionFailure() << "the current slot " << i << " is fresh";
            }
        }
        if (flagged > 1) return ::testing::AssertionFailure() << flagged << " slots flagged current";
        return ::testing::AssertionSuccess();
    }

    // Slot i saved on its own reads back into a new profile as the same state, and saving
    // that again gives the same bytes.
    static ::testing::AssertionResult slot_round_trips(unsigned i) {
        std::string const options = describe_options();
        Player const& p = *Player::get(i);
        std::string const bytes = saved_bytes(p);
        Player q;
        q.is_current = !p.is_current;
        read_bytes(q, bytes);
        if (describe(q) != describe(p))
            return ::testing::AssertionFailure()
                   << "slot " << i << " saved\n  " << describe(p) << "\nread back\n  " << describe(q);
        if (describe_options() != options) return ::testing::AssertionFailure() << "options of slot " << i;
        if (saved_bytes(q) != bytes) return ::testing::AssertionFailure() << "slot " << i << " saves differently";
        return ::testing::AssertionSuccess();
    }

    // Player::save_all, then read_all from the options' defaults: the same state, the same
    // current slot.
    static ::testing::AssertionResult files_round_trip() {
        std::string before[Player::slot_count];
        for (unsigned i = 0; i < Player::slot_count; ++i) before[i] = describe(*Player::get(i));
        std::string const options = describe_options();
        Player const* const cur = Player::cur();
        // A file that could not be read is left as it is while its slot stays empty.
        if (!Player::save_all()) return ::testing::AssertionFailure() << "save_all failed";
        reset();
        Player::read_all();
        for (unsigned i = 0; i < Player::slot_count; ++i)
            if (describe(*Player::get(i)) != before[i])
                return ::testing::AssertionFailure()
                       << "slot " << i << " saved\n  " << before[i] << "\nread back\n  " << describe(*Player::get(i));
        if (describe_options() != options) return ::testing::AssertionFailure() << "the rule options";
        if (Player::cur() != cur) return ::testing::AssertionFailure() << "another current slot";
        return ::testing::AssertionSuccess();
    }

    // Every slot but `slot` as saved (but for its current flag), and the options too when
    // a later slot's file sets them.
    void note_others_kept(unsigned slot, std::string const& what) {
        for (unsigned i = 0; i < Player::slot_count; ++i)
            if (i != slot)
                note(::testing::AssertionResult(describe(*Player::get(i), false) == describe(orig[i], false))
                         << "slot " << i << " changed",
                     what);
        if (slot + 1 < Player::slot_count)
            note(::testing::AssertionResult(describe_options() == orig_options) << "options changed", what);
    }

    TempDir home;
    ScopedEnv h{"HOME", home.path().c_str()};
    ScopedEnv x{"XDG_CONFIG_HOME", nullptr};
    Player orig[Player::slot_count];
    std::string file[Player::slot_count];
    std::string orig_options;
};

TEST_F(PlayerFileDamage, EveryCutOfEverySlotStaysInRangeAndSavesWhole) {
    for (unsigned slot = 0; slot < Player::slot_count; ++slot) {
        std::string const& whole = file[slot];
        for (std::size_t len = 0; len <= whole.size(); ++len) {
            std::string const what = "slot " + std::to_string(slot) + " cut at " + std::to_string(len);
            read_all_with(slot, whole.substr(0, len));
            note(all_in_range(), what);
            Player const& got = *Player::get(slot);
            if (len == whole.size())
                note(::testing::AssertionResult(describe(got) == describe(orig[slot])) << describe(got), what);
            else
                note(saved_or_default(got, orig[slot]), what);
            // The other files are whole: their slots are as saved.
            note_others_kept(slot, what);
            note(slot_round_trips(slot), what);
            if (len % 101 == 0 || len == whole.size()) {
                note(files_round_trip(), what);
                restore_files();
            }
        }
        put_file(Player::filename(slot), whole);
    }
    EXPECT_EQ(failures, 0);
}

// Damage with a count or number overwritten with a large value, half of them the name count.
std::string damaged(std::string const& bytes, std::mt19937& rng) {
    static std::uint32_t const large[] = {0xFFFFFFFFu,
                                          0xFFFFFFF0u,
                                          0x80000000u,
                                          0x7FFFFFFFu,
                                          E2::io::max_string_count,
                                          E2::io::max_string_count + 1,
                                          E2::io::max_string_count - 1,
                                          0x10000u,
                                          0x200u,
                                          Player::max_namlen + 1,
                                          Player::max_namlen + 2,
                                          Player::game_count,
                                          Player::card_back_count,
                                          0u};
    return file_damage::damaged(bytes, rng, [&](std::string& b, auto pos) {
        std::size_t at = rng() % 2 ? 8 : pos(4);
        put_u32(b, at, large[rng() % (sizeof large / sizeof large[0])]);
    });
}

TEST_F(PlayerFileDamage, CorruptedCopiesStayInRangeAndSaveWhole) {
    for (unsigned seed = 1; seed <= mutation_count; ++seed) {
        std::mt19937 rng(seed);
        unsigned const slot = seed % Player::slot_count;
        std::string const what = "seed " + std::to_string(seed);
        read_all_with(slot, damaged(file[slot], rng));
        note(all_in_range(), what);
        // Damage stays in its own file (only which slot is current may move).
        note_others_kept(slot, what);
        note(slot_round_trips(slot), what);
        if (seed % full_save_every == 0) {
            note(files_round_trip(), what);
            restore_files();
        } else {
            put_file(Player::filename(slot), file[slot]);
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(PlayerFileDamage, DamagedNameCountsArePassedOverByTheFileSize) {
    // The name count sits right after the magic and the reserved word; the file's size
    // tells where the name ends (a count of 0 with a name behind it too), and the rest is
    // read as saved.
    for (std::uint32_t count : {0u, 1u, 5u, Player::max_namlen + 2, 0x200u, E2::io::max_string_count - 1,
                                E2::io::max_string_count, E2::io::max_string_count + 1, 0xFFFFFFFFu}) {
        std::string bytes = file[0];
        put_u32(bytes, 8, count);
        Player q;
        read_bytes(q, bytes);
        EXPECT_TRUE(in_range(q)) << count;
        EXPECT_EQ(describe(q), describe(orig[0])) << count;
    }
    // A name whose closing zero is damaged is read up to it.
    std::string bytes = file[0];
    bytes[8 + 4 + orig[0].name.size()] = 'x';
    Player q;
    read_bytes(q, bytes);
    EXPECT_EQ(describe(q), describe(orig[0]));
    // A name of max_namlen characters is read whole; a longer one up to max_namlen, and
    // the rest of the profile behind it.
    for (std::size_t len : {std::size_t(Player::max_namlen), std::size_t(Player::max_namlen) + 1, std::size_t(500)}) {
        Player p = orig[0];
        p.name = std::string(len, 'n');
        Player r;
        read_bytes(r, saved_bytes(p));
        p.name.resize(std::min<std::size_t>(len, Player::max_namlen));
        EXPECT_EQ(describe(r), describe(p)) << len;
    }
}

// Start-up and a quit with nothing changed: files the reader could not take whole, or not
// at all, are left byte for byte with their mode, and so is every other slot's file.
TEST_F(PlayerFileDamage, FilesReadInPartOrNotAtAllSurviveAStartAndAQuit) {
    struct Case {
        char const* what;
        std::string bytes;
        bool unreadable = false;  // kept through a change of the rule options too
    };
    auto with_name = [&](std::string const& name) {
        Player p = orig[1];
        p.name = name;
        return saved_bytes(p);
    };
    std::string huge_count = file[1], no_zero = file[1], wrong_magic = file[1], cut_in_name = file[1];
    put_u32(huge_count, 8, 0x7FFFFFFFu);
    no_zero[8 + 4 + orig[1].name.size()] = '!';
    wrong_magic[0] ^= 1;
    cut_in_name.resize(8 + 4 + 1);
    std::string cut_4 = file[1].substr(0, file[1].size() - 4), cut_28 = file[1].substr(0, file[1].size() - 28);
    Case const cases[] = {
        {"a 31-character name", with_name(std::string(31, 'L'))},
        {"a name of 2000 characters", with_name(std::string(2000, 'L'))},
        {"untypable name characters", with_name(std::string("B\x01o\xC3\xA9", 5))},
        {"a huge name count", huge_count},
        {"a name without its zero", no_zero},
        {"a wrong magic", wrong_magic, true},
        {"a cut inside the name", cut_in_name, true},
        {"a cut inside the options", cut_4},
        {"a cut before the options", cut_28},
        {"a whole private file", file[1]},
    };
    for (Case const& c : cases) {
        for (mode_t mode : {0600, 0644}) {
            restore_files();
            put_file(Player::filename(1), c.bytes);
            ASSERT_EQ(chmod(Player::filename(1).c_str(), mode), 0);
            reset();
            Player::read_all();
            EXPECT_TRUE(all_in_range()) << c.what;
            Player::save_all();
            EXPECT_EQ(read_file(Player::filename(1)), c.bytes) << c.what;
            struct stat st {};
            ASSERT_EQ(stat(Player::filename(1).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, mode) << c.what;
            for (unsigned i = 0; i < Player::slot_count; ++i) {
                if (i == 1) continue;
                EXPECT_EQ(read_file(Player::filename(i)), file[i]) << c.what << ", slot " << i;
            }
            if (!c.unreadable) continue;
            KlondikeOptions::opt_flip_1 = !KlondikeOptions::opt_flip_1;
            EXPECT_TRUE(Player::save_all()) << c.what;
            EXPECT_EQ(read_file(Player::filename(1)), c.bytes) << c.what << ", the options changed";
        }
    }
    // A file another instance saved since the start is kept by a quit that changed nothing.
    restore_files();
    reset();
    Player::read_all();
    std::string const other = with_name("Other");
    put_file(Player::filename(1), other);
    EXPECT_TRUE(Player::save_all());
    EXPECT_EQ(read_file(Player::filename(1)), other);
    // A change to the profile read in part is saved; one that could not be read stays.
    put_file(Player::filename(1), with_name(std::string(31, 'L')));
    reset();
    Player::read_all();
    EXPECT_EQ(Player::get(1)->name, std::string(Player::max_namlen, 'L'));
    Player::get(1)->stats[0].played += 1;
    Player::save_all();
    reset();
    Player::read_all();
    EXPECT_EQ(Player::get(1)->stats[0].played, orig[1].stats[0].played + 1);
    // A profile made in a slot whose file could not be read is saved; the old file moves
    // aside, and an earlier one moved aside stays.
    std::string const aside = Player::filename(1) + ".unreadable";
    for (std::string const* bytes : {&wrong_magic, &cut_in_name, &cut_4}) {
        put_file(Player::filename(1), *bytes);
        reset();
        Player::read_all();
        Player::get(1)->name = "New";
        EXPECT_TRUE(Player::save_all());
        reset();
        Player::read_all();
        EXPECT_EQ(Player::get(1)->name, "New");
    }
    EXPECT_EQ(read_file(aside), wrong_magic);
    EXPECT_EQ(read_file(aside + ".1"), cut_in_name);
    EXPECT_EQ(read_file(aside + ".2"), cut_4);
}

// Bytes after a whole profile are no damage: it reads as without them, a quit leaves the
// file as it is, and a change writes the profile alone.
TEST_F(PlayerFileDamage, BytesAfterAWholeProfileChangeNothing) {
    std::mt19937 rng(19);
    for (int fill : {0x00, 0xFF, -1}) {
        for (std::size_t n = 1; n <= 64; ++n) {
            std::string extra(n, static_cast<char>(fill));
            if (fill < 0)
                for (char& c : extra) c = static_cast<char>(rng());
            std::string const what = std::to_string(n) + " bytes of " + std::to_string(fill);
            read_all_with(0, file[0] + extra);
            for (unsigned i = 0; i < Player::slot_count; ++i)
                EXPECT_EQ(describe(*Player::get(i)), describe(orig[i])) << what << ", slot " << i;
            EXPECT_EQ(describe_options(), orig_options) << what;
            ASSERT_TRUE(Player::save_all());
            EXPECT_EQ(read_file(Player::filename(0)), file[0] + extra) << what;
            if (n % 9 != 0) continue;
            Player::get(0)->stats[0].won += 1;
            ASSERT_TRUE(Player::save_all());
            EXPECT_EQ(read_file(Player::filename(0)), saved_bytes(*Player::get(0))) << what;
        }
    }
    // An empty slot's file with a zero byte after it stays empty and not current.
    Player q;
    read_bytes(q, saved_bytes(Player()) + std::string(1, '\0'));
    EXPECT_EQ(describe(q), describe(Player()));
}

#if !defined(__SANITIZE_ADDRESS__)
// The largest count the engine's string reader trusts, in a child that cannot grow by as
// much: a reader that allocates what the count asks for dies. (Under the sanitizers the
// address space is theirs, and their allocator checks sizes instead.)
TEST_F(PlayerFileDamage, ALargeNameCountAllocatesNothingLarge) {
    std::string bytes = file[1];
    put_u32(bytes, 8, E2::io::max_string_count);
    put_file(Player::filename(1), bytes);
    reset();
    EXPECT_EXIT(
        {
            file_damage::cap_address_space(512 * 1024);
            Player::read_all();
            std::exit(all_in_range() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

TEST_F(PlayerFileDamage, UntypableNameCharactersAreDroppedAndTheRestIsRead) {
    Player p = orig[1];
    p.name = std::string(
        "A\0n\x01"
        "n\x7F\xC3\xA9!",
        9);
    Player q;
    read_bytes(q, saved_bytes(p));
    EXPECT_EQ(q.name, "Ann!");
    p.name = q.name;
    EXPECT_EQ(describe(q), describe(p));
}

TEST_F(PlayerFileDamage, NegativeFewestMovesReadAsNone) {
    Player p = orig[3];
    p.stats[4].fewest_moves = -3;
    p.stats[5].fewest_moves = INT32_MIN;
    p.stats[6].fewest_moves = 1;
    Player q;
    read_bytes(q, saved_bytes(p));
    EXPECT_EQ(q.stats[4].fewest_moves, Player::no_fewest_moves);
    EXPECT_EQ(q.stats[5].fewest_moves, Player::no_fewest_moves);
    EXPECT_EQ(q.stats[6].fewest_moves, 1);
    EXPECT_EQ(q.stats[4].played, p.stats[4].played);
}

}  // namespace
