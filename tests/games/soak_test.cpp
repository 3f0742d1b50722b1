// A soak of all six games: random play in every combination of each game's rule options,
// set as the options popup sets them, from a different seed every game. The player drags
// (to the targets and anywhere), turns the stock, undoes (also several in a row), double
// clicks, clicks, loses a release, and changes the options in the middle of a game; the
// random player's checks run after every step.
//
// LUNERRA_SOAK_GAMES sets the number of games (60 by default); LUNERRA_SOAK_FROM the number
// of the first, so that one game can be played again alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "card_sprite.h"
#include "klondike.h"
#include "random_play.h"
#include "rule_options.h"
#include "rules_support.h"
#include "shell/events.h"
#include "spider.h"
#include "stock_game_support.h"
#include "surf.h"
#include "tableau_support.h"
#include "tripeaks.h"
#include "undo.h"

namespace {

using rules_test::foundation_points;
using tableau_test::gather;
using rules_test::RandomPlayConfig;
using rules_test::RandomPlayResult;

constexpr int short_soak = 60;

// The popup's boxes of each game, in box order.
std::vector<std::string> option_names(Player::Game_Type t) {
    switch (t) {
        case Player::KLONDIKE: return {"take back from the foundations", "draw one", "unlimited redeals"};
        case Player::FREECELL:
        case Player::YUKON: return {"take back from the foundations"};
        case Player::SPIDER: return {"two suits"};
        case Player::TRIPEAKS:
        case Player::GOLF: return {"turn the corner", "single click"};
    }
    return {};
}

char const* game_name(Player::Game_Type t) {
    switch (t) {
        case Player::KLONDIKE: return "Klondike";
        case Player::FREECELL: return "FreeCell";
        case Player::SPIDER: return "Spider";
        case Player::TRIPEAKS: return "TriPeaks";
        case Player::YUKON: return "Yukon";
        case Player::GOLF: return "Golf";
    }
    return "?";
}

std::vector<bool> box_values(Player::Game_Type t, unsigned mask) {
    std::vector<bool> v;
    for (size_t i = 0; i < option_names(t).size(); ++i) v.push_back((mask >> i & 1u) != 0);
    return v;
}

std::string describe(Player::Game_Type t, unsigned mask) {
    std::string out = game_name(t);
    std::vector<std::string> const names = option_names(t);
    std::string on;
    for (size_t i = 0; i < names.size(); ++i)
        if (mask >> i & 1u) on += (on.empty() ? "" : ", ") + names[i];
    return out + " (" + (on.empty() ? "no options" : on) + ")";
}

// Every game with every combination of its options, game by game.
struct Combination {
    Player::Game_Type type;
    unsigned mask;
};

std::vector<Combination> all_combinations() {
    std::vector<Combination> out;
    for (unsigned t = 0; t < Player::game_count; ++t) {
        auto const type = static_cast<Player::Game_Type>(t);
        for (unsigned m = 0; m < 1u << option_names(type).size(); ++m) out.push_back({type, m});
    }
    return out;
}

unsigned seed_of(int game) { return 0x9E3779B9u * static_cast<unsigned>(game + 1) + 17u; }

// Every rule option, to be put back after the soak.
struct SavedOptions {
    SavedOptions()
        : k_pluck(KlondikeOptions::opt_may_pluck_from_foundation),
          k_flip_1(KlondikeOptions::opt_flip_1),
          k_unlimited(KlondikeOptions::opt_unlimited_redeals),
          fc_pluck(FreeCellOptions::opt_may_pluck_from_foundation),
          sp_two(SpiderOptions::opt_two_suits),
          tp_corner(TriPeaksOptions::opt_may_turn_corner),
          tp_single(TriPeaksOptions::opt_single_click_activation),
          yk_pluck(YukonOptions::opt_may_pluck_from_foundation),
          gf_corner(GolfOptions::opt_may_turn_corner),
          gf_single(GolfOptions::opt_single_click_activation) {}
    void restore() const {
        KlondikeOptions::opt_may_pluck_from_foundation = k_pluck;
        KlondikeOptions::opt_flip_1 = k_flip_1;
        KlondikeOptions::opt_unlimited_redeals = k_unlimited;
        FreeCellOptions::opt_may_pluck_from_foundation = fc_pluck;
        SpiderOptions::opt_two_suits = sp_two;
        TriPeaksOptions::opt_may_turn_corner = tp_corner;
        TriPeaksOptions::opt_single_click_activation = tp_single;
        YukonOptions::opt_may_pluck_from_foundation = yk_pluck;
        GolfOptions::opt_may_turn_corner = gf_corner;
        GolfOptions::opt_single_click_activation = gf_single;
    }
    bool k_pluck, k_flip_1, k_unlimited, fc_pluck, sp_two, tp_corner, tp_single, yk_pluck, gf_corner, gf_single;
};

std::string all_face_up(SolitaireRules& g) {
    for (Deck const& d : g.tableau)
        for (CardSprite const* c : d)
            if (!c->face_up) return "a face-down card on the tableau";
    return rules_test::standard_face_check(g);
}

// A top card of the peaks or the piles that the discard pile takes, played by a click or a
// carry as the options ask.
void play_a_playable_card(SolitaireRules& g, bool single_click) {
    auto* peaks = dynamic_cast<TriPeaksRules*>(&g);
    auto* base = static_cast<StockDiscardRules*>(&g);
    std::vector<Loc> ok;
    for (unsigned p = 0; p < g.tableau.size(); ++p) {
        Deck const& d = g.tableau[p];
        if (d.empty() || !d.back()->face_up) continue;
        if (peaks && !peaks->t_is_exposed(p)) continue;
        if (base->may_move_to_foundation(*d.back()).kind == Loc::NONE) continue;
        ok.push_back(g.back_of(Loc(Loc::TABLEAU, static_cast<int>(p), 0)));
    }
    if (!ok.empty()) rules_test::play_onto_discard(g, ok[static_cast<size_t>(std::rand()) % ok.size()], single_click);
}

// The reset button's image at its size on the table, without decoding. Kept for the run.
Surf* reset_image() {
    static Surf* image = nullptr;
    if (!image) {
        image = new Surf("reset button", SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF000000u, 0x00FF0000u,
                                                              0x0000FF00u, 0x000000FFu));
        image->set_world_wh({75, 76});
    }
    return image;
}

