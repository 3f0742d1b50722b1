#include <gtest/gtest.h>

#include "rules_support.h"
#include "sprite_effectors.h"
#include "undo.h"

namespace {

using rules_test::pile_text;
using rules_test::TestGame;

// Notes the piles as they stand when undo reaches it.
class NoteSpecial : public UndoSpecial {
public:
    NoteSpecial(TestGame& g, std::string& note) : g_(g), note_(note) {}
    void operator()() override { note_ = "T2: " + pile_text(g_.tableau[2]) + ", F0: " + pile_text(g_.foundations[0]); }

private:
    TestGame& g_;
    std::string& note_;
};

class RulesUndo : public ::testing::Test {
protected:
    void SetUp() override { rules_test::install_card_images(); }

    // Picks up at (x, y) and drops at (dx, dy).
    void drag_and_drop(int x, int y, int dx, int dy) {
        in.input.mouse = {x, y};
        in.input.now += 1000;
        ASSERT_TRUE(g.on_mouse_down(x, y));
        g.on_mouse_motion({dx, dy}, {dx - x, dy - y}, false);
        ASSERT_TRUE(g.on_mouse_up(dx, dy));
        ASSERT_FALSE(g.in_drag());
    }

    rules_test::ScopedInput in;
    TestGame g;
};

TEST_F(RulesUndo, NothingIsRecordedOutsideASequence) {
    g.deal();
    rules_test::run_animations(g);
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_FALSE(g.may_undo());
    g.report_score(5);
    EXPECT_EQ(g.pending_score, 5);
    g.undo();  // empty: nothing
    EXPECT_EQ(g.pending_score, 5);
    EXPECT_EQ(g.pending_moves, 0);
}

TEST_F(RulesUndo, AThreeCardDropComesBackInItsOrderAfterTheTurnedCard) {
    CardSprite* hidden = g.put(Loc(Loc::TABLEAU, 0, 0), 5, Card::SPADES, false);
    g.put(Loc(Loc::TABLEAU, 0, 0), 10, Card::HEARTS);
    g.put(Loc(Loc::TABLEAU, 0, 0), 9, Card::SPADES);
    g.put(Loc(Loc::TABLEAU, 0, 0), 8, Card::HEARTS);
    g.put(Loc(Loc::TABLEAU, 1, 0), 11, Card::CLUBS);
    drag_and_drop(120, 340, 320, 340);
    EXPECT_EQ(pile_text(g.tableau[1]), "11c 10h 9s 8h");
    rules_test::run_animations(g);
    EXPECT_TRUE(hidden->face_up);

    ASSERT_EQ(g.undo_stack.size(), 1u);
    std::vector<UndoStep*> const& steps = g.undo_stack[0]->steps;
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[0]->op, UndoStep::CHUNK_START);
    EXPECT_EQ(*steps[1], UndoStep(Loc(Loc::TABLEAU, 0, 1), Loc(Loc::TABLEAU, 1, 1), UndoStep::MOVE));
    EXPECT_EQ(*steps[3], UndoStep(Loc(Loc::TABLEAU, 0, 3), Loc(Loc::TABLEAU, 1, 3), UndoStep::MOVE));
    EXPECT_EQ(steps[4]->op, UndoStep::CHUNK_END);
    EXPECT_EQ(*steps[5], UndoStep(Loc(Loc::TABLEAU, 0, 0), Loc(Loc::TABLEAU, 0, 0), UndoStep::FLIP));

    g.undo();
    // The turn comes first, the cards follow one step later each.
    ASSERT_EQ(hidden->effectors().size(), 1u);
    auto const* turn = dynamic_cast<ChainedEffector const*>(hidden->effectors().front());
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(dynamic_cast<NullEffector const*>(turn->members().front()), nullptr);
    auto const* first_back = dynamic_cast<ChainedEffector const*>(g.tableau[0][1]->effectors().front());
    ASSERT_NE(first_back, nullptr);
    auto const* wait = dynamic_cast<NullEffector const*>(first_back->members().front());
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->duration, 20u);

    EXPECT_EQ(pile_text(g.tableau[0]), "5s 10h 9s 8h");
    EXPECT_EQ(pile_text(g.tableau[1]), "11c");
    rules_test::run_animations(g);
    EXPECT_FALSE(hidden->face_up);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.tableau[0][static_cast<size_t>(i)]->pos(), E2::Vec2<int>(100, 300 + 30 * i));
    // Drop and undo: two moves.
    EXPECT_EQ(g.pending_moves, 2);
    EXPECT_FALSE(g.may_undo());
    EXPECT_TRUE(g.undo_stack.empty());
}

