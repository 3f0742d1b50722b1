#pragma once
// The five player profiles: names, running game, play time, per-game statistics and
// settings, one file per slot in the save folder; exactly one profile is current.

#include <cstdint>
#include <cstdio>
#include <string>

class Player {
public:
    enum Game_Type : std::uint32_t { KLONDIKE = 0, FREECELL = 1, SPIDER = 2, TRIPEAKS = 3, YUKON = 4, GOLF = 5 };

    static constexpr unsigned slot_count = 5;
    static constexpr unsigned game_count = 6;     // valid Game_Type values
    static constexpr unsigned entry_count = 20;   // per-game table entries (6 to 19 unused)
    static constexpr unsigned card_back_count = 16;
    static constexpr std::uint32_t magic = 0x8B901886u;
    static constexpr unsigned max_namlen = 30;
    static constexpr std::uint32_t no_best_time = 0xFFFFFFFFu;
    static constexpr std::int32_t no_fewest_moves = 0x7FFFFFFF;
    static constexpr std::uint32_t total_ms_limit = 0x7FFFFFFFu;

    struct Stats {
        Stats() { clear(); }
        void clear();
        // A won game: won + 1 (held at its largest value), then the best score, the best
        // time and the running average time (whole seconds) and the fewest moves.
        void record_win(std::int32_t score, std::uint32_t game_ms, std::int32_t moves);

        std::uint32_t played;
        std::uint32_t won;
        std::int32_t best_score;
        std::uint32_t best_time;  // seconds; no_best_time for none
        std::uint32_t avg_time;   // seconds
        std::int32_t fewest_moves;  // no_fewest_moves for none
    };

    // An empty profile: "empty", fresh, default statistics, not current.
    Player() { clear(); }
    // Every field to its default except is_current.
    void clear();
    // A game starts: score and time 0, in progress, one more played of `game`.
    void new_game();
    bool is_cur() const { return this == cur(); }

    // One profile in the file layout, the rule options of all games at its end.
    void save(FILE* f) const;
    // A wrong magic leaves the profile as it is and reads no options. The values are
    // checked: a game type of 6 or more and a card back of 16 or more read as 0, a fewest
    // moves below 1 as none, and the name drops the characters outside ' ' to '~' (those
    // the name entry cannot type). A name longer than max_namlen characters reads as its
    // first max_namlen. The name is read by its stored count wherever that can be right,
    // so bytes after a whole profile change nothing; a damaged count is passed over where
    // the file's size tells where the name ends. A file that ends early leaves every field
    // from that point at its present value and reads no options: only a whole option
    // section is read. True when the profile was read (its magic and name); false leaves
    // it empty. `whole`, where given, tells whether the profile was read to its end.
    bool read(FILE* f, bool* whole = nullptr);

    // The five slots, created on first use and never freed.
    static Player* plist();
    // Slot i, or null for i of 5 or more.
    static Player* get(unsigned i);
    // The current profile; slot 0 until one is made current.
    static Player* cur();
    // Makes slot i current and no longer fresh; the others lose their flag.
    static void set_cur(unsigned i);
    // Empties slot i; i of 5 or more is ignored.
    static void delete_i(unsigned i);
    // "player<i>.dat" in the save folder.
    static std::string filename(unsigned i);
    // Every slot whose profile this run changed (since it was read or last saved) is
    // written whole through a temporary file; the others are left alone, whatever is in
    // their files now. An empty slot whose file could not be read keeps that file until a
    // player is made in the slot (the rule options are not the slot's own); that save moves
    // the file aside. False when a slot could not be written (told on stderr).
    static bool save_all();
    // Every slot from its file (a missing file leaves an empty profile); the lowest slot
    // flagged current becomes current. A file that exists but cannot be read as a profile
    // leaves an empty slot, and one cut short keeps the fields it lacks at their defaults;
    // either is kept until a player is saved in its place. What every slot then holds is
    // what save_all compares with.
    static void read_all();
    // The sum of total_ms, adding a slot only while the sum and its value are below
    // total_ms_limit.
    static std::uint32_t tm_total_all();

    std::string name;
    std::int32_t score;
    std::uint32_t game_ms;
    std::uint32_t total_ms;
    bool in_progress;  // never saved
    bool fresh;
    Game_Type game;
    std::uint32_t card_back;
    bool show_rules[entry_count];
    std::uint32_t bg_counter;
    Stats stats[entry_count];
    bool is_current = false;

    static Player* _cur;
};