// The reset button as load() sets it up, without loading files.
void show_reset_button(SolitaireRules& g, unsigned) {
    auto& k = static_cast<KlondikeRules&>(g);
    k.reset_button.set_images(reset_image(), reset_image(), reset_image());
    k.reset_button.set_pos(KlondikeRules::reset_button_pos());
    k.reset_button.set_state(ButtonSprite::normal);
    k.reset_button.register_listener(&k);
}

// A mouse event with the left button held, as the play screen routes it: to proc_event
// first, then to the game's handler.
void route(SolitaireRules& g, Uint8 type, E2::Vec2<int> at, E2::Vec2<int> rel = {0, 0}) {
    if (auto* in = dynamic_cast<rules_test::FakeInput*>(&rules_input())) in->mouse = at;
    if (type == SDL_MOUSEMOTION) {
        SDL_Event e = test::mouse_motion(at.x, at.y, rel.x, rel.y, SDL_BUTTON(SDL_BUTTON_LEFT));
        g.proc_event(&e);
        g.on_mouse_motion(at, rel, false);
        return;
    }
    SDL_Event e = test::mouse_button(type, SDL_BUTTON_LEFT, at.x, at.y);
    g.proc_event(&e);
    if (type == SDL_MOUSEBUTTONDOWN)
        g.on_mouse_down(at.x, at.y);
    else
        g.on_mouse_up(at.x, at.y);
}

