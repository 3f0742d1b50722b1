// Damaged options.dat and highscores.dat: every cut and thousands of corrupted copies of a
// rich file are read; the state must stay within the ranges the screens rely on, and the
// next save must write a file that reads back to exactly that state.

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/file_damage.h"
#include "high_scores_screen.h"
#include "io.h"
#include "menus/support.h"
#include "music_ctl.h"
#include "options_screen.h"
#include "player.h"
#include "snd.h"

namespace {

using file_damage::put_file;
using file_damage::put_u32;
using menus_test::Bytes;

constexpr unsigned mutation_count = 10000;
// Every this many corrupted copies the screen's own save runs (each one syncs the disk).
constexpr unsigned save_every = 100;
// Damage with one of the 4-byte fields at `fields` (or any 4 bytes) overwritten with a large value.
std::string damaged(std::string const& bytes, std::vector<std::size_t> const& fields, std::mt19937& rng) {
    static std::uint32_t const large[] = {0xFFFFFFFFu,
                                          0xFFFFFFF0u,
                                          0x80000000u,
                                          0x7FFFFFFFu,
                                          E2::io::max_string_count + 1,
                                          E2::io::max_string_count,
                                          E2::io::max_string_count - 1,
                                          0x10000u,
                                          0x1000u,
                                          HighScoresScreen::max_name_bytes + 1,
                                          HighScoresScreen::max_name_bytes + 2,
                                          200u,
                                          101u,
                                          0u};
    return file_damage::damaged(bytes, rng, [&](std::string& b, auto pos) {
        put_u32(b, rng() % 2 ? fields[rng() % fields.size()] : pos(4),
                large[rng() % (sizeof large / sizeof large[0])]);
    });
}

// ---------------------------------------------------------------------------------------
// options.dat

// The screen's state after a read, and what it applied.
std::string describe(OptionsScreen const& o) {
    std::ostringstream s;
    s << "full " << o.fullscreen << " sound " << o.sound.x << " music " << o.music.x << " effects " << o.effects.x
      << " quality " << o.effects_quality;
    return s.str();
}

::testing::AssertionResult options_in_range(OptionsScreen const& o) {
    for (HSliderSprite const* s : {&o.sound, &o.music, &o.effects}) {
        if (s->x < OptionsScreen::knob_left || s->x > OptionsScreen::knob_right)
            return ::testing::AssertionFailure() << "a knob at " << s->x;
        if (!(s->value() >= 0.0f && s->value() <= 1.0f))
            return ::testing::AssertionFailure() << "a slider value of " << s->value();
    }
    if (!(o.effects_quality >= 0.0f && o.effects_quality <= 1.0f))
        return ::testing::AssertionFailure() << "effects quality " << o.effects_quality;
    if (!(Snd::master_volume() >= 0.0f && Snd::master_volume() <= 1.0f))
        return ::testing::AssertionFailure() << "sound volume " << Snd::master_volume();
    int music = MusicCtl::ctl()->master_volume_raw();
    if (music < 0 || music > 128) return ::testing::AssertionFailure() << "music volume " << music;
    return ::testing::AssertionSuccess();
}

// HOME in a fresh folder, and an options.dat saved by the screen with every value away
// from its default.
class OptionsFileDamage : public menus_test::Menus, protected file_damage::Notes {
protected:
    void SetUp() override {
        Menus::SetUp();
        OptionsScreen o;
        o.fullscreen = true;
        o.sound.set_pos(options_knob_x(37), o.sound.y);
        o.music.set_pos(options_knob_x(83), o.music.y);
        o.effects.set_pos(options_knob_x(42), o.effects.y);
        o.keep();
        path = o.filename();
        whole = read_file(path);
        Bytes b;
        b.u32(OptionsScreen::magic).u8(1).u32(37).u32(83).u32(42);
        ASSERT_EQ(whole, b.str());
        OptionsScreen r;
        r.read();
        orig = describe(r);
        std::remove(path.c_str());
        OptionsScreen none;
        none.read();
        defaults = describe(none);
        ASSERT_NE(orig, defaults);
    }

