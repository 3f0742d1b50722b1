#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "card_effectors.h"
#include "card_sprite.h"
#include "random_play.h"
#include "rule_options.h"
#include "sprite_effectors.h"
#include "tableau_support.h"
#include "yukon.h"

namespace {

using tableau_test::lay;
using tableau_test::Pointer;

bool has_target(SolitaireRules const& g, Loc const& l) {
    return std::find(g.blob.targets.begin(), g.blob.targets.end(), l) != g.blob.targets.end();
}

// The card has a pending flip sound among its effectors.
bool flip_sounds(CardSprite const* c) {
    for (SpriteEffector const* e : c->effectors())
        if (auto const* chain = dynamic_cast<ChainedEffector const*>(e))
            for (SpriteEffector const* m : chain->members())
                if (dynamic_cast<CardFlipSoundEffector const*>(m)) return true;
    return false;
}

class Yukon : public rules_test::RulesTest {
protected:
    YukonRules g;
    Pointer hand{g};
};

TEST_F(Yukon, TheDealLaysOneToElevenCardsWithFiveUpOnEachPileButTheFirst) {
    std::srand(21);
    g.deal();
    tableau_test::settle(g);
    size_t const sizes[] = {1, 6, 7, 8, 9, 10, 11};
    std::set<unsigned> values;
    for (unsigned p = 0; p < YukonRules::piles; ++p) {
        Deck const& d = g.tableau[p];
        ASSERT_EQ(d.size(), sizes[p]) << "pile " << p;
        for (size_t k = 0; k < d.size(); ++k) {
            EXPECT_EQ(d[k]->face_up, k >= p) << "pile " << p << " card " << k;
            values.insert(d[k]->bits());
            EXPECT_EQ(d[k]->pos(), g.pos_of(Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k))));
        }
    }
    EXPECT_EQ(values.size(), 52u);
    // Two pixels a face-down card, 26 a face-up one.
    EXPECT_EQ(g.tableau[6][8]->y, 67 + 6 * 2 + 2 * 26);
    EXPECT_EQ(g.pos_of(Loc(Loc::FOUNDATION, 3, 5)), E2::Vec2<int>(906, 577));
}

TEST_F(Yukon, AnUnorderedGroupMovesWhenItsBottomCardFits) {
    CardSprite* hidden = lay(g, Loc(Loc::TABLEAU, 0, 0), 4, Card::SPADES, false);
    CardSprite* nine = lay(g, Loc(Loc::TABLEAU, 0, 0), 9, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 3, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 12, Card::DIAMONDS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 10, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 2, 0), 10, Card::HEARTS);
    lay(g, Loc(Loc::TABLEAU, 3, 0), 13, Card::CLUBS);

    EXPECT_FALSE(hand.press_on(hidden));
    ASSERT_TRUE(hand.press_on(nine));
    ASSERT_EQ(g.blob.cards.size(), 3u);
    // The black Ten only; never a foundation for a group, never the red Ten.
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 1, 0)});
    hand.drop_on(Loc(Loc::TABLEAU, 1, 0));
    // The face-down card turns up after the drop, without the flip sound.
    EXPECT_FALSE(hidden->face_up);
    EXPECT_FALSE(hidden->effectors().empty());
    EXPECT_FALSE(flip_sounds(hidden));
    tableau_test::settle(g);
    EXPECT_TRUE(hidden->face_up);
    EXPECT_EQ(rules_test::pile_text(g.tableau[1]), "10s 9h 3c 12d");
    EXPECT_EQ(g.pending_moves, 1);

    g.undo();
    tableau_test::settle(g);
    EXPECT_FALSE(hidden->face_up);
    EXPECT_EQ(rules_test::pile_text(g.tableau[0]), "4s 9h 3c 12d");
}

TEST_F(Yukon, OnlyAKingGoesOntoAnEmptyPile) {
    CardSprite* queen = lay(g, Loc(Loc::TABLEAU, 0, 0), 12, Card::HEARTS);
    CardSprite* king = lay(g, Loc(Loc::TABLEAU, 1, 0), 13, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 2, Card::HEARTS);
    for (unsigned p = 2; p < YukonRules::piles - 1; ++p) lay(g, Loc(Loc::TABLEAU, static_cast<int>(p), 0), 5, Card::CLUBS);

    ASSERT_TRUE(hand.press_on(queen));
    EXPECT_FALSE(has_target(g, Loc(Loc::TABLEAU, 6, 0)));
    EXPECT_TRUE(g.blob.targets.empty());
    g.undrag();
    ASSERT_TRUE(hand.press_on(king));
    ASSERT_EQ(g.blob.cards.size(), 2u);
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 6, 0)});
    hand.drop_on(Loc(Loc::TABLEAU, 6, 0));
    tableau_test::settle(g);
    EXPECT_EQ(rules_test::pile_text(g.tableau[6]), "13s 2h");
}

