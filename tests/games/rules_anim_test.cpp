#include <gtest/gtest.h>

#include <algorithm>

#include "blit_job_manager.h"
#include "card_effectors.h"
#include "rules_support.h"
#include "sprite_effectors.h"

namespace {

using rules_test::TestGame;

// The members of the one chain on a card.
std::list<SpriteEffector*> const& chain_of(CardSprite const* c) {
    static std::list<SpriteEffector*> const none;
    if (c->effectors().size() != 1) return none;
    auto const* chain = dynamic_cast<ChainedEffector const*>(c->effectors().front());
    return chain ? chain->members() : none;
}

template <typename T>
T const* member(CardSprite const* c, size_t i) {
    auto const& m = chain_of(c);
    if (i >= m.size()) return nullptr;
    return dynamic_cast<T const*>(*std::next(m.begin(), static_cast<long>(i)));
}

class RulesAnim : public ::testing::Test {
protected:
    void SetUp() override {
        rules_test::install_card_images();
        bjmgr.reset({1024, 768}, 8);
        bjmgr.flip();
    }
    void TearDown() override { bjmgr.clear(); }
    TestGame g;
};

TEST(AnimProfile, UnknownStylesDoNotWaitOrMove) {
    AnimProfile p(AnimProfile::Style(8), 70, 0);
    ++p;
    EXPECT_EQ(p.start, 70u);
    EXPECT_EQ(p.end, 70u);
}

TEST_F(RulesAnim, ABatchStaggersItsMoves) {
    CardSprite* c[3];
    for (int i = 0; i < 3; ++i) c[i] = g.put(Loc(Loc::TABLEAU, 0, 0), static_cast<unsigned short>(3 - i), Card::CLUBS);
    for (int i = 0; i < 3; ++i) g.remove_card_from(Loc(Loc::TABLEAU, 0, 0));
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    for (int i = 0; i < 3; ++i) g.move_to(c[i], Loc(Loc::TABLEAU, 0, i), Loc(Loc::TABLEAU, 1, 0), true);

    // Starts 0, 40, 80 ms, each lasting 150: ends 150, 190, 230.
    EXPECT_EQ(chain_of(c[0]).size(), 2u);
    EXPECT_EQ(member<NullEffector>(c[0], 0), nullptr);
    ASSERT_NE(member<MoveToEffector>(c[0], 0), nullptr);
    EXPECT_EQ(member<MoveToEffector>(c[0], 0)->duration, 150u);
    EXPECT_EQ(member<MoveToEffector>(c[0], 0)->target, E2::Vec2<int>(300, 300));
    for (int i = 1; i < 3; ++i) {
        ASSERT_NE(member<NullEffector>(c[i], 0), nullptr);
        EXPECT_EQ(member<NullEffector>(c[i], 0)->duration, 40u * static_cast<unsigned>(i));
        ASSERT_NE(member<MoveToEffector>(c[i], 1), nullptr);
        EXPECT_EQ(member<MoveToEffector>(c[i], 1)->duration, 150u);
        EXPECT_EQ(member<MoveToEffector>(c[i], 1)->target, E2::Vec2<int>(300, 300 + 30 * i));
        // The flip sound plays on arrival.
        EXPECT_NE(member<CardFlipSoundEffector>(c[i], 2), nullptr);
    }
    EXPECT_EQ(g.anim.end, 230u);
    EXPECT_EQ(g.anim.start, 120u);
}

TEST_F(RulesAnim, InstantStyleAndCardsAlreadyInPlaceGetNoEffector) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::HEARTS, false);
    g.remove_card_from(Loc(Loc::TABLEAU, 0, 0));
    g.anim = AnimProfile();
    g.move_to(a, Loc(Loc::TABLEAU, 0, 0), Loc(Loc::FOUNDATION, 1, 0), true);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(750, 50));
    g.flip_at(a, Loc(Loc::FOUNDATION, 1, 0), true);
    EXPECT_TRUE(a->face_up);
    EXPECT_EQ(a->surface, a->face);
    EXPECT_FALSE(g.has_animation());

    // At its target already: no move and no flip sound, whatever the style.
    g.remove_card_from(Loc(Loc::FOUNDATION, 1, 0));
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.move_to(a, Loc(Loc::FOUNDATION, 1, 0), Loc(Loc::FOUNDATION, 1, 0), true);
    EXPECT_TRUE(a->effectors().empty());
    EXPECT_FALSE(g.has_animation());
    EXPECT_EQ(g.anim.start, 40u);  // the batch still advances

    // A turn with a style waits its turn and has no duration of its own.
    g.flip_at(a, Loc(Loc::FOUNDATION, 1, 0), true);
    ASSERT_NE(member<NullEffector>(a, 0), nullptr);
    EXPECT_EQ(member<NullEffector>(a, 0)->duration, 40u);
    EXPECT_NE(member<CardFlipSoundEffector>(a, 1), nullptr);
    EXPECT_NE(member<CardFlipEffector>(a, 2), nullptr);
    EXPECT_TRUE(a->face_up);
    rules_test::run_animations(g);
    EXPECT_FALSE(a->face_up);
}

