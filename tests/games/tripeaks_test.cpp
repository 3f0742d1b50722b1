#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

#include "random_play.h"
#include "rule_options.h"
#include "stock_game_support.h"
#include "tripeaks.h"
#include "undo.h"

namespace {

using rules_test::centre;
using rules_test::place;

Loc pile(int i) { return Loc(Loc::TABLEAU, i, 0); }
Loc const discard(Loc::FOUNDATION, 0, 0);

class TriPeaks : public rules_test::RulesTest {
protected:
    CardSprite* top_of_discard() { return g.foundations[0].empty() ? nullptr : g.foundations[0].back(); }

    TriPeaksRules g;
    rules_test::Hand hand{g};
};

TEST_F(TriPeaks, TheDealLaysThreePeaksWithTheBottomRowUpAndTurnsOneStockCard) {
    std::srand(7);
    g.deal();
    EXPECT_TRUE(g.has_animation());
    rules_test::run_animations(g);
    std::set<CardSprite*> seen;
    for (int i = 0; i < 28; ++i) {
        ASSERT_EQ(g.tableau[i].size(), 1u) << "pile " << i;
        CardSprite* c = g.tableau[i][0];
        EXPECT_EQ(c->face_up, i >= 18) << "pile " << i;
        EXPECT_EQ(c->pos(), g.pos_of(pile(i)));
        seen.insert(c);
    }
    // Fixed points of three rows, all piles shifted alike by 0 or -1 pixels.
    int const off = g.tableau[0][0]->x - 161;
    EXPECT_TRUE(off == -1 || off == 0);
    EXPECT_EQ(g.tableau[0][0]->y, 64);
    EXPECT_EQ(g.tableau[27][0]->pos(), E2::Vec2<int>(921 + off, 364));
    EXPECT_EQ(g.tableau[9][0]->pos(), E2::Vec2<int>(51 + off, 264));
    ASSERT_EQ(g.foundations[0].size(), 1u);
    EXPECT_TRUE(g.foundations[0][0]->face_up);
    EXPECT_EQ(g.foundations[0][0]->pos(), E2::Vec2<int>(135, 583));
    ASSERT_EQ(g.stock.size(), 23u);
    for (CardSprite* c : g.stock) EXPECT_FALSE(c->face_up);
    // The stock steps 2 pixels up and left every three cards.
    EXPECT_EQ(g.stock.front()->pos(), E2::Vec2<int>(31, 583));
    EXPECT_EQ(g.stock.back()->pos(), E2::Vec2<int>(17, 569));
    seen.insert(g.foundations[0][0]);
    seen.insert(g.stock.begin(), g.stock.end());
    EXPECT_EQ(seen.size(), 52u);
    // Dealing is not a move and cannot be undone.
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.pending_moves, 0);
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_FALSE(g.is_won());
}

TEST_F(TriPeaks, ACardTurnsUpOnlyWhenBothCoveringPilesAreEmptyAndUndoCoversItAgain) {
    CardSprite* hidden = place(g, pile(9), 10, Card::CLUBS, false);  // covered by 18 and 19
    place(g, pile(18), 5, Card::CLUBS);
    place(g, pile(19), 4, Card::DIAMONDS);
    place(g, discard, 6, Card::SPADES);
    EXPECT_FALSE(g.t_is_exposed(9));
    EXPECT_FALSE(hand.press({60, 300})) << "a face-down card is not taken";

    ASSERT_TRUE(hand.click(centre(g, pile(18))));
    EXPECT_TRUE(g.tableau[18].empty());
    EXPECT_FALSE(hidden->face_up) << "pile 19 still covers it";

    ASSERT_TRUE(hand.click(centre(g, pile(19))));
    EXPECT_TRUE(g.t_is_exposed(9));
    EXPECT_TRUE(hidden->face_up);
    EXPECT_EQ(rules_test::pile_text(g.foundations[0]), "6s 5c 4d");
    EXPECT_EQ(g.pending_moves, 2);
    EXPECT_EQ(g.pending_score, 11 * 5 + 11 * 4);

    g.undo();
    rules_test::run_animations(g);
    EXPECT_FALSE(hidden->face_up);
    ASSERT_EQ(rules_test::pile_text(g.tableau[19]), "4d");
    EXPECT_EQ(g.tableau[19][0]->pos(), g.pos_of(pile(19)));
    EXPECT_EQ(rules_test::pile_text(g.foundations[0]), "6s 5c");
    EXPECT_EQ(g.pending_score, 11 * 5);
    EXPECT_EQ(g.pending_moves, 3);
    EXPECT_FALSE(hand.press({60, 300}));
}

