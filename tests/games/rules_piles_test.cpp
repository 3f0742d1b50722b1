#include <gtest/gtest.h>

#include "rules_support.h"
#include "undo.h"

namespace {

using rules_test::pile_text;
using rules_test::TestGame;

class RulesPiles : public ::testing::Test {
protected:
    void SetUp() override { rules_test::install_card_images(); }
    TestGame g;
};

TEST_F(RulesPiles, TableauAndFoundationTakeTheNextPosition) {
    for (std::int32_t kind : {Loc::TABLEAU, Loc::FOUNDATION}) {
        CardSprite* a = g.put(Loc(kind, 1, 0), 1, Card::CLUBS);
        CardSprite* b = g.put(Loc(kind, 1, 0), 2, Card::CLUBS);
        Deck& pile = kind == Loc::TABLEAU ? g.tableau[1] : g.foundations[1];
        EXPECT_EQ(pile_text(pile), "1c 2c");
        // The index of the target is only a hint; the card goes on top.
        EXPECT_EQ(g.append_to_loc(b, Loc(kind, 1, 0)), Loc(kind, 1, 1)) << "already there";
        EXPECT_EQ(pile.size(), 2u);
        EXPECT_EQ(g.card_at(Loc(kind, 1, 0)), a);
        EXPECT_EQ(g.card_at(Loc(kind, 1, 2)), nullptr);
        EXPECT_EQ(g.card_at(Loc(kind, 1, -1)), nullptr);
        EXPECT_EQ(g.remove_card_from(Loc(kind, 1, 2)), nullptr);
        EXPECT_EQ(g.remove_card_from(Loc(kind, 5, 0)), nullptr);
        // Removing from the middle moves the cards above down one position.
        EXPECT_EQ(g.remove_card_from(Loc(kind, 1, 0)), a);
        EXPECT_EQ(g.card_at(Loc(kind, 1, 0)), b);
        EXPECT_EQ(pile.size(), 1u);
    }
}

TEST_F(RulesPiles, StockAndWasteKeepThePositionInPile) {
    for (std::int32_t kind : {Loc::STOCK, Loc::WASTE}) {
        CardSprite* a = g.put(Loc(kind, 0, 0), 5, Card::HEARTS);
        CardSprite* b = g.put(Loc(kind, 0, 0), 6, Card::HEARTS);
        EXPECT_EQ(g.append_to_loc(b, Loc(kind, 0, 0)), Loc(kind, 1, 0));
        EXPECT_EQ(g.card_at(Loc(kind, 1, 0)), b);
        EXPECT_EQ(g.card_at(Loc(kind, 2, 0)), nullptr);
        EXPECT_EQ(g.remove_card_from(Loc(kind, 0, 0)), a);
        EXPECT_EQ(g.card_at(Loc(kind, 0, 0)), b);
        EXPECT_EQ(g.remove_card_from(Loc(kind, 3, 0)), nullptr);
    }
    EXPECT_EQ(g.stock.size(), 1u);
    EXPECT_EQ(g.waste.size(), 1u);
}

TEST_F(RulesPiles, CellsHoldOneCardAndNoneHoldsNothing) {
    CardSprite* a = g.put(Loc(Loc::CELLS, 1, 0), 7, Card::SPADES);
    EXPECT_EQ(g.cells[1], a);
    EXPECT_EQ(g.cells[0], nullptr);
    EXPECT_EQ(g.card_at(Loc(Loc::CELLS, 1, 0)), a);
    EXPECT_EQ(g.card_at(Loc(Loc::CELLS, 2, 0)), nullptr);
    EXPECT_EQ(g.remove_card_from(Loc(Loc::CELLS, 1, 0)), a);
    EXPECT_EQ(g.cells[1], nullptr);
    EXPECT_EQ(g.remove_card_from(Loc(Loc::CELLS, 1, 0)), nullptr);

    Loc none(Loc::NONE, 3, 4);
    EXPECT_EQ(g.append_to_loc(a, none), none);
    EXPECT_EQ(g.card_at(Loc()), nullptr);
    EXPECT_EQ(g.remove_card_from(Loc()), nullptr);
    EXPECT_EQ(g.remove_card_from(Loc(9, 0, 0)), nullptr);
}

TEST_F(RulesPiles, AnOccupiedCellRefusesANewCard) {
    CardSprite* resident = g.put(Loc(Loc::CELLS, 0, 0), 7, Card::SPADES);
    auto* newcomer = new CardSprite(8, Card::SPADES);
    g.sprites.push_back(newcomer);
#ifdef NDEBUG
    EXPECT_EQ(g.append_to_loc(newcomer, Loc(Loc::CELLS, 0, 0)), Loc());
    EXPECT_EQ(g.cells[0], resident);
    // move_to leaves a refused card where it stands and records nothing.
    g.initiate_move_sequence();
    newcomer->set_pos(5, 5);
    g.move_to(newcomer, Loc(Loc::TABLEAU, 0, 0), Loc(Loc::CELLS, 0, 0), false);
    g.finalize_move_sequence();
    EXPECT_EQ(g.cells[0], resident);
    EXPECT_EQ(newcomer->pos(), E2::Vec2<int>(5, 5));
    EXPECT_TRUE(g.undo_stack.back()->steps.empty());
#else
    EXPECT_DEATH(g.append_to_loc(newcomer, Loc(Loc::CELLS, 0, 0)), "occupied cell");
#endif
    // The same card again is no change.
    EXPECT_EQ(g.append_to_loc(resident, Loc(Loc::CELLS, 0, 0)), Loc(Loc::CELLS, 0, 0));
}

TEST_F(RulesPiles, GlowBeyondAPileLightsNothing) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::CLUBS);
    g.set_glow(Loc(Loc::TABLEAU, 0, 5));
    g.set_glow(Loc(Loc::TABLEAU, 9, 0));
    g.set_glow(Loc(Loc::FOUNDATION, -1, 0));
    g.set_glow(Loc());
    EXPECT_FALSE(a->glow);
    EXPECT_TRUE(g.glowslots.empty());
    g.set_glow(Loc(Loc::TABLEAU, 0, 0));
    EXPECT_TRUE(a->glow);
    g.set_glow(Loc(Loc::CELLS, 1, 0));  // a free cell: a glow sprite on it
    ASSERT_EQ(g.glowslots.size(), 1u);
    EXPECT_EQ(g.glowslots[0]->pos(), E2::Vec2<int>(250, 600));
    g.cancel_glow();
    EXPECT_FALSE(a->glow);
    EXPECT_FALSE(g.glowslots[0]->glow);
}