// Klondike: the waste's top card carried over the reset button and let go there.
void carry_onto_reset_button(SolitaireRules& g) {
    if (g.waste.empty()) return;
    CardSprite const* top = g.waste.back();
    E2::Vec2<int> at(top->x + 49, top->y + 72);
    E2::Vec2<int> const button(KlondikeRules::reset_button_pos().x + 37, KlondikeRules::reset_button_pos().y + 38);
    route(g, SDL_MOUSEBUTTONDOWN, at);
    for (int i = 1; i <= 3; ++i) {
        E2::Vec2<int> next(at.x + (button.x - at.x) / (4 - i), at.y + (button.y - at.y) / (4 - i));
        route(g, SDL_MOUSEMOTION, next, {next.x - at.x, next.y - at.y});
        at = next;
    }
    route(g, SDL_MOUSEBUTTONUP, at);
}

// Klondike, FreeCell, Yukon: Ace to Eight, Nine or Ten of every suit home, the other cards
// shuffled face up over the tableau (Klondike: up to four of them face down in the stock).
void foundation_endgame(SolitaireRules& g, unsigned seed) {
    std::vector<CardSprite*> all = gather(g);
    std::sort(all.begin(), all.end(), [](CardSprite const* a, CardSprite const* b) {
        return a->suit() != b->suit() ? a->suit() < b->suit() : a->no() < b->no();
    });
    unsigned const top = 8 + seed % 3;
    std::vector<CardSprite*> rest;
    for (CardSprite* c : all) {
        c->set_face_up(true);
        if (c->no() <= top)
            g.foundations[c->suit() - 1u].push_back(c);
        else
            rest.push_back(c);
    }
    std::mt19937 rng(seed);
    std::shuffle(rest.begin(), rest.end(), rng);
    if (dynamic_cast<KlondikeRules*>(&g))
        for (unsigned i = 0; i < seed % 5 && !rest.empty(); ++i) {
            rest.back()->set_face_up(false);
            g.stock.push_back(rest.back());
            rest.pop_back();
        }
    for (CardSprite* c : rest) g.tableau[rng() % g.tableau.size()].push_back(c);
    g.reposition_everything();
}

// Spider: seed % 4 runs home, two piles that hold King to Two of one suit face up over two
// face-down cards with the two Aces face up on piles 2 and 3, the other cards face down
// under face-up tops, a few rows of them in the stock.
void spider_endgame(SolitaireRules& g, unsigned seed) {
    std::vector<CardSprite*> all = gather(g);
    tableau_test::CardsByValue by_value;
    for (CardSprite* c : all) {
        c->set_face_up(false);
        by_value[{c->suit(), c->no()}].push_back(c);
    }
    std::vector<std::vector<CardSprite*>> const runs = tableau_test::take_whole_runs(by_value);
    unsigned const home = seed % 4;
    std::vector<CardSprite*> rest;
    for (auto& e : by_value) rest.insert(rest.end(), e.second.begin(), e.second.end());
    for (size_t r = home + 2; r < runs.size(); ++r) rest.insert(rest.end(), runs[r].begin(), runs[r].end());
    std::mt19937 rng(seed);
    std::shuffle(rest.begin(), rest.end(), rng);
    auto take = [&rest]() {
        CardSprite* c = rest.back();
        rest.pop_back();
        return c;
    };
    for (unsigned r = 0; r < home; ++r)
        for (size_t j = SpiderRules::run_length; j-- > 0;) {
            runs[r][j]->set_face_up(true);
            g.foundations[r].push_back(runs[r][j]);
        }
    for (unsigned p = 0; p < 2; ++p) {
        g.tableau[p].push_back(take());
        g.tableau[p].push_back(take());
        for (size_t j = SpiderRules::run_length; j-- > 1;) {
            runs[home + p][j]->set_face_up(true);
            g.tableau[p].push_back(runs[home + p][j]);
        }
    }
    size_t const stock = SpiderRules::piles * (rest.size() / (3 * SpiderRules::piles));
    for (size_t i = 0; i < stock; ++i) g.stock.push_back(take());
    for (size_t i = 0; !rest.empty(); ++i) g.tableau[2 + i % (SpiderRules::piles - 2)].push_back(take());
    for (unsigned p = 2; p < SpiderRules::piles; ++p) {
        if (p < 4) g.tableau[p].push_back(runs[home + p - 2][0]);
        g.tableau[p].back()->set_face_up(true);
    }
    g.reposition_everything();
}