TEST_F(TriPeaks, ATopCardNeedsBothOfItsCoveringPilesCleared) {
    // Piles 3 and 4 share pile 10; pile 0 lies under 3 and 4.
    for (int i : {0, 3, 4}) place(g, pile(i), 9, Card::HEARTS, false);
    EXPECT_FALSE(g.t_is_exposed(0));
    g.tableau[3].clear();
    EXPECT_FALSE(g.t_is_exposed(0));
    EXPECT_TRUE(g.t_is_exposed(3));
    g.tableau[4].clear();
    EXPECT_TRUE(g.t_is_exposed(0));
    g.flip_tableau();
    EXPECT_TRUE(g.tableau[0][0]->face_up);
    // Each pile lies under two neighbours of the next row.
    auto row = [](unsigned i) { return i < 3 ? 0 : i < 9 ? 1 : i < 18 ? 2 : 3; };
    for (unsigned i = 0; i < 18; ++i) {
        auto cover = TriPeaksRules::covering(i);
        EXPECT_EQ(row(cover[0]), row(i) + 1) << "pile " << i;
        EXPECT_EQ(cover[1], cover[0] + 1) << "pile " << i;
    }
}

TEST_F(TriPeaks, RanksOneApartFollowEachOtherAndKingAceOnlyWithTheCornerOption) {
    place(g, discard, 7, Card::CLUBS);
    CardSprite* six = place(g, pile(18), 6, Card::HEARTS);
    CardSprite* eight = place(g, pile(19), 8, Card::CLUBS);
    CardSprite* seven = place(g, pile(20), 7, Card::DIAMONDS);
    CardSprite* nine = place(g, pile(21), 9, Card::SPADES);
    EXPECT_EQ(g.may_move_to_foundation(*six), Loc(Loc::FOUNDATION, 0, 0));
    EXPECT_EQ(g.may_move_to_foundation(*eight), Loc(Loc::FOUNDATION, 0, 0));
    EXPECT_EQ(g.may_move_to_foundation(*seven).kind, Loc::NONE);
    EXPECT_EQ(g.may_move_to_foundation(*nine).kind, Loc::NONE);
    eight->set_face_up(false);
    EXPECT_EQ(g.may_move_to_foundation(*eight).kind, Loc::NONE) << "a face-down card never goes";

    CardSprite* king = place(g, discard, 13, Card::SPADES);
    CardSprite* ace = place(g, pile(22), 1, Card::HEARTS);
    CardSprite* queen = place(g, pile(23), 12, Card::HEARTS);
    EXPECT_EQ(g.may_move_to_foundation(*queen), Loc(Loc::FOUNDATION, 0, 1));
    EXPECT_EQ(g.may_move_to_foundation(*ace).kind, Loc::NONE);
    TriPeaksRules::opt_may_turn_corner = true;
    EXPECT_EQ(g.may_move_to_foundation(*ace), Loc(Loc::FOUNDATION, 0, 1));
    // And back: a King onto an Ace.
    g.foundations[0].back() = ace;
    g.tableau[22][0] = king;
    EXPECT_EQ(g.may_move_to_foundation(*king), Loc(Loc::FOUNDATION, 0, 1));
    TriPeaksRules::opt_may_turn_corner = false;
    EXPECT_EQ(g.may_move_to_foundation(*king).kind, Loc::NONE);
}

TEST_F(TriPeaks, AnUnplayableCardGoesBackToItsPileUnrecorded) {
    place(g, discard, 7, Card::CLUBS);
    CardSprite* nine = place(g, pile(24), 9, Card::SPADES);
    ASSERT_TRUE(hand.press(centre(g, pile(24))));
    EXPECT_TRUE(g.blob.targets.empty());
    hand.carry(g.center_of(discard));
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_EQ(g.tableau[24].size(), 1u);
    EXPECT_EQ(nine->pos(), g.pos_of(pile(24)));
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.pending_moves, 0);
}

TEST_F(TriPeaks, SingleClickPlaysOnPressAndReleaseWithoutMoving) {
    ASSERT_TRUE(TriPeaksRules::opt_single_click_activation) << "on by default";
    place(g, discard, 7, Card::CLUBS);
    place(g, pile(25), 8, Card::HEARTS);
    ASSERT_TRUE(hand.press(centre(g, pile(25))));
    EXPECT_EQ(g.blob.chosen, Loc(Loc::FOUNDATION, 0, 0)) << "chosen at the press";
    EXPECT_TRUE(g.foundations[0][0]->glow);
    EXPECT_TRUE(hand.release());
    EXPECT_FALSE(g.in_drag());
    rules_test::run_animations(g);
    EXPECT_TRUE(g.tableau[25].empty());
    ASSERT_EQ(rules_test::pile_text(g.foundations[0]), "7c 8h");
    EXPECT_EQ(g.foundations[0][1]->pos(), E2::Vec2<int>(150, 583));
    EXPECT_EQ(g.pending_moves, 1);
    EXPECT_EQ(g.pending_score, 88);
    ASSERT_EQ(g.undo_stack.size(), 1u);
    EXPECT_EQ(g.undo_stack[0]->score, 88);
}