TEST_F(RulesPiles, NullCardsAreSkipped) {
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.initiate_move_sequence();
    g.move_to(nullptr, Loc(Loc::TABLEAU, 0, 0), Loc(Loc::TABLEAU, 1, 0), false);
    g.flip_at(nullptr, Loc(Loc::TABLEAU, 0, 0), false);
    g.finalize_move_sequence();
    EXPECT_TRUE(g.tableau[1].empty());
    EXPECT_TRUE(g.undo_stack.back()->steps.empty());
    EXPECT_EQ(g.anim.start, 0u);
}

TEST_F(RulesPiles, AllOnTheFoundationsOnlyWhenNothingElseHoldsACard) {
    EXPECT_TRUE(g.tableau_is_empty());
    EXPECT_TRUE(g.foundation_contains_all_cards());
    CardSprite* c = g.put(Loc(Loc::CELLS, 0, 0), 1, Card::CLUBS);
    EXPECT_FALSE(g.foundation_contains_all_cards());
    g.remove_card_from(Loc(Loc::CELLS, 0, 0));
    g.append_to_loc(c, Loc(Loc::WASTE, 0, 0));
    EXPECT_FALSE(g.foundation_contains_all_cards());
    g.remove_card_from(Loc(Loc::WASTE, 0, 0));
    g.append_to_loc(c, Loc(Loc::TABLEAU, 2, 0));
    EXPECT_FALSE(g.tableau_is_empty());
    EXPECT_FALSE(g.foundation_contains_all_cards());

    // The last card in flight to its foundation: not yet.
    g.remove_card_from(Loc(Loc::TABLEAU, 2, 0));
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.move_to(c, Loc(Loc::TABLEAU, 2, 0), Loc(Loc::FOUNDATION, 0, 0), false);
    EXPECT_TRUE(g.has_animation());
    EXPECT_FALSE(g.foundation_contains_all_cards());
    EXPECT_FALSE(g.is_won());
    rules_test::run_animations(g);
    EXPECT_TRUE(g.foundation_contains_all_cards());
}

TEST_F(RulesPiles, NearWinArrangementKeepsEveryCard) {
    g.deal();
    rules_test::run_animations(g);
    g.anim = AnimProfile();
    g.cheat_near_win();
    size_t on_foundations = g.foundations[0].size() + g.foundations[1].size();
    size_t on_tableau = g.tableau[0].size() + g.tableau[1].size() + g.tableau[2].size();
    EXPECT_EQ(on_foundations + on_tableau, 52u);
    EXPECT_EQ(on_tableau, 4u);  // the King of each suit
    EXPECT_TRUE(g.stock.empty());
    EXPECT_EQ(g.foundations[0][0]->no(), 1);
}

}  // namespace