// TriPeaks: most piles already played, their cards under the discard pile's top; the cards
// left face up where nothing covers them.
void peaks_endgame(SolitaireRules& s, unsigned seed) {
    auto& g = static_cast<TriPeaksRules&>(s);
    std::mt19937 rng(seed);
    Deck& discard = g.foundations[0];
    for (Deck& d : g.tableau)
        if (!d.empty() && rng() % 4 != 0) {
            d.back()->set_face_up(true);
            discard.insert(discard.begin(), d.back());
            d.pop_back();
        }
    for (unsigned i = 0; i < TriPeaksRules::pile_count; ++i)
        if (!g.tableau[i].empty()) g.tableau[i].back()->set_face_up(g.t_is_exposed(i));
    g.reposition_everything();
}

// Golf: none to two cards left on each pile, the others under the discard pile's top.
void golf_endgame(SolitaireRules& g, unsigned seed) {
    std::mt19937 rng(seed);
    Deck& discard = g.foundations[0];
    for (Deck& d : g.tableau) {
        size_t const keep = rng() % 3;
        while (d.size() > keep) {
            discard.insert(discard.begin(), d.back());
            d.pop_back();
        }
    }
    g.reposition_everything();
}

// What one game of the soak does, and what it saw.
struct GamePlan {
    Player::Game_Type type;
    unsigned mask;
    unsigned seed;
    bool endgame = false;         // starts from a table near its end
    bool unlimited_seen = false;  // Klondike: unlimited redeals were on at some time
    int option_changes = 0;
    int runs_at_start = -1;  // Spider: runs on the foundations at the deal, and the most since
    int runs_most = 0;
};