    // A start-up's read of `bytes` as options.dat.
    void read_as_file(OptionsScreen& o, std::string const& bytes) const {
        put_file(path, bytes);
        o.read();
    }

    // A change saved writes a well-formed file; a new screen reads it as the same state
    // (the defaults' knobs lie between two stored values and move to the lower one) and
    // leaves the file as it is.
    ::testing::AssertionResult save_round_trips(OptionsScreen& o) const {
        o.fullscreen = !o.fullscreen;
        o.save();
        std::string const bytes = read_file(path);
        if (bytes.size() != 17 || bytes.compare(0, 4, "\xB1\x76\x90\xAE", 4) != 0 ||
            static_cast<unsigned char>(bytes[4]) > 1)
            return ::testing::AssertionFailure() << "a malformed file of " << bytes.size() << " bytes";
        for (std::size_t at : {5u, 9u, 13u}) {
            std::uint32_t v = 0;
            for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
            if (v > 100) return ::testing::AssertionFailure() << "a stored value of " << v;
        }
        OptionsScreen again;
        again.read();
        // A default's knob (sound 504, music 448) lies between two stored values.
        bool same = again.fullscreen == o.fullscreen && again.effects.x == o.effects.x;
        for (auto [knob, default_x] : {std::pair{&OptionsScreen::sound, 504}, std::pair{&OptionsScreen::music, 448}})
            same = same && ((again.*knob).x == (o.*knob).x || (o.*knob).x == default_x);
        if (!same)
            return ::testing::AssertionFailure() << "saved " << describe(o) << ", read back " << describe(again);
        again.save();
        if (read_file(path) != bytes) return ::testing::AssertionFailure() << "saved again otherwise";
        return ::testing::AssertionSuccess();
    }