TEST_F(TriPeaks, WithoutSingleClickTheCardMustTravelMoreThan32Pixels) {
    TriPeaksRules::opt_single_click_activation = false;
    place(g, discard, 7, Card::CLUBS);
    place(g, pile(19), 8, Card::HEARTS);
    E2::Vec2<int> const from = centre(g, pile(19));

    ASSERT_TRUE(hand.press(from));
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_EQ(g.tableau[19].size(), 1u) << "a click without travel sends it back";

    ASSERT_TRUE(hand.press(from));
    hand.carry({from.x, from.y + 32});  // towards the discard pile, exactly 32 pixels
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_EQ(g.tableau[19].size(), 1u);

    ASSERT_TRUE(hand.press(from));
    hand.carry({from.x, from.y + 33});
    EXPECT_TRUE(g.foundations[0][0]->glow);
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_TRUE(g.tableau[19].empty());
    EXPECT_EQ(g.pending_moves, 1);
}

TEST_F(TriPeaks, TurningTheStockScoresNothingCountsOneMoveAndUndoesFaceDown) {
    std::srand(11);
    g.deal();
    rules_test::run_animations(g);
    CardSprite* next = g.stock.back();
    E2::Vec2<int> const stock_at = centre(g, Loc(Loc::STOCK, 22, 0));
    ASSERT_TRUE(hand.press(stock_at));
    EXPECT_FALSE(g.in_drag());
    rules_test::run_animations(g);
    EXPECT_EQ(g.stock.size(), 22u);
    EXPECT_EQ(top_of_discard(), next);
    EXPECT_TRUE(next->face_up);
    EXPECT_EQ(next->pos(), E2::Vec2<int>(150, 583));
    EXPECT_EQ(g.pending_moves, 1);
    EXPECT_EQ(g.pending_score, 0);
    ASSERT_EQ(g.undo_stack.size(), 1u);

    g.undo();
    rules_test::run_animations(g);
    EXPECT_EQ(g.stock.size(), 23u);
    EXPECT_EQ(g.stock.back(), next);
    EXPECT_FALSE(next->face_up);
    EXPECT_EQ(next->pos(), g.pos_of(Loc(Loc::STOCK, 22, 0)));
    EXPECT_EQ(g.foundations[0].size(), 1u);
    EXPECT_EQ(g.pending_moves, 2);

    // Emptied, the stock does nothing.
    for (int i = 0; i < 23; ++i) g.perform_basic_action();
    rules_test::run_animations(g);
    ASSERT_TRUE(g.stock.empty());
    size_t const entries = g.undo_stack.size();
    int const moves = g.pending_moves;
    EXPECT_FALSE(hand.press(stock_at));
    g.perform_basic_action();
    EXPECT_EQ(g.undo_stack.size(), entries);
    EXPECT_EQ(g.pending_moves, moves);
    EXPECT_EQ(g.foundations[0].size(), 24u);
}

TEST_F(TriPeaks, TheStockWaitsWhileACardIsCarried) {
    TriPeaksRules::opt_single_click_activation = false;
    place(g, discard, 7, Card::CLUBS);
    place(g, Loc(Loc::STOCK, 0, 0), 2, Card::CLUBS, false);
    place(g, pile(19), 8, Card::HEARTS);
    ASSERT_TRUE(hand.press(centre(g, pile(19))));
    hand.carry(g.center_of(discard));
    g.perform_basic_action();  // the Space key
    EXPECT_EQ(g.stock.size(), 1u);
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_EQ(rules_test::pile_text(g.foundations[0]), "7c 8h") << "played by the rule it was offered";
}

TEST_F(TriPeaks, APressWhileACardIsStillCarriedSendsItHomeFirst) {
    place(g, discard, 7, Card::CLUBS);
    CardSprite* a = place(g, pile(26), 3, Card::HEARTS);
    place(g, pile(27), 8, Card::HEARTS);
    ASSERT_TRUE(hand.press(centre(g, pile(26))));
    // Its release never comes; the next press picks up another card.
    ASSERT_TRUE(hand.press(centre(g, pile(27))));
    ASSERT_EQ(g.tableau[26].size(), 1u);
    EXPECT_EQ(g.tableau[26][0], a);
    EXPECT_TRUE(hand.release());
    rules_test::run_animations(g);
    EXPECT_EQ(a->pos(), g.pos_of(pile(26)));
    EXPECT_TRUE(g.tableau[27].empty());
}

