#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "card_sprite.h"
#include "freecell.h"
#include "random_play.h"
#include "rule_options.h"
#include "tableau_support.h"

namespace {

using tableau_test::lay;
using tableau_test::Pointer;

bool has_target(SolitaireRules const& g, std::int32_t kind) {
    return std::any_of(g.blob.targets.begin(), g.blob.targets.end(), [kind](Loc const& l) { return l.kind == kind; });
}

class FreeCell : public rules_test::RulesTest {
protected:
    // Every cell taken by a card that fits nowhere else on the test tables.
    void fill_cells() {
        for (unsigned i = 0; i < FreeCellRules::cell_count; ++i) lay(g, Loc(Loc::CELLS, static_cast<int>(i), 0), 5, Card::CLUBS);
    }
    int score() const { return g.pending_score; }

    FreeCellRules g;
    Pointer hand{g};
};

TEST_F(FreeCell, TheDealLaysAllCardsFaceUpSevenAndSixDeep) {
    std::srand(5);
    g.deal();
    tableau_test::settle(g);
    std::set<unsigned> values;
    for (unsigned p = 0; p < FreeCellRules::piles; ++p) {
        Deck const& d = g.tableau[p];
        EXPECT_EQ(d.size(), p < 4 ? 7u : 6u) << "pile " << p;
        for (size_t k = 0; k < d.size(); ++k) {
            EXPECT_TRUE(d[k]->face_up);
            values.insert(d[k]->bits());
            // 26 pixels a card, with the fixed one-pixel offset of the position.
            E2::Vec2<int> want = g.pos_of(Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k)));
            EXPECT_EQ(d[k]->pos(), want);
            EXPECT_EQ(want.y, 261 + 26 * static_cast<int>(k));
            EXPECT_LE(std::abs(want.x - (25 + 124 * static_cast<int>(p))), 1);
        }
    }
    EXPECT_EQ(values.size(), 52u);
    EXPECT_TRUE(g.stock.empty() && g.waste.empty());
    for (CardSprite const* c : g.cells) EXPECT_EQ(c, nullptr);
    for (Deck const& d : g.foundations) EXPECT_TRUE(d.empty());
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.pos_of(Loc(Loc::CELLS, 3, 0)), E2::Vec2<int>(386, 81));
    EXPECT_EQ(g.pos_of(Loc(Loc::FOUNDATION, 2, 9)), E2::Vec2<int>(774, 81));
}

TEST_F(FreeCell, ALongRunMovesWholeWithEveryCellFull) {
    fill_cells();
    lay(g, Loc(Loc::TABLEAU, 0, 0), 2, Card::DIAMONDS);
    CardSprite* queen = lay(g, Loc(Loc::TABLEAU, 0, 0), 12, Card::HEARTS);
    Card::Suit const alternate[] = {Card::HEARTS, Card::SPADES};
    for (unsigned short no = 11; no >= 3; --no) lay(g, Loc(Loc::TABLEAU, 0, 0), no, alternate[no % 2]);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 13, Card::CLUBS);
    for (unsigned p = 2; p < FreeCellRules::piles; ++p) lay(g, Loc(Loc::TABLEAU, static_cast<int>(p), 0), 2, Card::CLUBS);

    // The Queen does not follow the Two under it: a press there takes nothing.
    EXPECT_FALSE(hand.press_on(g.tableau[0][0]));
    ASSERT_TRUE(hand.press_on(queen));
    ASSERT_EQ(g.blob.cards.size(), 10u);
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 1, 0)});
    hand.drop_on(Loc(Loc::TABLEAU, 1, 0));
    tableau_test::settle(g);
    EXPECT_EQ(g.tableau[1].size(), 11u);
    EXPECT_EQ(g.tableau[0].size(), 1u);
    EXPECT_EQ(rules_test::pile_text(g.tableau[1]), "13c 12h 11s 10h 9s 8h 7s 6h 5s 4h 3s");
    EXPECT_EQ(g.pending_moves, 1);
    EXPECT_EQ(score(), 0);

    // An empty pile takes a run of any length too, and a press on a card that breaks the
    // sequence takes nothing.
    g.tableau[2].clear();
    ASSERT_TRUE(hand.press_on(g.tableau[1][1]));
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 2, 0)});
    hand.drop_on(Loc(Loc::TABLEAU, 2, 0));
    tableau_test::settle(g);
    EXPECT_EQ(g.tableau[2].size(), 10u);
}

TEST_F(FreeCell, ARunNeverGoesToACellOrAFoundationAndACellCardNeverToACell) {
    lay(g, Loc(Loc::FOUNDATION, 0, 0), 1, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 3, Card::HEARTS);
    CardSprite* two = lay(g, Loc(Loc::TABLEAU, 0, 0), 2, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 9, Card::DIAMONDS);

    ASSERT_TRUE(hand.press_on(g.tableau[0][0]));
    ASSERT_EQ(g.blob.cards.size(), 2u);
    EXPECT_FALSE(has_target(g, Loc::CELLS));
    EXPECT_FALSE(has_target(g, Loc::FOUNDATION));
    g.undrag();

    // One card: its foundation first (scored), the tableau, then the four cells.
    ASSERT_TRUE(hand.press_on(two));
    ASSERT_EQ(g.blob.targets.size(), 1u + 6u + 4u);
    EXPECT_EQ(g.blob.targets[0], Loc(Loc::FOUNDATION, 0, 0));
    EXPECT_EQ(g.blob.scores[0], 22);
    EXPECT_EQ(g.blob.targets[7], Loc(Loc::CELLS, 0, 0));
    hand.drop_on(Loc(Loc::CELLS, 2, 0));
    tableau_test::settle(g);
    ASSERT_EQ(g.cells[2], two);

    ASSERT_TRUE(hand.press_on(two));
    EXPECT_FALSE(has_target(g, Loc::CELLS));
    EXPECT_TRUE(has_target(g, Loc::FOUNDATION));
    EXPECT_TRUE(has_target(g, Loc::TABLEAU));
    g.undrag();
}

