// Klondike's rules without a window: the deal, the stock and its reset, the legal moves,
// the table's places and the automatic finish.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <cstdlib>
#include <set>
#include <vector>

#include "card_effectors.h"
#include "card_sprite.h"
#include "klondike.h"
#include "rule_options.h"
#include "rules_support.h"
#include "sprite_effectors.h"
#include "tableau_support.h"
#include "undo.h"

namespace {

using rules_test::pile_text;
using tableau_test::lay;
using tableau_test::settle;

Loc tab(int p, int i = 0) { return Loc(Loc::TABLEAU, p, i); }
Loc home(int f, int i = 0) { return Loc(Loc::FOUNDATION, f, i); }

bool has_sound(SpriteEffector const* e) {
    if (dynamic_cast<CardFlipSoundEffector const*>(e)) return true;
    if (auto const* chain = dynamic_cast<ChainedEffector const*>(e))
        return std::any_of(chain->members().begin(), chain->members().end(), has_sound);
    return false;
}

class Klondike : public rules_test::InGameTest {
protected:
    // A dealt game whose stock holds these cards (bottom first), face down, and nothing else.
    void stock_of(std::vector<unsigned short> const& numbers) {
        for (unsigned short n : numbers) lay(g, Loc(Loc::STOCK, 0, 0), n, Card::CLUBS, false);
    }
    std::string waste_text() const { return pile_text(g.waste); }
    std::vector<Loc> targets_of(CardSprite const* c) {
        EXPECT_TRUE(pointer.press_on(c));
        std::vector<Loc> t = g.blob.targets;
        g.undrag();
        settle(g);
        return t;
    }

    KlondikeRules g;
    tableau_test::Pointer pointer{g};
};

TEST_F(Klondike, TheDealLaysOneToSevenCardsWithTheTopFaceUpAndTwentyFourInTheStock) {
    std::srand(7);
    g.deal();
    std::set<CardSprite*> seen(g.stock.begin(), g.stock.end());
    int sounds = 0;
    for (CardSprite* c : g.sprites) sounds += std::count_if(c->effectors().begin(), c->effectors().end(), has_sound);
    EXPECT_EQ(sounds, 52) << "every card plays its flip sound as it lands";
    for (unsigned p = 0; p < 7; ++p) {
        ASSERT_EQ(g.tableau[p].size(), p + 1) << "pile " << p;
        for (unsigned i = 0; i <= p; ++i) EXPECT_EQ(g.tableau[p][i]->face_up, i == p) << "pile " << p << " card " << i;
        seen.insert(g.tableau[p].begin(), g.tableau[p].end());
    }
    ASSERT_EQ(g.stock.size(), 24u);
    for (CardSprite const* c : g.stock) EXPECT_FALSE(c->face_up);
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_TRUE(g.waste.empty());
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.pending_moves + g.pending_score, 0);

    settle(g);
    for (unsigned p = 0; p < 7; ++p)
        for (unsigned i = 0; i <= p; ++i) EXPECT_EQ(g.tableau[p][i]->pos(), g.pos_of(tab(p, i)));
    EXPECT_EQ(g.stock.back()->pos(), E2::Vec2<int>(104 - 14, 80 - 14));
}