TEST_F(RulesUndo, FoundationScoresAreTakenBackAndGivenBack) {
    CardSprite five(5, Card::HEARTS), king(13, Card::SPADES);
    Loc t(Loc::TABLEAU, 0, 0), f(Loc::FOUNDATION, 0, 0);
    EXPECT_EQ(g.score_if_dropped(five, t, f), 55);
    EXPECT_EQ(g.score_if_dropped(king, t, f), 143);
    EXPECT_EQ(g.score_if_dropped(five, f, t), -55);
    EXPECT_EQ(g.score_if_dropped(five, f, Loc(Loc::FOUNDATION, 1, 0)), 55);
    EXPECT_EQ(g.score_if_dropped(five, t, Loc(Loc::CELLS, 0, 0)), 0);

    g.put(Loc(Loc::FOUNDATION, 0, 0), 5, Card::HEARTS);
    g.put(Loc(Loc::TABLEAU, 1, 0), 6, Card::CLUBS);
    drag_and_drop(620, 70, 320, 340);  // plucked off the foundation
    EXPECT_EQ(pile_text(g.tableau[1]), "6c 5h");
    EXPECT_EQ(g.pending_score, -55);
    g.undo();
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(pile_text(g.foundations[0]), "5h");
    EXPECT_TRUE(g.tableau[1].size() == 1);

    // An Ace dropped on a foundation and taken back.
    g.pending_score = 0;
    g.put(Loc(Loc::TABLEAU, 2, 0), 1, Card::DIAMONDS);
    drag_and_drop(520, 320, 790, 120);
    EXPECT_EQ(g.pending_score, 11);
    g.undo();
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(pile_text(g.tableau[2]), "1d");
}

TEST_F(RulesUndo, AnEntryOfSeveralChunksAndASpecialStepUndoesBackwards) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 9, Card::CLUBS);
    CardSprite* b = g.put(Loc(Loc::TABLEAU, 0, 0), 8, Card::HEARTS);
    CardSprite* c = g.put(Loc(Loc::TABLEAU, 2, 0), 1, Card::SPADES);
    g.put(Loc(Loc::TABLEAU, 1, 0), 10, Card::HEARTS);
    std::string note;

    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.initiate_move_sequence();
    g.initiate_chunk();
    for (CardSprite* card : {a, b}) {
        Loc from(Loc::TABLEAU, 0, card == a ? 0 : 1);
        ASSERT_EQ(g.remove_card_from(Loc(Loc::TABLEAU, 0, 0)), card);
        g.move_to(card, from, Loc(Loc::TABLEAU, 1, 0), false);
    }
    g.finalize_chunk();
    g.initiate_chunk();
    ASSERT_EQ(g.remove_card_from(Loc(Loc::TABLEAU, 2, 0)), c);
    g.move_to(c, Loc(Loc::TABLEAU, 2, 0), Loc(Loc::FOUNDATION, 0, 0), false);
    g.report_score(11);
    g.finalize_chunk();
    g.undo_stack.back()->add_special(new NoteSpecial(g, note));
    g.finalize_move_sequence();
    g.report_score(100);  // outside the sequence: not part of the entry
    EXPECT_EQ(g.undo_stack.back()->score, 11);
    rules_test::run_animations(g);
    EXPECT_EQ(pile_text(g.tableau[1]), "10h 9c 8h");

    g.undo();
    EXPECT_EQ(note, "T2: , F0: 1s");
    EXPECT_EQ(pile_text(g.tableau[0]), "9c 8h");
    EXPECT_EQ(pile_text(g.tableau[1]), "10h");
    EXPECT_EQ(pile_text(g.tableau[2]), "1s");
    EXPECT_TRUE(g.foundations[0].empty());
    EXPECT_EQ(g.pending_score, 100);
    rules_test::run_animations(g);
    EXPECT_EQ(b->pos(), E2::Vec2<int>(100, 330));
    EXPECT_EQ(c->pos(), E2::Vec2<int>(500, 300));
}

TEST_F(RulesUndo, ARecordedStepWhoseCardIsGoneIsSkipped) {
    g.put(Loc(Loc::TABLEAU, 0, 0), 2, Card::CLUBS);
    g.initiate_move_sequence();
    g.report_move_step(Loc(Loc::TABLEAU, 1, 0), Loc(Loc::TABLEAU, 2, 4));
    g.report_flip_step(Loc(Loc::FOUNDATION, 1, 7));
    g.initiate_chunk();
    g.report_move_step(Loc(Loc::TABLEAU, 1, 0), Loc(Loc::TABLEAU, 2, 5));
    g.finalize_chunk();
    g.finalize_move_sequence();
    g.undo();
    EXPECT_EQ(pile_text(g.tableau[0]), "2c");
    EXPECT_TRUE(g.tableau[1].empty());
    EXPECT_EQ(g.pending_moves, 1);
}

}  // namespace
