#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "card_sprite.h"
#include "random_play.h"
#include "rule_options.h"
#include "spider.h"
#include "tableau_support.h"
#include "undo.h"

namespace {

using tableau_test::lay;
using tableau_test::Pointer;

class Spider : public rules_test::RulesTest {
protected:
    // A King-to-`low` run of one suit, face up, on pile p.
    void lay_run(unsigned p, Card::Suit suit, unsigned short low = 1) {
        for (unsigned short no = 13; no >= low; --no) lay(g, Loc(Loc::TABLEAU, static_cast<int>(p), 0), no, suit);
    }
    // Ten cards in the stock, face down.
    void lay_stock_round() {
        for (int i = 0; i < 10; ++i) lay(g, Loc(Loc::STOCK, 0, 0), 7, Card::DIAMONDS, false);
    }
    bool press_stock() { return hand.press({g.stock.back()->x + 50, g.stock.back()->y + 72}); }

    SpiderRules g;
    Pointer hand{g};
};

TEST_F(Spider, TheDealLeavesFiftyInTheStockAndOnlyTheTopsUp) {
    std::srand(11);
    g.deal();
    tableau_test::settle(g);
    for (unsigned p = 0; p < SpiderRules::piles; ++p) {
        Deck const& d = g.tableau[p];
        ASSERT_EQ(d.size(), p < 4 ? 6u : 5u) << "pile " << p;
        for (size_t k = 0; k < d.size(); ++k) EXPECT_EQ(d[k]->face_up, k + 1 == d.size());
    }
    ASSERT_EQ(g.stock.size(), SpiderRules::stock_after_deal);
    std::map<int, int> copies;
    for (CardSprite const* c : g.sprites) ++copies[c->bits()];
    EXPECT_EQ(copies.size(), 52u);
    for (auto const& e : copies) EXPECT_EQ(e.second, 2);
    for (CardSprite const* c : g.stock) EXPECT_FALSE(c->face_up);
    // The stock steps up and left by two pixels every six cards.
    EXPECT_EQ(g.stock[5]->pos(), E2::Vec2<int>(45, 69));
    EXPECT_EQ(g.stock[6]->pos(), E2::Vec2<int>(43, 67));
    EXPECT_EQ(g.stock[49]->pos(), E2::Vec2<int>(29, 53));
}

TEST_F(Spider, TheStockDealsOntoEveryPileEmptyOnesTooUntilItIsEmpty) {
    std::srand(12);
    g.deal();
    tableau_test::settle(g);
    g.tableau[9].clear();  // an empty pile takes its card like any other
    // Not while cards are carried: their targets are the present tops.
    ASSERT_TRUE(hand.press_on(g.tableau[0].back()));
    g.perform_basic_action();
    EXPECT_EQ(g.stock.size(), 50u);
    g.undrag();
    tableau_test::settle(g);
    for (int round = 1; round <= 5; ++round) {
        std::vector<size_t> sizes;
        for (Deck const& d : g.tableau) sizes.push_back(d.size());
        CardSprite* top = g.stock.back();
        ASSERT_TRUE(press_stock());
        EXPECT_FALSE(g.in_drag());
        tableau_test::settle(g);
        EXPECT_EQ(g.tableau[0].back(), top) << "pile 0 gets the stock's top card";
        for (unsigned p = 0; p < SpiderRules::piles; ++p) {
            EXPECT_EQ(g.tableau[p].size(), sizes[p] + 1);
            EXPECT_TRUE(g.tableau[p].back()->face_up);
        }
        EXPECT_EQ(g.stock.size(), 50u - 10u * static_cast<unsigned>(round));
        EXPECT_EQ(g.undo_stack.size(), static_cast<size_t>(round));
        EXPECT_EQ(g.pending_moves, round);
    }
    EXPECT_TRUE(g.stock.empty());
    g.perform_basic_action();
    EXPECT_EQ(g.undo_stack.size(), 5u);
    EXPECT_EQ(g.pending_moves, 5);

    // Undo returns the last round face down, in the order it had in the stock.
    std::vector<CardSprite*> last;
    for (Deck const& d : g.tableau) last.push_back(d.back());
    g.undo();
    tableau_test::settle(g);
    ASSERT_EQ(g.stock.size(), 10u);
    for (unsigned t = 0; t < 10; ++t) {
        EXPECT_EQ(g.stock[9 - t], last[t]);
        EXPECT_FALSE(last[t]->face_up);
    }
}

TEST_F(Spider, OnlyOneSuitRunsArePickedUpButADropTakesAnySuit) {
    lay(g, Loc(Loc::TABLEAU, 0, 0), 8, Card::CLUBS);
    CardSprite* seven = lay(g, Loc(Loc::TABLEAU, 0, 0), 7, Card::SPADES);
    CardSprite* six = lay(g, Loc(Loc::TABLEAU, 0, 0), 6, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 5, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 4, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 7, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 2, 0), 8, Card::HEARTS);
    for (unsigned p = 3; p < SpiderRules::piles; ++p) lay(g, Loc(Loc::TABLEAU, static_cast<int>(p), 0), 2, Card::CLUBS);