    std::string path, whole, orig, defaults;
};

TEST_F(OptionsFileDamage, EveryCutStaysInRangeAndSavesWhole) {
    OptionsScreen saved, none;
    read_as_file(saved, whole);
    read_as_file(none, "");
    for (std::size_t len = 0; len <= whole.size(); ++len) {
        std::string const what = "cut at " + std::to_string(len);
        OptionsScreen o;
        read_as_file(o, whole.substr(0, len));
        note(options_in_range(o), what);
        // No magic is no file; after it a missing value reads as its default.
        if (len < 4) {
            note(::testing::AssertionResult(describe(o) == defaults) << describe(o), what);
        } else {
            bool ok = o.fullscreen == (len >= 5 ? saved : none).fullscreen;
            std::size_t end = 9;
            for (auto knob : {&OptionsScreen::sound, &OptionsScreen::music, &OptionsScreen::effects}) {
                ok = ok && (o.*knob).x == ((len >= end ? saved : none).*knob).x;
                end += 4;
            }
            note(::testing::AssertionResult(ok) << describe(o), what);
        }
        note(save_round_trips(o), what);
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(OptionsFileDamage, CorruptedCopiesStayInRangeAndSaveWhole) {
    std::vector<std::size_t> const fields = {5, 9, 13};
    for (unsigned seed = 1; seed <= mutation_count; ++seed) {
        std::mt19937 rng(seed);
        std::string const what = "seed " + std::to_string(seed);
        OptionsScreen o;
        read_as_file(o, damaged(whole, fields, rng));
        note(options_in_range(o), what);
        if (seed % save_every == 0) note(save_round_trips(o), what);
    }
    EXPECT_EQ(failures, 0);
}

// ---------------------------------------------------------------------------------------
// highscores.dat

using Tables = std::vector<std::vector<HighScoresScreen::HSPair>>;

Tables tables_of(HighScoresScreen const& hs) {
    Tables t;
    for (unsigned i = 0; i < HighScoresScreen::table_count; ++i) t.push_back(hs.table(i));
    return t;
}

std::string describe(Tables const& tables) {
    std::ostringstream s;
    for (unsigned t = 0; t < tables.size(); ++t) {
        s << "table " << t << ':';
        for (HighScoresScreen::HSPair const& row : tables[t]) s << " [" << row.name << "|" << row.score << "]";
        s << '\n';
    }
    return s.str();
}

// The file as the format lays out these tables.
std::string file_of(Tables const& tables) {
    Bytes b;
    b.u32(HighScoresScreen::magic);
    for (auto const& t : tables)
        for (HighScoresScreen::HSPair const& row : t) b.str(row.name).str(row.score);
    return b.str();
}

bool is_name_char(char c) { return c >= ' ' && c <= '~'; }

// What the screen relies on: six tables of ten rows; names as clipped, of characters the
// name entry types; score texts in the form a score is written (or empty for a free place);
// the taken rows best first, the free places after them; the rows shown those of the table
// shown; no buffer kept from a large count.
::testing::AssertionResult tables_in_order(HighScoresScreen const& hs) {
    for (unsigned t = 0; t < HighScoresScreen::table_count; ++t) {
        auto const& rows = hs.table(t);
        if (rows.size() != HighScoresScreen::row_count)
            return ::testing::AssertionFailure() << "table " << t << " of " << rows.size() << " rows";
        bool free_seen = false;
        long long last = LLONG_MAX;
        for (unsigned r = 0; r < rows.size(); ++r) {
            std::string const& name = rows[r].name;
            std::string const& score = rows[r].score;
            std::string const where = " in table " + std::to_string(t) + " row " + std::to_string(r);
            if (name.size() > HighScoresScreen::max_name_bytes)
                return ::testing::AssertionFailure() << "a name of " << name.size() << where;
            if (name.capacity() > 4 * HighScoresScreen::max_name_bytes || score.capacity() > 64)
                return ::testing::AssertionFailure()
                       << "a buffer of " << name.capacity() << " and " << score.capacity() << where;
            for (char c : name)
                if (!is_name_char(c))
                    return ::testing::AssertionFailure()
                           << "name character " << int(static_cast<unsigned char>(c)) << where;
            if (score.empty()) {
                free_seen = true;
                continue;
            }
            int v = HighScoresScreen::score_value(score);
            if (std::to_string(v) != score)
                return ::testing::AssertionFailure() << "score text [" << score << "]" << where;
            if (free_seen) return ::testing::AssertionFailure() << "a score after a free place" << where;
            if (v > last) return ::testing::AssertionFailure() << "score " << v << " below a lower one" << where;
            last = v;
        }
    }
    auto const& shown = hs.table(hs.current_table());
    for (unsigned r = 0; r < HighScoresScreen::row_count; ++r)
        if (hs.name_text(r).text() != shown[r].name || hs.score_text(r).text() != shown[r].score)
            return ::testing::AssertionFailure() << "shown row " << r << " is not the table's";
    return ::testing::AssertionSuccess();
}

// HOME in a fresh folder, and a highscores.dat whose six tables were filled by add_score
// with ten entries each, in shuffled order.
class HighScoresFileDamage : public menus_test::Menus, protected file_damage::Notes {
protected:
    void SetUp() override {
        Menus::SetUp();
        char const* const names[] = {"Ann",  "Bo Li", "Quorlan Games!", "Cy-3!",  "Dee?", "e.e. 99%",
                                     "Fay:", "G",     "Hal, Jr.",       "Ivy Lee"};
        HighScoresScreen hs;
        hs.read();
        std::mt19937 rng(7);
        for (unsigned t = 0; t < HighScoresScreen::table_count; ++t) {
            Player::cur()->game = static_cast<Player::Game_Type>(t);
            int const it = static_cast<int>(t);
            std::vector<int> scores = {INT_MAX - it, 987654321, 123456, 50000 + it, 4321, 999, 250, 42, 7, 1};
            std::shuffle(scores.begin(), scores.end(), rng);
            for (unsigned k = 0; k < scores.size(); ++k) ASSERT_GE(hs.add_score(names[(k + t) % 10], scores[k]), 0);
        }
        Player::cur()->game = Player::YUKON;
        path = hs.filename();
        whole = read_file(path);
        orig = tables_of(hs);
        ASSERT_EQ(whole, file_of(orig));
        ASSERT_TRUE(tables_in_order(hs));
        // Where each string's count lies.
        for (std::size_t at = 4; at < whole.size();) {
            counts.push_back(at);
            std::uint32_t n = 0;
            for (std::size_t k = 0; k < 4; ++k) n = (n << 8) | static_cast<unsigned char>(whole[at + k]);
            at += 4 + n;
        }
        ASSERT_EQ(counts.size(), 2u * HighScoresScreen::table_count * HighScoresScreen::row_count);
    }

    void read_as_file(HighScoresScreen& hs, std::string const& bytes) const {
        put_file(path, bytes);
        hs.read();
    }

    // The tables written out as the format lays them read back as the same tables.
    ::testing::AssertionResult rereads_the_same(HighScoresScreen const& hs) const {
        Tables const before = tables_of(hs);
        HighScoresScreen again;
        read_as_file(again, file_of(before));
        if (describe(tables_of(again)) != describe(before))
            return ::testing::AssertionFailure() << "saved\n"
                                                 << describe(before) << "read back\n"
                                                 << describe(tables_of(again));
        return ::testing::AssertionSuccess();
    }

    // The screen's own save writes exactly that layout, and a score entered afterwards
    // lands where is_highscore said, keeping the order.
    ::testing::AssertionResult saves_and_enters(HighScoresScreen& hs, std::mt19937& rng) const {
        hs.save();
        std::string const bytes = read_file(path);
        if (bytes != file_of(tables_of(hs))) return ::testing::AssertionFailure() << "save wrote another layout";
        HighScoresScreen again;
        again.read();
        if (describe(tables_of(again)) != describe(tables_of(hs)))
            return ::testing::AssertionFailure() << "the save reads back otherwise";
        Player::cur()->game = static_cast<Player::Game_Type>(rng() % Player::game_count);
        int const score = static_cast<int>(rng() % 2 ? rng() % 2000 : rng());
        bool const ranks = hs.is_highscore(score);
        int const row = hs.add_score("Zed", score);
        if ((row >= 0) != ranks)
            return ::testing::AssertionFailure() << "is_highscore and add_score disagree on " << score;
        if (row >= 0 && hs.table(hs.current_table())[static_cast<unsigned>(row)].score != std::to_string(score))
            return ::testing::AssertionFailure() << score << " not in row " << row;
        return tables_in_order(hs);
    }

    std::string path, whole;
    Tables orig;
    std::vector<std::size_t> counts;
};

TEST_F(HighScoresFileDamage, EveryCutStaysInOrderAndSavesWhole) {
    std::mt19937 rng(1);
    for (std::size_t len = 0; len <= whole.size(); ++len) {
        std::string const what = "cut at " + std::to_string(len);
        HighScoresScreen hs;
        read_as_file(hs, whole.substr(0, len));
        note(tables_in_order(hs), what);
        // Each row as saved, or a free place, or (cut between them) its name alone; no
        // magic leaves the default rows.
        Tables const got = tables_of(hs);
        bool ok = true;
        for (unsigned t = 0; t < got.size(); ++t)
            for (unsigned r = 0; r < got[t].size(); ++r) {
                HighScoresScreen::HSPair const& g = got[t][r];
                HighScoresScreen::HSPair const& o = orig[t][r];
                if (len < 4)
                    ok = ok && g.name == HighScoresScreen::default_name && g.score == "0";
                else
                    ok = ok && ((g.name == o.name && g.score == o.score) || (g.name == o.name && g.score.empty()) ||
                                (g.name.empty() && g.score.empty()));
            }
        note(::testing::AssertionResult(ok) << describe(got), what);
        if (len == whole.size())
            note(::testing::AssertionResult(describe(got) == describe(orig)) << describe(got), what);
        note(rereads_the_same(hs), what);
        if (len % 50 == 0) note(saves_and_enters(hs, rng), what);
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(HighScoresFileDamage, CorruptedCopiesStayInOrderAndSaveWhole) {
    for (unsigned seed = 1; seed <= mutation_count; ++seed) {
        std::mt19937 rng(seed);
        std::string const what = "seed " + std::to_string(seed);
        HighScoresScreen hs;
        read_as_file(hs, damaged(whole, counts, rng));
        note(tables_in_order(hs), what);
        note(rereads_the_same(hs), what);
        if (seed % save_every == 0) note(saves_and_enters(hs, rng), what);
    }
    EXPECT_EQ(failures, 0);
}

#if !defined(__SANITIZE_ADDRESS__)
// The largest count the engine's string reader trusts, in a child that cannot grow by as
// much: a reader that allocates what the count asks for dies. (Under the sanitizers the
// address space is theirs, and their allocator checks sizes instead.)
TEST_F(HighScoresFileDamage, ALargeCountAllocatesNothingLarge) {
    for (std::size_t k : {0u, 37u, 119u}) {
        std::string bytes = whole;
        put_u32(bytes, counts[k], E2::io::max_string_count);
        put_file(path, bytes);
        EXPECT_EXIT(
            {
                file_damage::cap_address_space(512 * 1024);
                HighScoresScreen hs;
                hs.read();
                std::exit(tables_in_order(hs) ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "string " << k;
    }
}
#endif

// A file that is not one whole set of tables is never written over: the next score moves
// it aside byte for byte, then the file is saved with the new row.
TEST_F(HighScoresFileDamage, AFileNotReadWholeIsMovedAsideByTheNextScore) {
    std::string wrong_magic = whole, huge_count = whole;
    wrong_magic[3] ^= 1;
    put_u32(huge_count, counts[37], 0x7FFFFFFFu);
    std::string const cases[] = {wrong_magic, huge_count, whole.substr(0, counts[90] + 2)};
    for (std::size_t k = 0; k < 3; ++k) {
        HighScoresScreen hs;
        read_as_file(hs, cases[k]);
        EXPECT_EQ(read_file(path), cases[k]) << k;
        Player::cur()->game = Player::GOLF;
        EXPECT_GE(hs.add_score("Zed", 1), 0) << k;
        EXPECT_EQ(read_file(path + ".unreadable" + (k ? "." + std::to_string(k) : std::string())), cases[k]) << k;
        HighScoresScreen again;
        again.read();
        EXPECT_EQ(describe(tables_of(again)), describe(tables_of(hs))) << k;
    }
    // The same for an options file of another kind.
    OptionsScreen o;
    std::string const options = saved("options.dat");
    put_file(options, wrong_magic);
    o.read();
    o.fullscreen = true;
    o.save();
    EXPECT_EQ(read_file(options + ".unreadable"), wrong_magic);
    EXPECT_EQ(read_file(options).size(), 17u);
}

TEST_F(HighScoresFileDamage, RowsOutOfOrderAreReadBestFirst) {
    Bytes b;
    b.u32(HighScoresScreen::magic);
    b.str("Al").str("5").str("Bo").str("900").str("Cy").str("").str("Di").str("70").str("Ed").str("900");
    for (unsigned r = 5; r < HighScoresScreen::row_count; ++r) b.str("").str("");
    b.str("Fi").str("-3").str("Gu").str("-2");
    HighScoresScreen hs;
    read_as_file(hs, b.str());
    EXPECT_TRUE(tables_in_order(hs));
    std::vector<HighScoresScreen::HSPair> const& t = hs.table(0);
    EXPECT_EQ(t[0].name, "Bo");
    EXPECT_EQ(t[1].name, "Ed") << "equal scores keep their file order";
    EXPECT_EQ(t[2].name, "Di");
    EXPECT_EQ(t[3].name, "Al");
    EXPECT_EQ(t[4].name, "Cy");
    EXPECT_EQ(t[4].score, "");
    EXPECT_EQ(hs.table(1)[0].score, "-2");
    EXPECT_EQ(hs.table(1)[1].score, "-3");
    Player::cur()->game = Player::KLONDIKE;
    EXPECT_EQ(hs.add_score("Hy", 800), 2);
    EXPECT_EQ(hs.table(0)[3].name, "Di");
}

TEST_F(HighScoresFileDamage, ScoreTextsReadAsTheNumberTheyRankAs) {
    std::vector<std::string> const texts = {"42abc", "  7",      "+6",   "99999999999", "-99999999999",
                                            "abc",   "\x01\xFF", "0005", "-0",          "3"};
    Bytes b;
    b.u32(HighScoresScreen::magic);
    for (std::string const& s : texts) b.str("X").str(s);
    HighScoresScreen hs;
    read_as_file(hs, b.str());
    EXPECT_TRUE(tables_in_order(hs));
    std::vector<std::string> scores;
    for (auto const& row : hs.table(0)) scores.push_back(row.score);
    EXPECT_EQ(scores, (std::vector<std::string>{"2147483647", "42", "7", "6", "5", "3", "0", "0", "0", "-2147483648"}));
}

TEST_F(HighScoresFileDamage, NamesKeepTypableCharactersAndLargeCountsReadNothing) {
    Bytes b;
    b.u32(HighScoresScreen::magic).str(std::string("A\0n\x01n\x7F\xC3\xA9!", 9)).str("10");
    std::string bytes = b.str();
    // The next count is far beyond the file's end, yet below the engine's largest string.
    bytes += std::string("\x00\x0F\xFF\xFF", 4) + "Bob";
    HighScoresScreen hs;
    read_as_file(hs, bytes);
    EXPECT_TRUE(tables_in_order(hs));
    EXPECT_EQ(hs.table(0)[0].name, "Ann!");
    EXPECT_EQ(hs.table(0)[0].score, "10");
    EXPECT_EQ(hs.table(0)[1].name, "") << "a string cut by the end of the file is not read";
    EXPECT_EQ(hs.table(0)[1].score, "");
    // The same for a score text.
    b = Bytes();
    b.u32(HighScoresScreen::magic).str("Cy");
    bytes = b.str() + std::string("\x00\x0F\xFF\xFF", 4) + "12";
    read_as_file(hs, bytes);
    EXPECT_TRUE(tables_in_order(hs));
    EXPECT_EQ(hs.table(0)[0].name, "Cy");
    EXPECT_EQ(hs.table(0)[0].score, "");
}

}  // namespace

namespace {

// A FIFO or a folder at the options or high-score path: the read gives the defaults at
// once (a plain open of a FIFO with no writer would wait forever) and the saves leave it.
TEST_F(OptionsFileDamage, NotAPlainFileAtARecordPathIsReadAsNothingAndKept) {
    for (bool fifo : {true, false}) {
        HighScoresScreen hs;
        for (std::string const& p : {path, hs.filename()}) {
            std::remove(p.c_str());
            ASSERT_EQ(fifo ? mkfifo(p.c_str(), 0600) : mkdir(p.c_str(), 0700), 0) << p;
        }
        OptionsScreen o;
        o.read();
        EXPECT_EQ(describe(o), defaults) << fifo;
        o.save();
        hs.read();
        EXPECT_EQ(hs.table(0)[0].name, HighScoresScreen::default_name);
        hs.save();
        for (std::string const& p : {path, hs.filename()}) {
            struct stat st {};
            ASSERT_EQ(lstat(p.c_str(), &st), 0) << p;
            EXPECT_TRUE(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode)) << p;
            rmdir(p.c_str());
            std::remove(p.c_str());
        }
    }
}

}  // namespace