TEST_F(TriPeaks, ClearingThePeaksWinsWithCardsLeftInTheStock) {
    place(g, discard, 7, Card::CLUBS);
    for (int i = 0; i < 5; ++i) place(g, Loc(Loc::STOCK, 0, 0), 1 + i, Card::SPADES, false);
    place(g, pile(21), 8, Card::HEARTS);
    EXPECT_FALSE(g.is_won());
    ASSERT_TRUE(hand.press(centre(g, pile(21))));
    EXPECT_FALSE(g.is_won()) << "not while the card is carried";
    hand.release();
    EXPECT_FALSE(g.is_won()) << "not while it flies";
    rules_test::run_animations(g);
    EXPECT_TRUE(g.is_won());
    EXPECT_EQ(g.stock.size(), 5u);
    EXPECT_TRUE(g.has_any_move());
}

TEST_F(TriPeaks, OptionsComeFromThePopupAndTheCreatorIsRegistered) {
    g.notify_options_changed({true, false});
    EXPECT_TRUE(TriPeaksOptions::opt_may_turn_corner);
    EXPECT_FALSE(TriPeaksOptions::opt_single_click_activation);
    g.notify_options_changed({});  // a short list changes nothing
    EXPECT_TRUE(TriPeaksRules::opt_may_turn_corner);

    auto& r = SolitaireRules::Creator::get_registry();
    ASSERT_EQ(r.count(Player::TRIPEAKS), 1u);
    SolitaireRules::Creator* c = r[Player::TRIPEAKS];
    EXPECT_EQ(c->game_type(), Player::TRIPEAKS);
    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::TRIPEAKS));
    ASSERT_NE(dynamic_cast<TriPeaksRules*>(made.get()), nullptr);
    EXPECT_EQ(made->namecode(), "tripeaks");
    EXPECT_EQ(made->tableau.size(), 28u);
    EXPECT_EQ(made->foundations.size(), 1u);

    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    c->save_options(f);
    EXPECT_EQ(std::ftell(f), 5);
    TriPeaksRules::opt_may_turn_corner = false;
    TriPeaksRules::opt_single_click_activation = true;
    std::rewind(f);
    c->read_options(f);
    EXPECT_TRUE(TriPeaksRules::opt_may_turn_corner);
    EXPECT_FALSE(TriPeaksRules::opt_single_click_activation);
    std::fclose(f);
}

// Piles whose card is face up, and those of them that may go to the discard pile.
std::vector<Loc> face_up_piles(SolitaireRules& s, bool playable_only) {
    auto& g = static_cast<TriPeaksRules&>(s);
    std::vector<Loc> out;
    for (unsigned i = 0; i < TriPeaksRules::pile_count; ++i) {
        Deck const& d = g.tableau[i];
        if (d.empty() || !d[0]->face_up) continue;
        if (!playable_only || g.may_move_to_foundation(*d[0]).kind != Loc::NONE) out.push_back(pile(static_cast<int>(i)));
    }
    return out;
}

TEST_F(TriPeaks, RandomPlayKeepsEveryCardInOnePlaceAndUndoesBackToTheDeal) {
    int const games = rules_test::soak_games(40);
    rules_test::DiscardPlayTotals totals;
    std::set<unsigned> turned_up;  // upper piles seen face up
    for (int n = 0; n < games; ++n) {
        unsigned const seed = 1000 + static_cast<unsigned>(n);
        // Every combination of the two options.
        TriPeaksRules::opt_single_click_activation = n % 2 == 0;
        TriPeaksRules::opt_may_turn_corner = n % 4 >= 2;
        auto cfg = rules_test::discard_play_config(rules_test::peak_faces, face_up_piles,
                                                   TriPeaksRules::opt_single_click_activation);
        cfg.extra_check = [&turned_up](SolitaireRules& s) {
            for (unsigned i = 0; i < TriPeaksRules::bottom_row; ++i)
                if (!s.tableau[i].empty() && s.tableau[i][0]->face_up) turned_up.insert(i);
            return std::string();
        };
        TriPeaksRules g;
        auto r = rules_test::random_play(&g, seed, cfg);
        ASSERT_TRUE(r.ok()) << r.failure;
        EXPECT_EQ(rules_test::card_count(g), 52u);
        totals.add(r);
    }
    // The runs reach every kind of action, and every upper pile is turned up in some game.
    totals.expect_reached(games);
    EXPECT_EQ(turned_up.size(), TriPeaksRules::bottom_row);
}

}  // namespace