    EXPECT_FALSE(hand.press_on(seven)) << "the Six of another suit breaks the run";
    ASSERT_TRUE(hand.press_on(six));
    ASSERT_EQ(g.blob.cards.size(), 3u);
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 1, 0)});
    hand.drop_on(Loc(Loc::TABLEAU, 1, 0));
    tableau_test::settle(g);
    EXPECT_EQ(rules_test::pile_text(g.tableau[1]), "7c 6h 5h 4h");
    EXPECT_EQ(g.pending_score, 0);

    // The Seven, on top now, goes on the Eight of hearts.
    ASSERT_TRUE(hand.move(seven, Loc(Loc::TABLEAU, 2, 0)));
    EXPECT_EQ(rules_test::pile_text(g.tableau[2]), "8h 7s");
}

TEST_F(Spider, ACompletedRunLeavesAfterAnyDropScoresAndTurnsTheCardUnder) {
    CardSprite* hidden = lay(g, Loc(Loc::TABLEAU, 0, 0), 9, Card::DIAMONDS, false);
    lay_run(0, Card::SPADES, 2);
    CardSprite* ace = lay(g, Loc(Loc::TABLEAU, 1, 0), 1, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 2, 0), 4, Card::HEARTS);
    // Pile 3 holds a whole run of hearts that a stock round completed.
    lay(g, Loc(Loc::TABLEAU, 3, 0), 3, Card::CLUBS);
    lay_run(3, Card::HEARTS);
    CardSprite* five = lay(g, Loc(Loc::TABLEAU, 4, 0), 5, Card::CLUBS);
    size_t const cards = rules_test::card_count(g);

    // A drop elsewhere takes the hearts away first.
    ASSERT_TRUE(hand.move(five, Loc(Loc::TABLEAU, 5, 0)));
    EXPECT_EQ(g.pending_score, 1300);
    EXPECT_EQ(rules_test::pile_text(g.tableau[3]), "3c");
    ASSERT_EQ(g.foundations[0].size(), 13u);
    EXPECT_EQ(g.foundations[0].front()->no(), 13);
    EXPECT_EQ(g.foundations[0].back()->no(), 1);
    EXPECT_EQ(g.undo_stack.size(), 1u);

    ASSERT_TRUE(hand.move(ace, Loc(Loc::TABLEAU, 0, 12)));
    EXPECT_EQ(g.pending_score, 2600);
    EXPECT_TRUE(g.tableau[1].empty());
    ASSERT_EQ(g.tableau[0].size(), 1u);
    EXPECT_TRUE(hidden->face_up);
    ASSERT_EQ(g.foundations[1].size(), 13u);
    EXPECT_EQ(g.foundations[1].back(), ace);
    EXPECT_EQ(g.undo_stack.size(), 2u);
    EXPECT_EQ(g.pending_moves, 2);
    EXPECT_EQ(rules_test::snapshot_table(g).size(), cards);

    // Undo: the card turns back down, the run returns onto it with the Ace on its own pile
    // again, and the 1300 goes.
    g.undo();
    tableau_test::settle(g);
    EXPECT_EQ(g.pending_score, 1300);
    EXPECT_FALSE(hidden->face_up);
    ASSERT_EQ(g.tableau[0].size(), 13u);
    EXPECT_EQ(g.tableau[0][0], hidden);
    EXPECT_EQ(g.tableau[0].back()->no(), 2);
    EXPECT_EQ(rules_test::pile_text(g.tableau[1]), "1s");
    EXPECT_TRUE(g.foundations[1].empty());
    std::string problem;
    EXPECT_EQ(rules_test::snapshot_table(g, &problem).size(), cards);
    EXPECT_EQ(problem, "");
    for (size_t k = 0; k < g.tableau[0].size(); ++k)
        EXPECT_EQ(g.tableau[0][k]->pos(), g.pos_of(Loc(Loc::TABLEAU, 0, static_cast<int>(k))));

    g.undo();
    tableau_test::settle(g);
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(g.tableau[3].size(), 14u);
}