TEST_F(Yukon, FoundationCardsStayWithoutTheOptionAndGoToTheTableauOnlyWithIt) {
    lay(g, Loc(Loc::FOUNDATION, 2, 0), 1, Card::CLUBS);
    CardSprite* two = lay(g, Loc(Loc::FOUNDATION, 2, 0), 2, Card::CLUBS);
    lay(g, Loc(Loc::TABLEAU, 0, 0), 3, Card::DIAMONDS);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 8, Card::SPADES);
    lay(g, Loc(Loc::TABLEAU, 1, 0), 7, Card::SPADES);  // out of order: no automatic finish
    EXPECT_FALSE(hand.press_on(two));

    YukonRules::opt_may_pluck_from_foundation = true;
    ASSERT_TRUE(hand.press_on(two));
    EXPECT_EQ(g.blob.targets, std::vector<Loc>{Loc(Loc::TABLEAU, 0, 0)});
    EXPECT_EQ(g.blob.scores, std::vector<int>{-22});
    hand.drop_on(Loc(Loc::TABLEAU, 0, 0));
    tableau_test::settle(g);
    EXPECT_EQ(g.pending_score, -22);
    // Back up by a double click: the foundation wins over any pile.
    hand.double_click(two);
    EXPECT_EQ(g.foundations[2].back(), two);
    EXPECT_EQ(g.pending_score, 0);
}

TEST_F(Yukon, TheAutomaticFinishPicksAtRandomAmongEqualTopsAndScoresEveryCard) {
    std::set<int> first_suits;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        YukonRules y;
        Pointer p(y);
        // Every suit up to 10 on its foundation; each pile a King, Queen, Jack in sequence,
        // one Jack still face down.
        Card::Suit const suits[] = {Card::CLUBS, Card::DIAMONDS, Card::HEARTS, Card::SPADES};
        Card::Suit const queens[] = {Card::HEARTS, Card::CLUBS, Card::SPADES, Card::DIAMONDS};
        for (unsigned f = 0; f < 4; ++f)
            for (unsigned short no = 1; no <= 10; ++no) lay(y, Loc(Loc::FOUNDATION, static_cast<int>(f), 0), no, suits[f]);
        for (unsigned t = 0; t < 4; ++t) {
            lay(y, Loc(Loc::TABLEAU, static_cast<int>(t), 0), 13, suits[t]);
            lay(y, Loc(Loc::TABLEAU, static_cast<int>(t), 0), 12, queens[t]);
            lay(y, Loc(Loc::TABLEAU, static_cast<int>(t), 0), 11, suits[t], t != 3);
        }
        tableau_test::settle(y);
        EXPECT_EQ(y.pending_score, 0) << "a face-down card keeps the finish off";

        // Turning it up (as after a drop) lets the finish run; the first of the four Jacks
        // is drawn with rand().
        std::srand(seed);
        y.tableau[3].back()->set_face_up(true);
        unsigned now = 0;
        while (std::all_of(y.foundations.begin(), y.foundations.end(), [](Deck const& d) { return d.size() == 10; }) &&
               now < 10000)
            y.tick(now += 16, 16);
        for (unsigned f = 0; f < 4; ++f)
            if (y.foundations[f].size() == 11) first_suits.insert(static_cast<int>(f));
        tableau_test::settle(y);
        EXPECT_TRUE(y.is_won());
        EXPECT_EQ(y.pending_score, 4 * 11 * (11 + 12 + 13));
        EXPECT_EQ(y.pending_moves, 0);
        EXPECT_TRUE(y.undo_stack.empty());
    }
    EXPECT_GT(first_suits.size(), 1u);
}

TEST_F(Yukon, TheCreatorIsRegisteredAndKeepsTheOptionByte) {
    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::YUKON));
    ASSERT_NE(dynamic_cast<YukonRules*>(made.get()), nullptr);
    EXPECT_EQ(made->namecode(), "yukon");
    made->notify_options_changed({true});
    EXPECT_TRUE(YukonOptions::opt_may_pluck_from_foundation);
    EXPECT_EQ(tableau_test::option_bytes(Player::YUKON), "1000");
}

}  // namespace
