#pragma once
// The rule options of the six games: one set for the whole program, shared by all
// players, and their section at the end of every player file. Each game writes single
// bytes (1 set, 0 clear) followed by three reserved zero bytes, in game-type order:
// 28 bytes in all.

#include <cstdio>

struct KlondikeOptions {
    static bool opt_may_pluck_from_foundation;
    static bool opt_flip_1;
    static bool opt_unlimited_redeals;
    // opt_flip_1, opt_unlimited_redeals, opt_may_pluck_from_foundation, 0, 0, 0.
    static void save(FILE* f);
    // A short read clears what it lacks.
    static void read(FILE* f);
};

struct FreeCellOptions {
    static bool opt_may_pluck_from_foundation;
    static void save(FILE* f);
    static void read(FILE* f);
};

struct SpiderOptions {
    static bool opt_two_suits;
    static void save(FILE* f);
    static void read(FILE* f);
};

struct TriPeaksOptions {
    static bool opt_may_turn_corner;
    static bool opt_single_click_activation;  // starts true
    static void save(FILE* f);
    // At the end of the file nothing is read and both options keep their values.
    static void read(FILE* f);
};

struct YukonOptions {
    static bool opt_may_pluck_from_foundation;
    static void save(FILE* f);
    static void read(FILE* f);
};

struct GolfOptions {
    static bool opt_may_turn_corner;
    static bool opt_single_click_activation;  // starts true
    static void save(FILE* f);
    // At the end of the file nothing is read and both options keep their values.
    static void read(FILE* f);
};

// Bytes of the whole section.
constexpr long rule_options_size = 28;

// Every game's options in game-type order (Klondike, FreeCell, Spider, TriPeaks, Yukon, Golf).
void save_rule_options(FILE* f);
void read_rule_options(FILE* f);
// The options as at start.
void reset_rule_options();