TEST_F(RulesAnim, ANewMoveReplacesAPendingOne) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::HEARTS);
    g.remove_card_from(Loc(Loc::TABLEAU, 0, 0));  // in no pile: the tick's layout leaves it alone
    g.anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    g.animate_to(a, {900, 700}, false);  // 200 ms
    g.anim = AnimProfile(AnimProfile::UNDRAG, 0, 0);
    g.animate_to(a, {100, 300}, false);  // 100 ms; the card stands there already
    g.animate_to(a, {400, 400}, false);
    rules_test::run_animations(g);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(400, 400));

    // A pending turn is not a move: it stays.
    g.anim = AnimProfile(AnimProfile::UNDRAG, 0, 0);
    g.flip_at(a, Loc(Loc::TABLEAU, 0, 0), false);
    g.animate_to(a, {100, 300}, false);
    rules_test::run_animations(g);
    EXPECT_FALSE(a->face_up);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(100, 300));
}

TEST_F(RulesAnim, RepositionsOnceOnTheTickAfterTheLastEffectorFinished) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::HEARTS);
    CardSprite* b = g.put(Loc(Loc::TABLEAU, 2, 0), 2, Card::HEARTS);
    g.remove_card_from(Loc(Loc::TABLEAU, 0, 0));
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.move_to(a, Loc(Loc::TABLEAU, 0, 0), Loc(Loc::TABLEAU, 1, 0), false);
    b->set_pos(10, 10);  // knocked out of place during the batch

    unsigned now = 0;
    int ticks = 0;
    while (!(a->effectors().size() == 1 && a->effectors().front()->is_done()) && ticks < 100) {
        g.tick(now += 10, 10);
        ++ticks;
    }
    ASSERT_LT(ticks, 100);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(300, 300));
    // The finished chain leaves the list on the next tick only.
    EXPECT_TRUE(g.has_animation());
    EXPECT_EQ(g.repositions, 0);
    g.tick(now += 10, 10);
    EXPECT_EQ(g.repositions, 1);
    EXPECT_TRUE(a->effectors().empty());
    EXPECT_FALSE(b->effectors().empty());  // sent back to its place, at once
    EXPECT_EQ(member<NullEffector>(b, 0), nullptr);

    rules_test::run_animations(g);
    EXPECT_EQ(b->pos(), E2::Vec2<int>(500, 300));
    EXPECT_EQ(g.repositions, 2);  // b's own move ended a batch too
    for (int i = 0; i < 5; ++i) g.tick(now += 10, 10);
    EXPECT_EQ(g.repositions, 2);
}

TEST_F(RulesAnim, CarriedCardsAboveRestingOnesAndMovingCardsAboveAll) {
    rules_test::ScopedInput in;
    CardSprite* moving = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::CLUBS);
    CardSprite* resting = g.put(Loc(Loc::TABLEAU, 2, 0), 2, Card::CLUBS);
    CardSprite* carried = g.put(Loc(Loc::TABLEAU, 1, 0), 3, Card::CLUBS);
    CardSprite* stock = g.put(Loc(Loc::STOCK, 0, 0), 4, Card::CLUBS);
    CardSprite* founded = g.put(Loc(Loc::FOUNDATION, 0, 0), 5, Card::CLUBS);
    in.input.mouse = {320, 320};
    ASSERT_TRUE(g.on_mouse_down(320, 320));
    ASSERT_EQ(g.blob.cards.size(), 1u);
    EXPECT_EQ(g.blob.cards[0], carried);
    EXPECT_TRUE(carried->glow);
    g.anim = AnimProfile(AnimProfile::DROP, 0, 0);
    g.animate_to(moving, {900, 600}, false);

    g.display_cards(nullptr);
    std::vector<Surf const*> order;
    for (BlitJob const* j : bjmgr.jobs()) order.push_back(j->surface);
    auto at = [&order](Surf const* s) { return std::find(order.begin(), order.end(), s) - order.begin(); };
    EXPECT_LT(at(stock->face), at(resting->face));
    EXPECT_LT(at(resting->face), at(founded->face));
    EXPECT_LT(at(founded->face), at(carried->face));
    EXPECT_LT(at(carried->face), at(moving->face));
    EXPECT_EQ(at(moving->face), static_cast<long>(order.size()) - 1);
    EXPECT_EQ(order.size(), 6u);  // five cards and the carried card's glow
}

TEST_F(RulesAnim, DrawingStopsAtTheGamesPileCounts) {
    g.put(Loc(Loc::TABLEAU, 2, 0), 1, Card::CLUBS);
    g.tableau.resize(5);  // piles the game does not count
    g.tableau[4].push_back(g.tableau[2].back());
    g.tableau[2].clear();
    g.display_cards(nullptr);
    EXPECT_TRUE(bjmgr.jobs().empty());
    g.tableau[4].clear();
    g.tableau.resize(1);  // fewer piles than the game counts
    g.display_cards(nullptr);
    EXPECT_TRUE(bjmgr.jobs().empty());
}

}  // namespace
