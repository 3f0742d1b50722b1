#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "blit_job_manager.h"
#include "card_effectors.h"
#include "card_sprite.h"
#include "deck.h"
#include "loader.h"
#include "player.h"
#include "rules_support.h"

namespace {

class Cards : public ::testing::Test {
protected:
    void SetUp() override {
        rules_test::install_card_images();
        bjmgr.reset({1024, 768}, 8);
        bjmgr.flip();
        Player::cur()->card_back = 0;
    }
    void TearDown() override {
        bjmgr.clear();
        Player::cur()->card_back = 0;
    }
};

TEST(Card, PacksSuitLowAndNumberHighInOneByte) {
    Card none;
    EXPECT_EQ(none.bits(), 0);
    EXPECT_EQ(none.suit(), 0);
    EXPECT_EQ(none.no(), 0);

    Card q(12, Card::HEARTS);
    EXPECT_EQ(q.bits(), (12 << 4) | 3);
    EXPECT_EQ(q.no(), 12);
    EXPECT_EQ(q.suit(), Card::HEARTS);
    q.no(17);  // only the low four bits stay
    EXPECT_EQ(q.no(), 1);
    EXPECT_EQ(q.suit(), Card::HEARTS);
    q.suit(Card::SPADES);
    EXPECT_EQ(q.no(), 1);

    Card copy(q);
    EXPECT_TRUE(copy == q);
    Card other;
    other = q;
    EXPECT_TRUE(other == q);
    EXPECT_FALSE(other == Card(1, Card::CLUBS));
}

TEST(Card, RedAreDiamondsAndHearts) {
    EXPECT_FALSE(Card(1, Card::CLUBS).is_red());
    EXPECT_TRUE(Card(1, Card::DIAMONDS).is_red());
    EXPECT_TRUE(Card(1, Card::HEARTS).is_red());
    EXPECT_FALSE(Card(1, Card::SPADES).is_red());
    EXPECT_FALSE(Card().is_red());
}

TEST(Card, OrderIsStrictWeakSuitThenNumber) {
    // "Suit lower or number lower" would make each of these lower than the other.
    Card five_clubs(5, Card::CLUBS), three_hearts(3, Card::HEARTS);
    EXPECT_TRUE(five_clubs < three_hearts);
    EXPECT_FALSE(three_hearts < five_clubs);
    EXPECT_FALSE(five_clubs < five_clubs);
    EXPECT_TRUE(Card(2, Card::SPADES) < Card(3, Card::SPADES));

    std::vector<Card> all;
    for (unsigned short no = 13; no >= 1; --no)
        for (unsigned s = Card::SPADES; s >= Card::CLUBS; --s) all.emplace_back(no, static_cast<Card::Suit>(s));
    std::sort(all.begin(), all.end(), Card::Comparator());
    ASSERT_EQ(all.size(), 52u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].suit(), static_cast<Card::Suit>(1 + i / 13));
        EXPECT_EQ(all[i].no(), 1 + i % 13);
    }
    Card const* a = &all[0];
    Card const* b = &all[1];
    EXPECT_TRUE(Card::Comparator()(a, b));
    EXPECT_FALSE(Card::Comparator()(b, a));
}

TEST_F(Cards, ImageKeysAndNames) {
    EXPECT_EQ(CardSprite::face_key(1, Card::CLUBS), 14u);
    EXPECT_EQ(CardSprite::face_key(13, Card::SPADES), 65u);
    EXPECT_EQ(CardSprite::face_name(1, Card::CLUBS), ".i/game/cards/c0.png");
    EXPECT_EQ(CardSprite::face_name(13, Card::SPADES), ".i/game/cards/s12.png");
    EXPECT_EQ(CardSprite::face_name(11, Card::DIAMONDS), ".i/game/cards/d10.png");
    EXPECT_EQ(CardSprite::back_key(15), 82u);
    EXPECT_EQ(CardSprite::back_name(15), ".i/game/cards/back15.png");

    Loader l("cards");
    CardSprite::schedule_surface(&l);
    for (unsigned k = 0; k < 14; ++k) EXPECT_EQ(CardSprite::_surfs[k], nullptr) << k;
    EXPECT_EQ(CardSprite::_surfs[14]->name(), ".i/game/cards/c0.png");
    EXPECT_EQ(CardSprite::_surfs[15]->name(), ".i/game/cards/c1.png");
    EXPECT_EQ(CardSprite::_surfs[27]->name(), ".i/game/cards/d0.png");
    EXPECT_EQ(CardSprite::_surfs[65]->name(), ".i/game/cards/s12.png");
    EXPECT_EQ(CardSprite::_surfs[66]->name(), ".i/game/cards/glow.png");
    EXPECT_EQ(CardSprite::_surfs[67]->name(), ".i/game/cards/back0.png");
    EXPECT_EQ(CardSprite::_surfs[82]->name(), ".i/game/cards/back15.png");
    EXPECT_EQ(l.jobs().size(), 52u + 1u + 16u);
    EXPECT_FALSE(Surf::ok(CardSprite::_surfs[14]));  // scheduled, not loaded
    rules_test::install_card_images();
}