TEST_F(Klondike, PlacesFollowTheTable) {
    EXPECT_EQ(g.pos_of(home(0)), E2::Vec2<int>(464, 80));
    EXPECT_EQ(g.pos_of(home(1, 5)), E2::Vec2<int>(583, 80));
    EXPECT_EQ(g.pos_of(home(2)), E2::Vec2<int>(703, 79));
    EXPECT_EQ(g.pos_of(home(3)), E2::Vec2<int>(822, 78));
    EXPECT_EQ(g.pos_of(Loc(Loc::STOCK, 2, 0)), E2::Vec2<int>(104, 80));
    EXPECT_EQ(g.pos_of(Loc(Loc::STOCK, 3, 0)), E2::Vec2<int>(102, 78));
    EXPECT_EQ(g.pos_of(Loc(Loc::STOCK, 23, 0)), E2::Vec2<int>(90, 66));
    EXPECT_EQ(g.pos_of(Loc(Loc::CELLS, 0, 0)), E2::Vec2<int>(0, 0));

    // Each pile position has its own fixed one-pixel wobble; below it, 26 pixels for each
    // face-up card and 2 for each face-down one.
    std::vector<int> wobble;
    for (int i = 0; i < 8; ++i) wobble.push_back(g.pos_of(tab(0, i)).x - 103);
    for (int b : wobble) EXPECT_TRUE(b == 0 || b == 1);
    EXPECT_NE(std::count(wobble.begin(), wobble.end(), 0), 8) << "the wobble never shows";
    EXPECT_EQ(g.pos_of(tab(3, 2)).x, 120 * 3 + 103 + wobble[2]);
    lay(g, tab(3), 9, Card::CLUBS, false);
    lay(g, tab(3), 8, Card::CLUBS, false);
    lay(g, tab(3), 7, Card::HEARTS);
    lay(g, tab(3), 6, Card::SPADES);
    EXPECT_EQ(g.pos_of(tab(3, 0)).y, 261);
    EXPECT_EQ(g.pos_of(tab(3, 2)).y, 265);
    EXPECT_EQ(g.pos_of(tab(3, 3)).y, 291);
    EXPECT_EQ(g.pos_of(tab(3, 4)).y, 317);

    // Draw three fans the top three waste cards; draw one lays them all on one spot.
    for (unsigned short n = 1; n <= 5; ++n) lay(g, Loc(Loc::WASTE, 0, 0), n, Card::DIAMONDS);
    std::vector<int> xs;
    for (int i = 0; i < 5; ++i) xs.push_back(g.pos_of(Loc(Loc::WASTE, i, 0)).x);
    EXPECT_EQ(xs, (std::vector<int>{222, 222, 222, 252, 282}));
    KlondikeRules::opt_flip_1 = true;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g.pos_of(Loc(Loc::WASTE, i, 0)), E2::Vec2<int>(222, 80));
}

TEST_F(Klondike, DrawingTurnsThreeIntoTheFanAndTwoLeftGoToTheLastTwoSlots) {
    stock_of({1, 2, 3, 4, 5});
    g.deal_from_stock();
    EXPECT_EQ(waste_text(), "5c 4c 3c");
    EXPECT_EQ(g.pending_moves, 1);
    EXPECT_EQ(g.pending_score, 0);
    ASSERT_EQ(g.undo_stack.size(), 1u);
    // Each card sets off 200 ms after the one before.
    auto delay_of = [](CardSprite const* c) {
        auto const* chain = dynamic_cast<ChainedEffector const*>(c->effectors().back());
        auto const* wait = chain ? dynamic_cast<NullEffector const*>(chain->members().front()) : nullptr;
        return wait ? wait->duration : 0u;
    };
    EXPECT_EQ(delay_of(g.waste[1]), 200u);
    EXPECT_EQ(delay_of(g.waste[2]), 400u);
    settle(g);
    for (CardSprite const* c : g.waste) EXPECT_TRUE(c->face_up);

    g.deal_from_stock();
    EXPECT_EQ(waste_text(), "5c 4c 3c 2c 1c");
    EXPECT_TRUE(g.stock.empty());
    settle(g);
    EXPECT_EQ(g.waste[3]->pos(), E2::Vec2<int>(252, 80));
    EXPECT_EQ(g.waste[4]->pos(), E2::Vec2<int>(282, 80));
    EXPECT_EQ(g.waste[2]->pos(), E2::Vec2<int>(222, 80));
    EXPECT_EQ(g.pending_moves, 2);

    g.deal_from_stock();  // empty stock: nothing
    EXPECT_EQ(g.undo_stack.size(), 2u);
    EXPECT_EQ(g.pending_moves, 2);
}

