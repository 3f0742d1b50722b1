// Klondike under random play from many seeds, in every combination of its options: every
// card in one place, face-up flags as the game allows, undo back to the exact deal, and a
// score that the foundations alone explain.

#include <gtest/gtest.h>

#include <algorithm>

#include "card_sprite.h"
#include "klondike.h"
#include "random_play.h"
#include "rule_options.h"
#include "rules_support.h"
#include "undo.h"

namespace {

using rules_test::foundation_points;
using rules_test::RandomPlayConfig;
using rules_test::RandomPlayResult;

// Ace to Ten of every suit home, the rest face up on the tableau in plain descending runs
// of alternating colour but for the Jack of spades, which waits in the stock: once it is
// drawn and played, the automatic finish can take it from there.
void near_finish(SolitaireRules& g, unsigned) {
    std::vector<CardSprite*> all(g.stock.begin(), g.stock.end());
    g.stock.clear();
    for (Deck& d : g.tableau) {
        all.insert(all.end(), d.begin(), d.end());
        d.clear();
    }
    std::sort(all.begin(), all.end(), Card::Comparator());
    for (CardSprite* c : all) {
        c->set_face_up(true);
        if (c->no() <= 10) g.foundations[c->suit() - 1u].push_back(c);
    }
    Card::Suit const runs[4][3] = {{Card::CLUBS, Card::HEARTS, Card::SPADES},
                                   {Card::HEARTS, Card::CLUBS, Card::DIAMONDS},
                                   {Card::SPADES, Card::DIAMONDS, Card::CLUBS},
                                   {Card::DIAMONDS, Card::SPADES, Card::HEARTS}};
    for (size_t k = 0; k < 4; ++k)
        for (int j = 0; j < 3; ++j)
            for (CardSprite* c : all)
                if (c->no() == 13 - j && c->suit() == runs[k][j]) {
                    if (j == 2 && k == 0) {
                        c->set_face_up(false);
                        g.stock.push_back(c);
                    } else {
                        g.tableau[k].push_back(c);
                    }
                }
    g.reposition_everything();
}

class KlondikePlay : public rules_test::InGameTest {
protected:
    static RandomPlayConfig config() {
        RandomPlayConfig cfg;
        cfg.expected_score = foundation_points;
        cfg.w_basic = 14;
        cfg.extra_actions.push_back({"reset", [](SolitaireRules& g) {
                                         auto& k = static_cast<KlondikeRules&>(g);
                                         k.on_click(&k.reset_button);
                                     }});
        cfg.extra_check = [](SolitaireRules& g) -> std::string {
            auto const& k = static_cast<KlondikeRules const&>(g);
            if (!KlondikeRules::opt_unlimited_redeals && k.redeals > 2) return "a third reset";
            size_t undo_resets = 0;
            for (UndoMove const* m : g.undo_stack)
                for (UndoStep const* s : m->steps) undo_resets += s->op == UndoStep::SPECIAL;
            if (undo_resets != k.redeals) return "the redeal count does not match the recorded resets";
            return "";
        };
        return cfg;
    }

    // Plays the games and adds up what they did.
    void play_many(RandomPlayConfig const& cfg, int games, unsigned first_seed) {
        for (int i = 0; i < games; ++i) {
            KlondikeRules g;
            RandomPlayResult r = rules_test::random_play(&g, first_seed + static_cast<unsigned>(i), cfg);
            ASSERT_TRUE(r.ok()) << r.failure;
            drops += r.drops;
            undos += r.undos;
            stock += r.stock_actions;
            auto_wins += r.auto_finished;
            played += 1;
        }
    }

    int drops = 0, undos = 0, stock = 0, auto_wins = 0, played = 0;
};

TEST_F(KlondikePlay, EveryCombinationOfOptions) {
    for (int mask = 0; mask < 8; ++mask) {
        KlondikeRules::opt_flip_1 = (mask & 1) != 0;
        KlondikeRules::opt_may_pluck_from_foundation = (mask & 2) != 0;
        KlondikeRules::opt_unlimited_redeals = (mask & 4) != 0;
        SCOPED_TRACE("options " + std::to_string(mask));
        play_many(config(), rules_test::soak_games(4), 500 + 100 * static_cast<unsigned>(mask));
    }
    EXPECT_GT(drops, played);
    EXPECT_GT(undos, played * 3);
    EXPECT_GT(stock, played * 3);
}

TEST_F(KlondikePlay, ToTheAutomaticFinish) {
    RandomPlayConfig cfg = config();
    cfg.setup = near_finish;
    play_many(cfg, rules_test::soak_games(12), 40);
    EXPECT_GT(auto_wins, 0);
}

}  // namespace