RandomPlayConfig config_for(std::shared_ptr<GamePlan> const& plan) {
    RandomPlayConfig cfg;
    cfg.actions = 300;
    cfg.w_drag = 50;
    cfg.w_double_click = 15;
    cfg.w_basic = 10;
    cfg.w_undo = 10;
    cfg.w_undo_run = 3;
    cfg.undo_run_max = 8;
    cfg.w_click = 5;
    cfg.w_lost_release = 4;
    cfg.w_extra = 6;

    Player::Game_Type const type = plan->type;
    size_t const cards = type == Player::SPIDER ? 104 : 52;
    bool const stock_discard = type == Player::TRIPEAKS || type == Player::GOLF;
    bool const single_click = stock_discard && (plan->mask & 2u);
    // With single click a press and release on the spot plays the card: there is no
    // second click to make.
    if (single_click) cfg.w_double_click = 0;

    // The options popup in the middle of the game: any combination, but single click stays
    // as the game began (the double click above depends on it).
    cfg.extra_actions.push_back({"options", [plan](SolitaireRules& g) {
                                     unsigned const n = static_cast<unsigned>(option_names(plan->type).size());
                                     unsigned mask = static_cast<unsigned>(std::rand()) % (1u << n);
                                     if (plan->type == Player::TRIPEAKS || plan->type == Player::GOLF)
                                         mask = (mask & ~2u) | (plan->mask & 2u);
                                     g.notify_options_changed(box_values(plan->type, mask));
                                     if (plan->type == Player::KLONDIKE && (mask & 4u)) plan->unlimited_seen = true;
                                     ++plan->option_changes;
                                 }});

    std::function<std::string(SolitaireRules&)> game_check;
    switch (type) {
        case Player::KLONDIKE:
            cfg.expected_score = foundation_points;
            cfg.setup = show_reset_button;
            cfg.extra_actions.push_back({"reset", [](SolitaireRules& g) {
                                             auto& k = static_cast<KlondikeRules&>(g);
                                             k.on_click(&k.reset_button);
                                         }});
            cfg.extra_actions.push_back({"a card carried onto the reset button", carry_onto_reset_button});
            game_check = [plan](SolitaireRules& g) -> std::string {
                auto const& k = static_cast<KlondikeRules const&>(g);
                if (!plan->unlimited_seen && k.redeals > 2) return "a third reset";
                size_t resets = 0;
                for (UndoMove const* m : g.undo_stack)
                    for (UndoStep const* s : m->steps) resets += s->op == UndoStep::SPECIAL;
                if (resets != k.redeals) return "the redeal count does not match the recorded resets";
                return "";
            };
            break;
        case Player::FREECELL:
            cfg.expected_score = foundation_points;
            cfg.face_check = all_face_up;
            break;
        case Player::YUKON: cfg.expected_score = foundation_points; break;
        case Player::SPIDER:
            cfg.expected_score = tableau_test::spider_points;
            game_check = [plan](SolitaireRules& g) {
                int runs = 0;
                for (Deck const& d : g.foundations) runs += !d.empty();
                if (plan->runs_at_start < 0) plan->runs_at_start = runs;
                plan->runs_most = std::max(plan->runs_most, runs);
                return tableau_test::spider_check(g);
            };
            break;
        case Player::TRIPEAKS:
        case Player::GOLF: {
            cfg.face_check = type == Player::TRIPEAKS ? rules_test::peak_faces : rules_test::golf_faces;
            rules_test::score_dealt_cards(cfg);
            cfg.extra_actions.push_back(
                {"a playable card", [single_click](SolitaireRules& g) { play_a_playable_card(g, single_click); }});
            cfg.w_extra = 25;
            break;
        }
    }
    if (plan->endgame) {
        std::function<void(SolitaireRules&, unsigned)> arrange;
        switch (type) {
            case Player::KLONDIKE:
            case Player::FREECELL:
            case Player::YUKON: arrange = foundation_endgame; break;
            case Player::SPIDER: arrange = spider_endgame; break;
            case Player::TRIPEAKS: arrange = peaks_endgame; break;
            case Player::GOLF: arrange = golf_endgame; break;
        }
        cfg.setup = [arrange, then = cfg.setup](SolitaireRules& g, unsigned seed) {
            arrange(g, seed);
            if (then) then(g, seed);
        };
    }
    cfg.extra_check = [cards, game_check](SolitaireRules& g) -> std::string {
        if (rules_test::card_count(g) != cards) return std::to_string(rules_test::card_count(g)) + " cards in the game";
        // The questions the play screen asks at any time.
        g.has_any_move();
        g.is_won();
        return game_check ? game_check(g) : "";
    };
    return cfg;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        rules_test::install_card_images();
        saved_player_ = *Player::cur();
        Player::cur()->in_progress = true;  // the reset button shows only in a game in progress
    }
    void TearDown() override {
        saved_options_.restore();
        *Player::cur() = saved_player_;
    }

    SavedOptions const saved_options_;
    Player saved_player_;
};