TEST_F(Klondike, AStockClickDrawsOneMoveAndUndoPutsTheCardsBackInOrderFaceDown) {
    stock_of({1, 2, 3, 4, 5});
    std::vector<CardSprite*> const before(g.stock.begin(), g.stock.end());
    settle(g);
    ASSERT_TRUE(pointer.press(g.center_of(Loc(Loc::STOCK, 4, 0))));
    EXPECT_FALSE(g.in_drag());
    EXPECT_EQ(g.waste.size(), 3u);
    settle(g);
    g.undo();
    settle(g);
    EXPECT_EQ(std::vector<CardSprite*>(g.stock.begin(), g.stock.end()), before);
    for (CardSprite const* c : g.stock) EXPECT_FALSE(c->face_up);
    for (size_t i = 0; i < g.stock.size(); ++i) EXPECT_EQ(g.stock[i]->pos(), g.pos_of(Loc(Loc::STOCK, int(i), 0)));
    EXPECT_TRUE(g.waste.empty());
    EXPECT_EQ(g.pending_moves, 2) << "the draw and its undo";
    EXPECT_EQ(g.pending_score, 0);
}

TEST_F(Klondike, TheResetIsOfferedTwiceKeepsTheDrawOrderAndUndoingItGivesItBack) {
    KlondikeRules::opt_flip_1 = true;
    stock_of({1, 2, 3});
    auto draw_all = [this] {
        std::string order;
        while (!g.stock.empty()) {
            g.deal_from_stock();
            settle(g);
            order += std::to_string(g.waste.back()->no());
        }
        return order;
    };
    EXPECT_FALSE(g.reset_available()) << "cards in the stock";
    std::string const first = draw_all();
    EXPECT_EQ(first, "321");
    ASSERT_TRUE(g.reset_available());
    int const moves = g.pending_moves;

    EXPECT_TRUE(g.on_click(&g.reset_button));
    EXPECT_EQ(g.pending_moves, moves) << "a reset is not a move";
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(g.redeals, 1u);
    for (CardSprite const* c : g.stock) EXPECT_FALSE(c->face_up) << "the flag turns with the image";
    settle(g);
    EXPECT_EQ(draw_all(), first) << "the same order after a reset";
    EXPECT_TRUE(g.on_click(&g.reset_button));
    EXPECT_EQ(draw_all(), first);
    EXPECT_EQ(g.redeals, 2u);
    EXPECT_FALSE(g.reset_available()) << "without unlimited redeals only two resets";
    EXPECT_TRUE(g.on_click(&g.reset_button)) << "the button is the game's even when hidden";
    EXPECT_EQ(g.redeals, 2u);
    EXPECT_EQ(g.waste.size(), 3u);
    EXPECT_FALSE(g.on_click(nullptr));

    // Undo the three draws, then the second reset: the button comes back and the cards
    // lie face up on the waste as before.
    for (int i = 0; i < 3; ++i) g.undo();
    settle(g);
    g.undo();
    settle(g);
    EXPECT_EQ(g.redeals, 1u);
    EXPECT_TRUE(g.reset_available());
    EXPECT_EQ(waste_text(), "3c 2c 1c");
    for (CardSprite const* c : g.waste) {
        EXPECT_TRUE(c->face_up);
        EXPECT_EQ(c->surface, c->face);
    }
    KlondikeRules::opt_unlimited_redeals = true;
    EXPECT_TRUE(g.reset_available());
    Player::cur()->in_progress = false;
    EXPECT_FALSE(g.reset_available()) << "no game in progress";
}

