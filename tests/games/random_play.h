#pragma once
// Random play for any game: drives a rules object through the operations the play screen
// uses (presses, motion and releases in world coordinates, the stock action, undo, double
// clicks, ticks that run the animations and the automatic finish) with a scripted clock
// and pointer, and checks the table after every action:
// - every card lies in exactly one place (no null entries, none twice, none lost);
// - face-up flags fit the game (by default: stock face down; waste, cells and foundations
//   face up; each tableau pile face-down cards under face-up ones with its top face up);
// - at rest every card stands at pos_of its place;
// - one action records at most one undo entry, an action that records nothing moves no
//   card, and each undo puts back the table, the score and the face-up flags exactly as
//   they were before the action it takes back;
// - the drained score equals the deal's plus the open entries' scores (until the
//   automatic finish, which records nothing), and a drop, a recorded stock action and an
//   undo each count one move;
// - at the end, undoing everything restores the exact deal and its score.
// The process-wide rand() is seeded with the seed before the deal, so a run repeats.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "loc.h"
#include "solitaire_rules.h"

namespace rules_test {

// Where a card lies and which side is up. A carried card has kind NONE and its blob
// position as index.
struct CardPlace {
    Loc loc;
    bool face_up = false;
    bool operator==(CardPlace const& o) const { return loc == o.loc && face_up == o.face_up; }
    bool operator!=(CardPlace const& o) const { return !(*this == o); }
};

// Every card of the table by sprite.
using TableSnapshot = std::map<CardSprite const*, CardPlace>;

// The places of every card in the piles and the blob; a fault (a null entry, a card twice)
// goes to *problem when given.
TableSnapshot snapshot_table(SolitaireRules& g, std::string* problem = nullptr);
// The cards of the game (sprites without the glow sprites).
size_t card_count(SolitaireRules const& g);
// The first difference between two snapshots, empty when equal.
std::string describe_difference(TableSnapshot const& expected, TableSnapshot const& actual);
// 11 x the numbers of the cards on the foundations.
int foundation_points(SolitaireRules& g);
// The default face-up rule described above; empty when it holds.
std::string standard_face_check(SolitaireRules& g);

struct RandomPlayConfig {
    int actions = 150;  // player actions per game (a drop, a double click, an undo, ...)
    // Relative weights of the actions.
    int w_drag = 50;          // press on a card, carry it to a random target (sometimes anywhere), release
    int w_double_click = 15;  // two quick clicks on one card
    int w_basic = 8;          // the stock action, as the Space key
    int w_undo = 12;
    int w_click = 5;          // press and release on the spot: nothing moves
    int w_extra = 5;          // one of extra_actions, when there are any
    int w_undo_run = 0;       // 2 to undo_run_max undos in a row, each checked as an undo
    int undo_run_max = 6;
    int w_lost_release = 0;   // a press whose release never comes, then a drag from a second press

    bool check_positions = true;  // at rest every card stands at pos_of its place
    bool strict_undo = true;      // the exact-table checks of recording and undo
    bool undo_to_deal = true;     // at the end (not after a win), undo everything
    int moves_per_stock_action = 1;  // moves counted by a stock action that records an entry

    // Face-up rule; null for standard_face_check.
    std::function<std::string(SolitaireRules&)> face_check;
    // Further checks of the game after every action; empty when fine.
    std::function<std::string(SolitaireRules&)> extra_check;
    // The score that the table alone implies (e.g. 11 x the numbers on the foundations);
    // after every action, also after a win, the drained score must have changed since the
    // deal (after setup) by as much as this has.
    std::function<int(SolitaireRules&)> expected_score;
    // Runs after the deal has settled, before the deal is noted: may arrange the table.
    std::function<void(SolitaireRules&, unsigned seed)> setup;
    // Further player actions (such as a button), chosen with w_extra; moves are not checked.
    std::vector<std::pair<std::string, std::function<void(SolitaireRules&)>>> extra_actions;
};

struct RandomPlayResult {
    std::string failure;  // the first broken check with the seed and the action; empty when all held
    int actions = 0;
    int drops = 0;          // recorded drops, double clicks included
    int double_clicks = 0;  // double clicks that dropped cards
    int undrags = 0;        // carries sent back
    int stock_actions = 0;  // recorded stock actions
    int undos = 0;
    bool won = false;
    bool auto_finished = false;  // a win that the automatic finish completed
    int score = 0;               // drained score at the end
    int deal_score = 0;

    bool ok() const { return failure.empty(); }
};

// Plays one game. A game without cards is dealt first; the game is not loaded (no images
// beyond install_card_images, which this calls). Installs its own scripted input for the
// run and puts the media layer back afterwards.
RandomPlayResult random_play(SolitaireRules* g, unsigned seed, RandomPlayConfig const& cfg = RandomPlayConfig());

// How many games an invariant test plays: LUNERRA_SOAK_GAMES when set to a positive number,
// else the short default.
int soak_games(int short_default);

}  // namespace rules_test