TEST_F(Soak, EveryGameInEveryCombinationOfOptions) {
    int const games = rules_test::soak_games(short_soak);
    int first = 0;
    if (char const* v = std::getenv("LUNERRA_SOAK_FROM")) first = std::max(0, std::atoi(v));
    std::vector<Combination> const combos = all_combinations();
    ASSERT_EQ(combos.size(), 22u);

    auto const started = std::chrono::steady_clock::now();
    std::vector<int> played(Player::game_count), drops(Player::game_count), undos(Player::game_count),
        stock(Player::game_count), won(Player::game_count);
    std::set<std::pair<unsigned, unsigned>> combos_played;
    int runs_off = 0;  // Spider runs that a drop took off
    int actions = 0, double_clicks = 0, undrags = 0, wins = 0, auto_wins = 0, endgames = 0, option_changes = 0;
    for (int n = first; n < first + games; ++n) {
        Combination const& c = combos[static_cast<size_t>(n) % combos.size()];
        auto plan = std::make_shared<GamePlan>();
        plan->type = c.type;
        plan->mask = c.mask;
        plan->seed = seed_of(n);
        // Every third round over the combinations starts near the end of the game.
        plan->endgame = n / static_cast<int>(combos.size()) % 3 == 2;
        plan->unlimited_seen = (c.mask & 4u) != 0 && c.type == Player::KLONDIKE;

        std::unique_ptr<SolitaireRules> g(SolitaireRules::create(c.type));
        ASSERT_NE(g, nullptr) << game_name(c.type) << " is not registered";
        reset_rule_options();
        g->notify_options_changed(box_values(c.type, c.mask));
        RandomPlayResult const r = rules_test::random_play(g.get(), plan->seed, config_for(plan));
        ASSERT_TRUE(r.ok()) << "soak game " << n << ": " << describe(c.type, c.mask)
                            << (plan->endgame ? " near its end" : "") << ", " << r.failure
                            << " [play it again with LUNERRA_SOAK_FROM=" << n << " LUNERRA_SOAK_GAMES=1]";
        unsigned const t = c.type;
        combos_played.insert({t, c.mask});
        played[t] += 1;
        drops[t] += r.drops;
        undos[t] += r.undos;
        stock[t] += r.stock_actions;
        actions += r.actions;
        double_clicks += r.double_clicks;
        undrags += r.undrags;
        wins += r.won;
        won[t] += r.won;
        auto_wins += r.auto_finished;
        endgames += plan->endgame;
        option_changes += plan->option_changes;
        if (plan->runs_at_start >= 0) runs_off += plan->runs_most - plan->runs_at_start;
    }
    double const secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::ostringstream summary;
    summary << "soak: " << games << " games from " << first << ", " << combos_played.size() << " option combinations, "
            << actions << " actions, " << double_clicks << " double clicks, " << undrags << " carries sent back, "
            << option_changes << " option changes, " << endgames << " games near their end, " << wins << " wins ("
            << auto_wins << " by the automatic finish), " << runs_off << " Spider runs taken off, " << secs << " s";
    for (unsigned t = 0; t < Player::game_count; ++t)
        summary << "\n  " << game_name(static_cast<Player::Game_Type>(t)) << ": " << played[t] << " games, " << drops[t]
                << " drops, " << stock[t] << " stock actions, " << undos[t] << " undos, " << won[t] << " won";
    std::cout << summary.str() << std::endl;

    // A whole round or more: every combination played, and in each game drops, undos and
    // (where there is a stock) stock actions happened.
    if (games < static_cast<int>(combos.size())) return;
    EXPECT_EQ(combos_played.size(), combos.size());
    for (unsigned t = 0; t < Player::game_count; ++t) {
        SCOPED_TRACE(game_name(static_cast<Player::Game_Type>(t)));
        EXPECT_GT(drops[t], played[t]);
        EXPECT_GT(undos[t], played[t]);
        if (t != Player::FREECELL && t != Player::YUKON) {
            EXPECT_GT(stock[t], 0);
        }
    }
    EXPECT_GT(undrags, 0);
    EXPECT_GT(option_changes, 0);
    if (endgames >= 10) {
        EXPECT_GT(wins, 0);
    }
}

// What the soak found, each on its own.

