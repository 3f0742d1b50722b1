#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

#include "golf.h"
#include "random_play.h"
#include "rule_options.h"
#include "stock_game_support.h"
#include "undo.h"

namespace {

using rules_test::centre;
using rules_test::pile_text;
using rules_test::place;

Loc const discard(Loc::FOUNDATION, 0, 0);

class Golf : public rules_test::RulesTest {
protected:
    Loc top(int p) { return g.back_of(Loc(Loc::TABLEAU, p, 0)); }

    GolfRules g;
    rules_test::Hand hand{g};
};

TEST_F(Golf, TheDealLaysSevenPilesOfFiveFaceUpAndTurnsOneStockCard) {
    std::srand(5);
    g.deal();
    rules_test::run_animations(g);
    std::set<CardSprite*> seen;
    int const off = g.pos_of(Loc(Loc::TABLEAU, 0, 0)).x - 89;
    for (int p = 0; p < 7; ++p) {
        ASSERT_EQ(g.tableau[p].size(), 5u) << "pile " << p;
        for (int k = 0; k < 5; ++k) {
            CardSprite* c = g.tableau[p][k];
            EXPECT_TRUE(c->face_up);
            EXPECT_EQ(c->pos(), g.pos_of(Loc(Loc::TABLEAU, p, k)));
            EXPECT_EQ(c->y, 121 + 26 * k);
            EXPECT_LE(c->x - 124 * p - 89, 1);
            seen.insert(c);
        }
        EXPECT_EQ(g.pos_of(Loc(Loc::TABLEAU, p, 0)).x, 89 + 124 * p + off);
    }
    ASSERT_EQ(g.foundations[0].size(), 1u);
    EXPECT_TRUE(g.foundations[0][0]->face_up);
    EXPECT_EQ(g.foundations[0][0]->pos(), E2::Vec2<int>(135, 583));
    ASSERT_EQ(g.stock.size(), 16u);
    for (CardSprite* c : g.stock) EXPECT_FALSE(c->face_up);
    EXPECT_EQ(g.stock.back()->pos(), E2::Vec2<int>(21, 573));
    seen.insert(g.foundations[0][0]);
    seen.insert(g.stock.begin(), g.stock.end());
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.pending_moves, 0);
    EXPECT_EQ(g.pending_score, 0);
}

TEST_F(Golf, AnySuitOneRankApartGoesAndAKingTakesOnlyAQueenUnlessTheCornerIsOn) {
    place(g, discard, 13, Card::CLUBS);
    Card const queen(12, Card::HEARTS), jack(11, Card::CLUBS), ace(1, Card::DIAMONDS), king(13, Card::SPADES);
    EXPECT_EQ(g.may_move_to_foundation(queen), Loc(Loc::FOUNDATION, 0, 0));
    EXPECT_EQ(g.may_move_to_foundation(jack).kind, Loc::NONE);
    EXPECT_EQ(g.may_move_to_foundation(ace).kind, Loc::NONE);
    EXPECT_EQ(g.may_move_to_foundation(king).kind, Loc::NONE);
    GolfRules::opt_may_turn_corner = true;
    EXPECT_EQ(g.may_move_to_foundation(ace), Loc(Loc::FOUNDATION, 0, 0));

    place(g, discard, 1, Card::SPADES);
    EXPECT_EQ(g.may_move_to_foundation(king), Loc(Loc::FOUNDATION, 0, 1));
    EXPECT_EQ(g.may_move_to_foundation(Card(2, Card::SPADES)), Loc(Loc::FOUNDATION, 0, 1));
    GolfRules::opt_may_turn_corner = false;
    EXPECT_EQ(g.may_move_to_foundation(king).kind, Loc::NONE);
    EXPECT_EQ(g.may_move_to_foundation(Card(2, Card::HEARTS)), Loc(Loc::FOUNDATION, 0, 1));
    EXPECT_EQ(g.may_move_to_foundation(Card(3, Card::SPADES)).kind, Loc::NONE);
}