TEST_F(Spider, AWrongKingOrAFaceDownCardInsideStopsTheRemoval) {
    // Thirteen in order under a King of clubs.
    lay(g, Loc(Loc::TABLEAU, 0, 0), 13, Card::CLUBS);
    for (unsigned short no = 12; no >= 2; --no) lay(g, Loc(Loc::TABLEAU, 0, 0), no, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 1, Card::SPADES);
    // A face-down Seven inside an otherwise whole run of hearts.
    for (unsigned short no = 13; no >= 1; --no) lay(g, Loc(Loc::TABLEAU, 2, 0), no, Card::HEARTS, no != 7);
    CardSprite* nine = lay(g, Loc(Loc::TABLEAU, 3, 0), 9, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 4, 0), 10, Card::DIAMONDS);

    EXPECT_EQ(g.complete_run_at(2), -1);
    ASSERT_TRUE(hand.move(g.tableau[1][0], Loc(Loc::TABLEAU, 0, 11)));
    EXPECT_EQ(g.tableau[0].size(), 13u);
    ASSERT_TRUE(hand.move(nine, Loc(Loc::TABLEAU, 4, 0)));
    EXPECT_EQ(g.tableau[2].size(), 13u);
    for (Deck const& d : g.foundations) EXPECT_TRUE(d.empty());
    EXPECT_EQ(g.pending_score, 0);
}

TEST_F(Spider, ARunThatAStockRoundCompletesWaitsForTheNextDrop) {
    lay_run(0, Card::CLUBS, 2);
    lay_stock_round();
    // Pile 0 gets the stock's top card, pile 1 the next, pile 2 the one after.
    Deck& s = g.stock;
    s[9]->no(1);
    s[9]->suit(Card::CLUBS);
    s[8]->no(7);
    s[7]->no(8);
    s[7]->suit(Card::SPADES);
    ASSERT_TRUE(press_stock());
    tableau_test::settle(g);
    EXPECT_EQ(g.tableau[0].size(), 13u);
    EXPECT_EQ(g.complete_run_at(0), 0);
    EXPECT_EQ(g.pending_score, 0);

    ASSERT_TRUE(hand.move(g.tableau[1].back(), Loc(Loc::TABLEAU, 2, 0)));
    EXPECT_TRUE(g.tableau[0].empty());
    EXPECT_EQ(g.pending_score, 1300);
}

TEST_F(Spider, TwoSuitModeDealsHeartsAndClubs) {
    SpiderRules::opt_two_suits = true;
    std::srand(3);
    g.deal();
    std::map<int, int> by_suit;
    for (CardSprite const* c : g.sprites) ++by_suit[c->suit()];
    EXPECT_EQ(by_suit[Card::HEARTS], 52);
    EXPECT_EQ(by_suit[Card::CLUBS], 52);
    EXPECT_EQ(by_suit.size(), 2u);
    // The faces follow the new suit.
    for (CardSprite const* c : g.sprites) EXPECT_EQ(c->face, CardSprite::_surfs[CardSprite::face_key(c->no(), c->suit())]);
}

TEST_F(Spider, MoreThanNineteenFaceUpCardsCloseUp) {
    EXPECT_EQ(SpiderRules::face_up_spacing(19), 26);
    EXPECT_EQ(SpiderRules::face_up_spacing(20), 25);   // 24.7
    EXPECT_EQ(SpiderRules::face_up_spacing(38), 13);   // 13.0
    EXPECT_EQ(SpiderRules::face_up_spacing(45), 11);   // 10.98
    EXPECT_EQ(SpiderRules::face_up_spacing(52), 11);   // 9.5, held at 11

    for (int i = 0; i < 3; ++i) lay(g, Loc(Loc::TABLEAU, 4, 0), 9, Card::CLUBS, false);
    for (int i = 0; i < 19; ++i) lay(g, Loc(Loc::TABLEAU, 4, 0), 9, Card::CLUBS);
    EXPECT_EQ(g.pos_of(Loc(Loc::TABLEAU, 4, 21)).y, 228 + 3 * 2 + 18 * 26);
    lay(g, Loc(Loc::TABLEAU, 4, 0), 9, Card::CLUBS);
    // Twenty face-up cards: 25 apart; the face-down ones stay 2 apart.
    EXPECT_EQ(g.pos_of(Loc(Loc::TABLEAU, 4, 22)).y, 228 + 3 * 2 + 19 * 25);
    EXPECT_EQ(g.pos_of(Loc(Loc::TABLEAU, 4, 2)).y, 228 + 2 * 2);
    int const x = g.pos_of(Loc(Loc::TABLEAU, 4, 22)).x;
    EXPECT_TRUE(x == 2 + 408 || x == 2 + 409);
}

TEST_F(Spider, TheCreatorIsRegisteredAndKeepsTheOptionByte) {
    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::SPIDER));
    ASSERT_NE(dynamic_cast<SpiderRules*>(made.get()), nullptr);
    EXPECT_EQ(made->namecode(), "spider");
    EXPECT_EQ(made->max_foundation(), 8u);
    made->notify_options_changed({true});
    EXPECT_TRUE(SpiderOptions::opt_two_suits);
    EXPECT_EQ(tableau_test::option_bytes(Player::SPIDER), "1000");
}

}  // namespace