TEST_F(Cards, SpriteKeepsTheBackOfItsBirthAndFollowsItsValue) {
    Player::cur()->card_back = 5;
    CardSprite early(1, Card::HEARTS);
    Player::cur()->card_back = 7;
    CardSprite late(1, Card::HEARTS);
    EXPECT_EQ(early.back, CardSprite::_surfs[CardSprite::back_key(5)]);
    EXPECT_EQ(late.back, CardSprite::_surfs[CardSprite::back_key(7)]);
    early.load();
    EXPECT_EQ(early.back, CardSprite::_surfs[CardSprite::back_key(5)]);

    EXPECT_FALSE(early.face_up);
    EXPECT_EQ(early.surface, early.back);
    EXPECT_EQ(early.glow_surf, CardSprite::_surfs[CardSprite::glow_key]);

    // Through the card base too, a new value fetches the new face.
    Card& base = early;
    base.no(13);
    base.suit(Card::SPADES);
    EXPECT_EQ(early.face, CardSprite::_surfs[65]);
    EXPECT_EQ(early.surface, early.back);

    CardFlipEffector flip(&early);
    flip.tick(0, 10);
    EXPECT_TRUE(flip.is_done());
    EXPECT_TRUE(early.face_up);
    EXPECT_EQ(early.surface, early.face);

    CardFlipSoundEffector sound(&early);
    sound.tick(0, 10);  // no flip sound registered: silent
    EXPECT_TRUE(sound.is_done());
}

TEST_F(Cards, GlowIsDrawnAfterTheCardFourPixelsUpAndLeft) {
    CardSprite c(2, Card::CLUBS);
    c.set_pos(300, 200);
    c.display(nullptr);
    ASSERT_EQ(bjmgr.jobs().size(), 1u);
    EXPECT_EQ(bjmgr.jobs()[0]->surface, c.back);

    bjmgr.flip();
    c.glow = true;
    c.display(nullptr);
    ASSERT_EQ(bjmgr.jobs().size(), 2u);
    EXPECT_EQ(bjmgr.jobs()[0]->surface, c.back);
    BlitJob const& g = *bjmgr.jobs()[1];
    EXPECT_EQ(g.surface, c.glow_surf);
    EXPECT_EQ(g.rect.x, 296);
    EXPECT_EQ(g.rect.y, 196);
    EXPECT_EQ(g.ai, 255);

    bjmgr.flip();
    CardGlowSprite marker;
    marker.set_pos(10, 10);
    marker.display(nullptr);
    EXPECT_TRUE(bjmgr.jobs().empty());
    marker.glow = true;
    marker.display(nullptr);
    ASSERT_EQ(bjmgr.jobs().size(), 1u);
    EXPECT_EQ(bjmgr.jobs()[0]->surface, marker.glow_surf);
}

TEST_F(Cards, StandardDeckByNumberThenSuit) {
    Deck d;
    Deck::append_std_deck52(d);
    ASSERT_EQ(d.size(), 52u);
    EXPECT_GE(d.capacity(), 52u);
    EXPECT_TRUE(*d[0] == Card(1, Card::CLUBS));
    EXPECT_TRUE(*d[1] == Card(1, Card::DIAMONDS));
    EXPECT_TRUE(*d[3] == Card(1, Card::SPADES));
    EXPECT_TRUE(*d[4] == Card(2, Card::CLUBS));
    EXPECT_TRUE(*d[51] == Card(13, Card::SPADES));
    for (CardSprite* c : d) {
        EXPECT_FALSE(c->face_up);
        delete c;
    }
}

TEST_F(Cards, ShuffleIsAPermutationReproducibleBySeed) {
    Deck d;
    Deck::append_std_deck52(d);
    Deck original = d;
    std::srand(1234);
    d.shuffle();
    Deck first = d;
    EXPECT_NE(first, original);
    EXPECT_TRUE(std::is_permutation(first.begin(), first.end(), original.begin()));

    d = original;
    std::srand(1234);
    d.shuffle();
    EXPECT_EQ(d, first);

    Deck empty, one;
    empty.shuffle();
    one.push_back(original[7]);
    one.shuffle();
    EXPECT_TRUE(empty.empty());
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], original[7]);
    for (CardSprite* c : original) delete c;
}

TEST_F(Cards, PushBackIfNotInGivesTheExistingIndex) {
    CardSprite a(1, Card::CLUBS), b(2, Card::CLUBS);
    Deck d;
    EXPECT_EQ(d.push_back_if_not_in(&a), 0u);
    EXPECT_EQ(d.push_back_if_not_in(&b), 1u);
    EXPECT_EQ(d.push_back_if_not_in(&a), 0u);
    EXPECT_EQ(d.size(), 2u);
}

}  // namespace