TEST_F(Golf, OnlyAPilesTopCardIsTakenAndPlayedWhateverItsSuit) {
    place(g, discard, 6, Card::SPADES);
    CardSprite* low = place(g, Loc(Loc::TABLEAU, 2, 0), 7, Card::SPADES);
    CardSprite* high = place(g, Loc(Loc::TABLEAU, 2, 0), 5, Card::HEARTS);
    // The strip of the lower card that shows above the top card takes nothing.
    E2::Vec2<int> const strip(low->x + 40, low->y + 10);
    EXPECT_FALSE(hand.press(strip));
    EXPECT_FALSE(g.in_drag());
    EXPECT_EQ(g.tableau[2].size(), 2u);

    ASSERT_TRUE(hand.click(centre(g, top(2))));
    EXPECT_EQ(pile_text(g.foundations[0]), "6s 5h");
    EXPECT_EQ(high->pos(), E2::Vec2<int>(150, 583));
    EXPECT_EQ(g.pending_score, 55);
    EXPECT_EQ(g.pending_moves, 1);
    // The card under it is the top now, still face up: there is nothing to turn.
    EXPECT_TRUE(low->face_up);
    ASSERT_EQ(g.undo_stack.size(), 1u);
    for (UndoStep const* s : g.undo_stack[0]->steps) EXPECT_NE(s->op, UndoStep::FLIP);

    g.undo();
    rules_test::run_animations(g);
    EXPECT_EQ(pile_text(g.tableau[2]), "7s 5h");
    EXPECT_EQ(high->pos(), g.pos_of(Loc(Loc::TABLEAU, 2, 1)));
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(g.pending_moves, 2);
}

TEST_F(Golf, WithoutSingleClickTheCardMustBeCarriedOrDoubleClicked) {
    GolfRules::opt_single_click_activation = false;
    place(g, discard, 6, Card::SPADES);
    place(g, Loc(Loc::TABLEAU, 0, 0), 5, Card::CLUBS);
    E2::Vec2<int> const from = centre(g, top(0));
    ASSERT_TRUE(hand.click(from));
    EXPECT_EQ(g.tableau[0].size(), 1u);
    EXPECT_EQ(g.pending_moves, 0);
    // A second click within 400 ms on the same spot plays it.
    ASSERT_TRUE(hand.click(from, 300));
    EXPECT_TRUE(g.tableau[0].empty());
    EXPECT_EQ(g.pending_moves, 1);
}

TEST_F(Golf, TurningTheStockCountsOneMoveScoresNothingAndStopsWhenEmpty) {
    place(g, discard, 6, Card::SPADES);
    CardSprite* a = place(g, Loc(Loc::STOCK, 0, 0), 9, Card::CLUBS, false);
    CardSprite* b = place(g, Loc(Loc::STOCK, 0, 0), 2, Card::HEARTS, false);
    E2::Vec2<int> const at = centre(g, Loc(Loc::STOCK, 1, 0));
    ASSERT_TRUE(hand.click(at));
    EXPECT_EQ(g.foundations[0].back(), b);
    EXPECT_TRUE(b->face_up);
    ASSERT_TRUE(hand.click(at));
    EXPECT_EQ(g.foundations[0].back(), a);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(165, 583));
    EXPECT_EQ(g.pending_moves, 2);
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(g.undo_stack.size(), 2u);
    EXPECT_FALSE(hand.click(at)) << "the empty stock takes no press";
    g.perform_basic_action();
    EXPECT_EQ(g.undo_stack.size(), 2u);
    EXPECT_EQ(g.pending_moves, 2);

    g.undo();
    rules_test::run_animations(g);
    ASSERT_EQ(g.stock.size(), 1u);
    EXPECT_EQ(g.stock.back(), a);
    EXPECT_FALSE(a->face_up);
    EXPECT_EQ(a->pos(), g.pos_of(Loc(Loc::STOCK, 0, 0)));
}

TEST_F(Golf, ClearingTheSevenPilesWinsWithCardsLeftInTheStock) {
    place(g, discard, 6, Card::SPADES);
    place(g, Loc(Loc::STOCK, 0, 0), 9, Card::CLUBS, false);
    place(g, Loc(Loc::TABLEAU, 6, 0), 7, Card::DIAMONDS);
    place(g, Loc(Loc::TABLEAU, 6, 0), 5, Card::DIAMONDS);
    EXPECT_FALSE(g.is_won());
    ASSERT_TRUE(hand.click(centre(g, top(6))));
    EXPECT_FALSE(g.is_won());
    ASSERT_TRUE(hand.press(centre(g, top(6))));
    EXPECT_TRUE(g.blob.targets.empty()) << "7 does not follow 5";
    hand.release();
    rules_test::run_animations(g);
    EXPECT_FALSE(g.is_won());
    g.tableau[6].back()->no(4);  // now it follows
    ASSERT_TRUE(hand.click(centre(g, top(6))));
    EXPECT_TRUE(g.is_won());
    EXPECT_EQ(g.stock.size(), 1u);
}