TEST_F(FreeCell, FoundationCardsStayWithoutTheOptionAndCostTheirPointsWithIt) {
    CardSprite* ace = lay(g, Loc(Loc::FOUNDATION, 1, 0), 1, Card::HEARTS);
    CardSprite* two = lay(g, Loc(Loc::FOUNDATION, 1, 0), 2, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 3, Card::CLUBS);
    // Out of order, so that the table never finishes by itself.
    lay(g, Loc(Loc::TABLEAU, 1, 0), 5, Card::DIAMONDS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 9, Card::SPADES);
    EXPECT_FALSE(hand.press_on(two));
    EXPECT_FALSE(g.in_drag());
    EXPECT_EQ(g.foundations[1].size(), 2u);

    FreeCellRules::opt_may_pluck_from_foundation = true;
    ASSERT_TRUE(hand.press_on(two));
    EXPECT_FALSE(has_target(g, Loc::FOUNDATION));
    for (size_t i = 0; i < g.blob.targets.size(); ++i) EXPECT_EQ(g.blob.scores[i], -22) << "target " << i;
    EXPECT_TRUE(has_target(g, Loc::CELLS));
    hand.drop_on(Loc(Loc::TABLEAU, 0, 0));
    tableau_test::settle(g);
    EXPECT_EQ(g.tableau[0].back(), two);
    EXPECT_EQ(score(), -22);
    g.undo();
    tableau_test::settle(g);
    EXPECT_EQ(g.foundations[1].back(), two);
    EXPECT_EQ(score(), 0);

    // To a cell and back, again and again: the points never grow.
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(hand.move(two, Loc(Loc::CELLS, 0, 0)));
        EXPECT_EQ(score(), -22);
        ASSERT_TRUE(hand.move(two, Loc(Loc::FOUNDATION, 1, 0)));
        EXPECT_EQ(score(), 0);
    }
    EXPECT_EQ(g.foundations[1].back(), two);
    EXPECT_EQ(g.foundations[1].front(), ace);
}

TEST_F(FreeCell, TheAutomaticFinishWaitsForTheCellsAndTakesTheLowerPileOnTies) {
    // Hearts and clubs lie on their foundations up to 10; spades and diamonds in order on
    // two piles, with one card in a cell.
    for (unsigned short no = 1; no <= 10; ++no) {
        lay(g, Loc(Loc::FOUNDATION, 0, 0), no, Card::HEARTS);
        lay(g, Loc(Loc::FOUNDATION, 1, 0), no, Card::CLUBS);
    }
    lay(g, Loc(Loc::TABLEAU, 0, 0), 13, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 12, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 11, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 13, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 12, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 11, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 2, 0), 13, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 3, 0), 13, Card::DIAMONDS);
    lay(g, Loc(Loc::TABLEAU, 3, 0), 12, Card::SPADES);
    for (unsigned short no = 1; no <= 12; ++no) lay(g, Loc(Loc::FOUNDATION, 2, 0), no, Card::DIAMONDS);
    for (unsigned short no = 1; no <= 10; ++no) lay(g, Loc(Loc::FOUNDATION, 3, 0), no, Card::SPADES);
    CardSprite* parked = lay(g, Loc(Loc::CELLS, 1, 0), 11, Card::SPADES);

    EXPECT_FALSE(g.may_auto_complete());
    tableau_test::settle(g);
    EXPECT_EQ(g.cells[1], parked) << "no automatic finish while a cell is taken";
    EXPECT_EQ(score(), 0);

    // The drop starts the finish: of the two Jacks on top, pile 0's goes first.
    ASSERT_TRUE(hand.press_on(parked));
    hand.drop_on(Loc(Loc::FOUNDATION, 3, 9));
    unsigned now = 0;
    while (g.foundations[0].size() == 10 && g.foundations[1].size() == 10 && now < 100000) g.tick(now += 16, 16);
    EXPECT_EQ(g.foundations[1].size(), 11u);
    EXPECT_EQ(g.foundations[0].size(), 10u);
    tableau_test::settle(g);
    EXPECT_TRUE(g.is_won());
    EXPECT_EQ(g.foundations[1][10]->no(), 11);
    // 11 for the drop of the Jack from the cell, then every card that finished by itself.
    EXPECT_EQ(score(), 11 * (11 + 11 + 12 + 13 + 11 + 12 + 13 + 13 + 12 + 13));
    EXPECT_EQ(g.undo_stack.size(), 1u);
    EXPECT_EQ(g.pending_moves, 1);
}

TEST_F(FreeCell, TheCreatorIsRegisteredAndKeepsTheOptionByte) {
    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::FREECELL));
    ASSERT_NE(dynamic_cast<FreeCellRules*>(made.get()), nullptr);
    EXPECT_EQ(made->namecode(), "freecell");
    made->notify_options_changed({true});
    EXPECT_TRUE(FreeCellRules::opt_may_pluck_from_foundation);
    EXPECT_EQ(tableau_test::option_bytes(Player::FREECELL), "1000");
    made->notify_options_changed({false});
    EXPECT_FALSE(FreeCellOptions::opt_may_pluck_from_foundation);
    EXPECT_EQ(tableau_test::option_bytes(Player::FREECELL), "0000");
}

}  // namespace