TEST_F(Klondike, OnlyAKingGoesToAnEmptyPileAndRedOnBlackOneLower) {
    CardSprite* king = lay(g, tab(0), 13, Card::HEARTS);
    CardSprite* queen = lay(g, tab(1), 12, Card::CLUBS);
    CardSprite* jack_red = lay(g, tab(2), 11, Card::DIAMONDS);
    CardSprite* jack_black = lay(g, tab(3), 11, Card::SPADES);
    Loc const from = tab(6);
    EXPECT_EQ(g.may_move_to_tableau_t(*king, from, 4), tab(4, 0));
    EXPECT_EQ(g.may_move_to_tableau_t(*queen, from, 4).kind, Loc::NONE);
    EXPECT_EQ(g.may_move_to_tableau_t(*queen, from, 0), tab(0, 0));
    EXPECT_EQ(g.may_move_to_tableau_t(*jack_red, from, 1), tab(1, 0));
    EXPECT_EQ(g.may_move_to_tableau_t(*jack_black, from, 1).kind, Loc::NONE) << "same colour";
    EXPECT_EQ(g.may_move_to_tableau_t(*jack_red, from, 0).kind, Loc::NONE) << "two lower";
    EXPECT_EQ(g.may_move_to_tableau_t(*queen, tab(0), 0).kind, Loc::NONE) << "its own pile";
    EXPECT_EQ(g.may_move_to_any_tableau(*jack_red, from), tab(1, 0));

    // Carried, the King is offered every empty pile but its own, in order.
    std::vector<Loc> const t = targets_of(king);
    EXPECT_EQ(t, (std::vector<Loc>{tab(4), tab(5), tab(6)}));
}

TEST_F(Klondike, AnAceIsOfferedEveryEmptyFoundationAndARunNone) {
    lay(g, home(1), 1, Card::CLUBS);
    CardSprite* ace = lay(g, tab(0), 1, Card::HEARTS);
    std::vector<Loc> list;
    EXPECT_TRUE(g.may_move_to_foundation(*ace, &list));
    EXPECT_EQ(list, (std::vector<Loc>{home(0), home(2), home(3)}));
    EXPECT_TRUE(g.may_move_to_foundation(*ace, nullptr));
    EXPECT_EQ(targets_of(ace), (std::vector<Loc>{home(0), home(2), home(3)}));

    CardSprite* two = lay(g, tab(1), 2, Card::CLUBS);
    list.clear();
    EXPECT_TRUE(g.may_move_to_foundation(*two, &list));
    EXPECT_EQ(list, (std::vector<Loc>{home(1, 0)}));
    EXPECT_FALSE(g.may_move_to_foundation(Card(3, Card::CLUBS), nullptr));

    // The Two carried with a red Ace on it: a run, never offered a foundation.
    lay(g, tab(1), 1, Card::DIAMONDS);
    lay(g, tab(2), 3, Card::HEARTS);
    ASSERT_TRUE(pointer.press({two->x + 50, two->y + 10}));
    ASSERT_EQ(g.blob.cards.size(), 2u);
    EXPECT_EQ(g.blob.targets, (std::vector<Loc>{tab(2, 0)}));
    g.undrag();
}

TEST_F(Klondike, APluckedCardGoesOnlyToTheTableauAndCostsElevenTimesItsNumber) {
    for (unsigned short n = 1; n <= 5; ++n) lay(g, home(2), n, Card::HEARTS);
    lay(g, tab(3), 2, Card::CLUBS, false);  // keeps the automatic finish away
    lay(g, tab(0), 6, Card::CLUBS);
    lay(g, tab(1), 6, Card::HEARTS);
    E2::Vec2<int> const on_home = g.center_of(home(2));
    EXPECT_FALSE(pointer.press(on_home)) << "plucking is off";
    KlondikeRules::opt_may_pluck_from_foundation = true;
    ASSERT_TRUE(pointer.press(on_home));
    ASSERT_EQ(g.blob.cards.size(), 1u);
    EXPECT_EQ(g.blob.origins[0], home(2, 0));
    EXPECT_EQ(g.blob.targets, (std::vector<Loc>{tab(0, 0)}));
    EXPECT_EQ(g.blob.scores, (std::vector<int>{-55}));
    pointer.drop_on(tab(0, 0));
    settle(g);
    EXPECT_EQ(pile_text(g.tableau[0]), "6c 5h");
    EXPECT_EQ(g.pending_score, -55);
    g.undo();
    settle(g);
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(pile_text(g.foundations[2]), "1h 2h 3h 4h 5h");
}