TEST_F(Golf, APressWhileACardIsStillCarriedSendsItHomeFirst) {
    place(g, discard, 6, Card::SPADES);
    CardSprite* a = place(g, Loc(Loc::TABLEAU, 1, 0), 10, Card::HEARTS);
    place(g, Loc(Loc::TABLEAU, 3, 0), 5, Card::HEARTS);
    ASSERT_TRUE(hand.press(centre(g, top(1))));
    ASSERT_TRUE(hand.press(centre(g, top(3))));
    ASSERT_EQ(g.tableau[1].size(), 1u);
    EXPECT_EQ(g.tableau[1][0], a);
    hand.release();
    rules_test::run_animations(g);
    EXPECT_TRUE(g.tableau[3].empty());
    EXPECT_EQ(a->pos(), g.pos_of(Loc(Loc::TABLEAU, 1, 0)));
}

TEST_F(Golf, OptionsComeFromThePopupAndTheCreatorIsRegistered) {
    ASSERT_TRUE(GolfRules::opt_single_click_activation) << "on by default";
    g.notify_options_changed({true, false});
    EXPECT_TRUE(GolfOptions::opt_may_turn_corner);
    EXPECT_FALSE(GolfOptions::opt_single_click_activation);
    EXPECT_FALSE(TriPeaksOptions::opt_may_turn_corner) << "the games keep their own options";

    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::GOLF));
    ASSERT_NE(dynamic_cast<GolfRules*>(made.get()), nullptr);
    EXPECT_EQ(made->namecode(), "golf");
    EXPECT_EQ(made->tableau.size(), 7u);
    SolitaireRules::Creator* c = SolitaireRules::Creator::get_registry()[Player::GOLF];
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    c->save_options(f);
    EXPECT_EQ(std::ftell(f), 5);
    reset_rule_options();
    std::rewind(f);
    c->read_options(f);
    EXPECT_TRUE(GolfRules::opt_may_turn_corner);
    EXPECT_FALSE(GolfRules::opt_single_click_activation);
    std::fclose(f);
}

// The top places of the non-empty piles, and those whose card may go to the discard pile.
std::vector<Loc> tops(SolitaireRules& s, bool playable_only) {
    auto& g = static_cast<GolfRules&>(s);
    std::vector<Loc> out;
    for (unsigned p = 0; p < GolfRules::pile_count; ++p) {
        Deck const& d = g.tableau[p];
        if (d.empty()) continue;
        if (!playable_only || g.may_move_to_foundation(*d.back()).kind != Loc::NONE)
            out.push_back(g.back_of(Loc(Loc::TABLEAU, static_cast<int>(p), 0)));
    }
    return out;
}

TEST_F(Golf, RandomPlayKeepsEveryCardInOnePlaceAndUndoesBackToTheDeal) {
    int const games = rules_test::soak_games(40);
    rules_test::DiscardPlayTotals totals;
    size_t fewest_left = 35;
    for (int n = 0; n < games; ++n) {
        GolfRules::opt_single_click_activation = n % 2 == 0;
        GolfRules::opt_may_turn_corner = n % 4 >= 2;
        auto cfg = rules_test::discard_play_config(rules_test::golf_faces, tops, GolfRules::opt_single_click_activation);
        cfg.extra_check = [&fewest_left](SolitaireRules& s) {
            size_t left = 0;
            for (Deck const& d : s.tableau) left += d.size();
            if (left < fewest_left) fewest_left = left;
            return std::string();
        };
        GolfRules g;
        auto r = rules_test::random_play(&g, 2000 + static_cast<unsigned>(n), cfg);
        ASSERT_TRUE(r.ok()) << r.failure;
        EXPECT_EQ(rules_test::card_count(g), 52u);
        totals.add(r);
    }
    totals.expect_reached(games);
    EXPECT_LT(fewest_left, 20u) << "the runs play deep into the piles";
}

}  // namespace