// Presses whose releases never come, in every game: the carried cards go home before the
// next press takes anything.
TEST_F(Soak, ALostReleaseNeverLosesTheCarriedCards) {
    for (unsigned t = 0; t < Player::game_count; ++t) {
        auto const type = static_cast<Player::Game_Type>(t);
        for (unsigned mask : {0u, 1u << (option_names(type).size() - 1)}) {
            SCOPED_TRACE(describe(type, mask));
            for (unsigned seed = 1; seed <= 4; ++seed) {
                auto plan = std::make_shared<GamePlan>();
                plan->type = type;
                plan->mask = mask;
                plan->seed = seed;
                RandomPlayConfig cfg = config_for(plan);
                cfg.actions = 80;
                cfg.w_drag = cfg.w_double_click = cfg.w_basic = cfg.w_click = cfg.w_extra = cfg.w_undo_run = 0;
                cfg.w_lost_release = 10;
                cfg.w_undo = 2;
                std::unique_ptr<SolitaireRules> g(SolitaireRules::create(type));
                ASSERT_NE(g, nullptr);
                reset_rule_options();
                g->notify_options_changed(box_values(type, mask));
                RandomPlayResult const r = rules_test::random_play(g.get(), seed, cfg);
                ASSERT_TRUE(r.ok()) << r.failure;
                EXPECT_GT(r.actions, 0);
            }
        }
    }
}

class SoakKlondike : public Soak {
protected:
    void SetUp() override {
        Soak::SetUp();
        reset_rule_options();
        std::srand(11);
        g.deal();
        rules_test::run_animations(g, 10, 100000);
    }

    void draw_all() {
        while (!g.stock.empty()) {
            g.deal_from_stock();
            rules_test::run_animations(g, 10, 100000);
        }
    }

    std::string misplaced_waste() const {
        for (size_t i = 0; i < g.waste.size(); ++i)
            if (g.waste[i]->pos() != g.pos_of(Loc(Loc::WASTE, static_cast<int>(i), 0)))
                return "waste card " + std::to_string(i) + " stands away from its place";
        return "";
    }

    rules_test::ScopedInput in;
    KlondikeRules g;
};

// Draw one and draw three chosen in the popup mid-game: the waste is fanned anew, no entry.
TEST_F(SoakKlondike, ChangingTheDrawMidGameLaysTheWasteOutAgain) {
    for (int i = 0; i < 3; ++i) {
        g.deal_from_stock();
        rules_test::run_animations(g, 10, 100000);
    }
    ASSERT_EQ(g.waste.size(), 9u);
    size_t const entries = g.undo_stack.size();
    for (bool one : {true, false, true, false}) {
        g.notify_options_changed({false, one, false});
        rules_test::run_animations(g, 10, 100000);
        EXPECT_EQ(misplaced_waste(), "") << (one ? "draw one" : "draw three");
        EXPECT_EQ(g.undo_stack.size(), entries);
    }
    g.notify_options_changed({true, false, true});  // the draw unchanged: nothing moves
    EXPECT_FALSE(g.has_animation());
}

// A waste card carried over the reset button and let go there leaves the reset for later;
// a click on the button still resets.
TEST_F(SoakKlondike, ACarryLetGoOverTheResetButtonDoesNotReset) {
    draw_all();
    show_reset_button(g, 0);
    ASSERT_TRUE(g.reset_available());
    std::vector<CardSprite*> const waste(g.waste.begin(), g.waste.end());
    carry_onto_reset_button(g);
    EXPECT_FALSE(g.in_drag());
    rules_test::run_animations(g, 10, 100000);
    EXPECT_EQ(g.redeals, 0u);
    EXPECT_TRUE(g.stock.empty());
    // The card went home, or onto a tableau pile that took it.
    ASSERT_TRUE(g.waste.size() == waste.size() || g.waste.size() + 1 == waste.size());
    EXPECT_TRUE(std::equal(g.waste.begin(), g.waste.end(), waste.begin()));
    EXPECT_EQ(misplaced_waste(), "");

    E2::Vec2<int> const button(KlondikeRules::reset_button_pos().x + 37, KlondikeRules::reset_button_pos().y + 38);
    route(g, SDL_MOUSEBUTTONDOWN, button);
    route(g, SDL_MOUSEBUTTONUP, button);
    EXPECT_EQ(g.redeals, 1u);
    EXPECT_TRUE(g.waste.empty());
}

}  // namespace