TEST_F(Klondike, APressWhileCardsAreStillCarriedPutsThemBackFirst) {
    CardSprite* seven = lay(g, tab(0), 7, Card::HEARTS);
    lay(g, tab(1), 9, Card::CLUBS);
    ASSERT_TRUE(pointer.press_on(seven));
    ASSERT_TRUE(g.in_drag());
    // The release was lost; the next press lands on another card.
    ASSERT_TRUE(pointer.press_on(g.tableau[1].back()));
    EXPECT_EQ(pile_text(g.tableau[0]), "7h") << "the first card was put back, not lost";
    ASSERT_EQ(g.blob.cards.size(), 1u);
    EXPECT_EQ(g.blob.cards[0]->no(), 9);
    g.undrag();
    settle(g);
    EXPECT_EQ(pile_text(g.tableau[1]), "9c");
}

TEST_F(Klondike, DroppingTurnsUpTheExposedCardAndUndoTurnsItDownAgain) {
    CardSprite* hidden = lay(g, tab(0), 4, Card::SPADES, false);
    CardSprite* five = lay(g, tab(0), 5, Card::HEARTS);
    lay(g, tab(1), 6, Card::CLUBS);
    ASSERT_TRUE(pointer.move(five, tab(1, 0)));
    EXPECT_TRUE(hidden->face_up);
    EXPECT_EQ(pile_text(g.tableau[1]), "6c 5h");
    g.undo();
    settle(g);
    EXPECT_FALSE(hidden->face_up);
    EXPECT_EQ(pile_text(g.tableau[0]), "4s 5h");
}

TEST_F(Klondike, TheAutomaticFinishWaitsForAPlainTableAndPlaysTheLowestCardFirst) {
    for (unsigned short n = 1; n <= 10; ++n) {
        lay(g, home(0), n, Card::CLUBS);
        lay(g, home(1), n, Card::DIAMONDS);
    }
    for (unsigned short n = 1; n <= 11; ++n) lay(g, home(2), n, Card::HEARTS);
    for (unsigned short n = 1; n <= 12; ++n) lay(g, home(3), n, Card::SPADES);
    lay(g, tab(2), 13, Card::CLUBS);
    lay(g, tab(2), 12, Card::DIAMONDS);
    lay(g, tab(2), 11, Card::CLUBS);
    lay(g, tab(4), 13, Card::DIAMONDS);
    lay(g, tab(4), 12, Card::CLUBS);
    CardSprite* down = lay(g, tab(5), 13, Card::HEARTS, false);
    lay(g, tab(6), 13, Card::SPADES);
    EXPECT_FALSE(g.may_auto_complete()) << "a face-down card";
    down->set_face_up(true);
    EXPECT_TRUE(g.may_auto_complete());
    lay(g, Loc(Loc::STOCK, 0, 0), 1, Card::CLUBS, false);
    EXPECT_FALSE(g.may_auto_complete()) << "a card in the stock";
    tableau_test::clear_table(g);
    EXPECT_FALSE(g.may_auto_complete()) << "nothing left";

    lay(g, tab(0), 13, Card::CLUBS);
    lay(g, tab(0), 13, Card::HEARTS);
    EXPECT_FALSE(g.may_auto_complete()) << "two of a colour on each other";
    tableau_test::clear_table(g);

    for (unsigned short n = 1; n <= 11; ++n) {
        lay(g, home(0), n, Card::CLUBS);
        lay(g, home(1), n, Card::DIAMONDS);
        lay(g, home(2), n, Card::HEARTS);
        lay(g, home(3), n, Card::SPADES);
    }
    lay(g, tab(1), 13, Card::HEARTS);
    lay(g, tab(1), 12, Card::SPADES);
    lay(g, tab(3), 13, Card::SPADES);
    lay(g, tab(3), 12, Card::HEARTS);
    lay(g, tab(5), 13, Card::CLUBS);
    lay(g, tab(5), 12, Card::DIAMONDS);
    lay(g, tab(6), 13, Card::DIAMONDS);
    lay(g, tab(6), 12, Card::CLUBS);
    std::string order;
    int score = 0;
    ASSERT_TRUE(g.may_auto_complete());
    for (unsigned now = 16; !g.is_won() && now < 100000; now += 16) {
        std::vector<CardSprite*> tops;
        for (Deck const& d : g.tableau) tops.push_back(d.empty() ? nullptr : d.back());
        g.tick(now, 16);
        for (unsigned p = 0; p < 7; ++p) {
            if (tops[p] && (g.tableau[p].empty() || g.tableau[p].back() != tops[p])) {
                EXPECT_TRUE(g.has_animation()) << "each card flies home";
                Deck one;
                one.push_back(tops[p]);
                order += pile_text(one) + " ";
            }
        }
        score += g.pending_score;
        g.pending_score = 0;
        g.moves += g.pending_moves;
        g.pending_moves = 0;
    }
    EXPECT_EQ(order, "12s 12h 12d 12c 13h 13s 13c 13d ");
    EXPECT_EQ(score, 11 * 4 * (12 + 13));
    EXPECT_EQ(g.moves, 0) << "the automatic finish counts no moves";
    EXPECT_TRUE(g.undo_stack.empty()) << "and records nothing";
}

