// FreeCell, Spider and Yukon under random play from many seeds: every card in one place,
// face-up flags as the game allows, undo back to the exact deal and score, and a score
// that the table alone explains.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "card_sprite.h"
#include "freecell.h"
#include "random_play.h"
#include "rules_support.h"
#include "rule_options.h"
#include "spider.h"
#include "tableau_support.h"
#include "yukon.h"

namespace {

using rules_test::foundation_points;
using rules_test::RandomPlayConfig;
using rules_test::RandomPlayResult;

// Ace to `top` of every suit on the foundations, suit by suit, and the other cards of the
// deck shuffled face up over the tableau: a table near its end, to reach the automatic
// finish.
void near_finish(SolitaireRules& g, unsigned seed, unsigned top) {
    std::vector<CardSprite*> rest;
    std::vector<CardSprite*> all;
    for (Deck& d : g.tableau) {
        all.insert(all.end(), d.begin(), d.end());
        d.clear();
    }
    std::sort(all.begin(), all.end(), Card::Comparator());
    for (CardSprite* c : all) {
        c->set_face_up(true);
        if (c->no() <= top)
            g.foundations[c->suit() - 1u].push_back(c);
        else
            rest.push_back(c);
    }
    std::mt19937 rng(seed);
    std::shuffle(rest.begin(), rest.end(), rng);
    for (size_t i = 0; i < rest.size(); ++i) g.tableau[rng() % g.tableau.size()].push_back(rest[i]);
    g.reposition_everything();
}

class TableauGamesPlay : public rules_test::RulesTest {
protected:
    template <class Game>
    void play_many(RandomPlayConfig const& cfg, int games, int* wins = nullptr, int* auto_wins = nullptr) {
        int drops = 0, undos = 0;
        for (int i = 0; i < games; ++i) {
            Game g;
            RandomPlayResult r = rules_test::random_play(&g, static_cast<unsigned>(1000 + i), cfg);
            ASSERT_TRUE(r.ok()) << r.failure;
            drops += r.drops;
            undos += r.undos;
            if (wins && r.won) ++*wins;
            if (auto_wins && r.auto_finished) ++*auto_wins;
        }
        EXPECT_GT(drops, games * 5);
        EXPECT_GT(undos, games * 3);
    }
    // Games laid out near their end: some of them the automatic finish wins.
    template <class Game>
    void to_the_automatic_finish() {
        RandomPlayConfig cfg;
        cfg.expected_score = foundation_points;
        cfg.setup = [](SolitaireRules& g, unsigned seed) { near_finish(g, seed, 9); };
        int wins = 0, auto_wins = 0;
        play_many<Game>(cfg, rules_test::soak_games(12), &wins, &auto_wins);
        EXPECT_GT(auto_wins, 0);
    }
};

TEST_F(TableauGamesPlay, FreeCell) {
    RandomPlayConfig cfg;
    cfg.expected_score = foundation_points;
    cfg.extra_check = [](SolitaireRules& g) -> std::string {
        for (Deck const& d : g.tableau)
            for (CardSprite const* c : d)
                if (!c->face_up) return "a face-down card in FreeCell";
        return "";
    };
    play_many<FreeCellRules>(cfg, rules_test::soak_games(12));
    FreeCellRules::opt_may_pluck_from_foundation = true;
    play_many<FreeCellRules>(cfg, rules_test::soak_games(12));
}

TEST_F(TableauGamesPlay, FreeCellToTheAutomaticFinish) { to_the_automatic_finish<FreeCellRules>(); }

TEST_F(TableauGamesPlay, Yukon) {
    RandomPlayConfig cfg;
    cfg.expected_score = foundation_points;
    play_many<YukonRules>(cfg, rules_test::soak_games(12));
    YukonRules::opt_may_pluck_from_foundation = true;
    play_many<YukonRules>(cfg, rules_test::soak_games(12));
}

TEST_F(TableauGamesPlay, YukonToTheAutomaticFinish) { to_the_automatic_finish<YukonRules>(); }

// 1300 for every run on the foundations; every foundation empty or one whole run.
RandomPlayConfig spider_config() {
    RandomPlayConfig cfg;
    cfg.expected_score = tableau_test::spider_points;
    cfg.extra_check = tableau_test::spider_check;
    return cfg;
}

// A Spider table with seed % 5 runs on the foundations, two piles that hold King to Two of
// one suit face up over two face-down cards, the two Aces face up on piles 2 and 3, and the
// other cards face down under face-up tops, some tens of them in the stock.
void spider_near_runs(SolitaireRules& g, unsigned seed) {
    tableau_test::CardsByValue by_value;
    std::vector<CardSprite*> all = tableau_test::gather(g);  // the stock and the tableau: a fresh deal
    for (CardSprite* c : all) by_value[{c->suit(), c->no()}].push_back(c);
    std::vector<std::vector<CardSprite*>> const runs = tableau_test::take_whole_runs(by_value);
    std::vector<CardSprite*> rest;
    for (auto& e : by_value) rest.insert(rest.end(), e.second.begin(), e.second.end());
    unsigned const on_foundations = seed % 5;
    for (unsigned r = on_foundations + 2; r < runs.size(); ++r) rest.insert(rest.end(), runs[r].begin(), runs[r].end());
    std::mt19937 rng(seed);
    std::shuffle(rest.begin(), rest.end(), rng);
    for (CardSprite* c : all) c->set_face_up(false);
    auto take = [&rest]() {
        CardSprite* c = rest.back();
        rest.pop_back();
        return c;
    };
    for (unsigned r = 0; r < on_foundations; ++r)
        for (int j = 12; j >= 0; --j) {
            runs[r][static_cast<size_t>(j)]->set_face_up(true);
            g.foundations[r].push_back(runs[r][static_cast<size_t>(j)]);
        }
    for (unsigned p = 0; p < 2; ++p) {
        std::vector<CardSprite*> const& run = runs[on_foundations + p];
        g.tableau[p].push_back(take());
        g.tableau[p].push_back(take());
        for (int j = 12; j >= 1; --j) {
            run[static_cast<size_t>(j)]->set_face_up(true);
            g.tableau[p].push_back(run[static_cast<size_t>(j)]);
        }
    }
    size_t const stock = 10 * ((rest.size() - 12) / 20);
    for (size_t i = 0; i < stock; ++i) g.stock.push_back(take());
    for (size_t i = 0; !rest.empty(); ++i) g.tableau[2 + i % 8].push_back(take());
    for (unsigned p = 2; p < SpiderRules::piles; ++p) {
        if (p < 4) g.tableau[p].push_back(runs[on_foundations + p - 2][0]);
        g.tableau[p].back()->set_face_up(true);
    }
    g.reposition_everything();
}

TEST_F(TableauGamesPlay, Spider) {
    RandomPlayConfig cfg = spider_config();
    play_many<SpiderRules>(cfg, rules_test::soak_games(8));
}

// Tables where runs are a drop away: the drop removes them, scores 1300 and turns the card
// under them; undo puts all of it back.
TEST_F(TableauGamesPlay, SpiderRunsComeOffAndBack) {
    int removed = 0;
    for (bool two : {false, true}) {
        SpiderRules::opt_two_suits = two;
        RandomPlayConfig cfg = spider_config();
        cfg.setup = spider_near_runs;
        cfg.actions = 300;
        cfg.w_basic = 2;
        cfg.w_undo = 6;
        int const games = rules_test::soak_games(10);
        for (int i = 0; i < games; ++i) {
            SpiderRules g;
            size_t most = 0, first = 0;
            bool noted = false;
            RandomPlayConfig c = cfg;
            c.extra_check = [&, check = cfg.extra_check](SolitaireRules& s) {
                size_t on = 0;
                for (Deck const& d : s.foundations) on += !d.empty();
                if (!noted) first = on;
                noted = true;
                most = std::max(most, on);
                return check(s);
            };
            RandomPlayResult r = rules_test::random_play(&g, static_cast<unsigned>(3000 + i), c);
            ASSERT_TRUE(r.ok()) << r.failure;
            removed += static_cast<int>(most - first);
        }
    }
    EXPECT_GT(removed, 5);
}

}  // namespace