TEST_F(Klondike, TheNearWinLeavesTheQueensAndKingsOnFourPilesAndNoUndo) {
    std::srand(3);
    g.deal();
    settle(g);
    g.deal_from_stock();
    settle(g);
    ASSERT_TRUE(pointer.press_on(g.tableau[6].back()));
    g.cheat_near_win();
    EXPECT_FALSE(g.in_drag());
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_TRUE(g.stock.empty() && g.waste.empty());
    EXPECT_EQ(pile_text(g.foundations[2]), "1h 2h 3h 4h 5h 6h 7h 8h 9h 10h 11h");
    EXPECT_EQ(pile_text(g.tableau[0]), "13c 12c");
    EXPECT_EQ(pile_text(g.tableau[3]), "13s 12s");
    EXPECT_TRUE(g.tableau[4].empty());
    EXPECT_FALSE(g.has_animation());
    EXPECT_FALSE(g.may_auto_complete()) << "the Queens wait for the player";
    for (unsigned p = 0; p < 4; ++p)
        for (unsigned i = 0; i < 2; ++i) EXPECT_EQ(g.tableau[p][i]->pos(), g.pos_of(tab(p, i)));
    EXPECT_TRUE(pointer.move(g.tableau[1].back(), home(1, 10)));
    for (unsigned p : {0u, 2u, 3u}) pointer.double_click(g.tableau[p].back());
    EXPECT_TRUE(g.is_won()) << "the automatic finish plays the Kings";
}

TEST_F(Klondike, OptionsMapFromThePopupOrderAndSaveInTheFileOrder) {
    g.notify_options_changed({true, false, true});
    EXPECT_TRUE(KlondikeRules::opt_may_pluck_from_foundation);
    EXPECT_FALSE(KlondikeRules::opt_flip_1);
    EXPECT_TRUE(KlondikeRules::opt_unlimited_redeals);
    EXPECT_EQ(tableau_test::option_bytes(Player::KLONDIKE), "011000");
    std::unique_ptr<SolitaireRules> made(SolitaireRules::create(Player::KLONDIKE));
    EXPECT_NE(dynamic_cast<KlondikeRules*>(made.get()), nullptr);
    EXPECT_EQ(g.namecode(), "klondike");
}

}  // namespace
