// The random-play harness on the framework's small test game, and on versions of it with a
// planted fault, which the harness must report.

#include <gtest/gtest.h>

#include "random_play.h"
#include "rules_support.h"

namespace {

using rules_test::RandomPlayConfig;
using rules_test::random_play;
using rules_test::TestGame;

// Puts a card from the stock on tableau pile 0 as its stock action, recorded (the turn too,
// unless silent_flip).
class StockGame : public TestGame {
public:
    void perform_basic_action() override {
        if (stock.empty()) return;
        anim = AnimProfile(AnimProfile::DEAL, 0, 0);
        initiate_move_sequence();
        CardSprite* c = stock.back();
        Loc from(Loc::STOCK, static_cast<int>(stock.size() - 1), 0);
        stock.pop_back();
        if (silent_flip)
            c->set_face_up(true);
        else
            flip_at(c, from, false);
        move_to(c, from, Loc(Loc::TABLEAU, 0, 0), true);
        finalize_move_sequence();
        pending_moves += 1;
    }
    bool silent_flip = false;
};

// Its undo forgets the bottom card of the stock.
class LosingUndo : public StockGame {
public:
    void undo() override {
        StockGame::undo();
        if (!stock.empty()) stock.erase(stock.begin());
    }
};

// A drop scores once more than it records.
class DoubleScore : public StockGame {
public:
    void drag_drop() override {
        StockGame::drag_drop();
        pending_score += 7;
    }
};

// The stock action turns the card without recording the turn.
class SilentFlip : public StockGame {
public:
    SilentFlip() { silent_flip = true; }
};

class RandomPlay : public ::testing::Test {
protected:
    void SetUp() override { rules_test::install_card_images(); }
};

TEST_F(RandomPlay, ASoundGamePassesAndEveryKindOfActionHappens) {
    int drops = 0, undos = 0, stock = 0, doubles = 0, undrags = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        StockGame g;
        auto r = random_play(&g, seed);
        ASSERT_TRUE(r.ok()) << r.failure;
        drops += r.drops;
        undos += r.undos;
        stock += r.stock_actions;
        doubles += r.double_clicks;
        undrags += r.undrags;
    }
    EXPECT_GT(drops, 100);
    EXPECT_GT(undos, 50);
    EXPECT_GT(stock, 20);
    EXPECT_GT(doubles, 5);
    EXPECT_GT(undrags, 5);
}

TEST_F(RandomPlay, TheSameSeedPlaysTheSameGame) {
    StockGame a, b;
    RandomPlayConfig cfg;
    cfg.undo_to_deal = false;
    auto ra = random_play(&a, 7, cfg);
    auto rb = random_play(&b, 7, cfg);
    ASSERT_TRUE(ra.ok() && rb.ok());
    EXPECT_EQ(ra.drops, rb.drops);
    EXPECT_EQ(ra.undos, rb.undos);
    EXPECT_EQ(ra.score, rb.score);
}

TEST_F(RandomPlay, PlantedFaultsAreReported) {
    {
        LosingUndo g;
        auto r = random_play(&g, 3);
        EXPECT_NE(r.failure.find("cards in places"), std::string::npos) << r.failure;
    }
    {
        DoubleScore g;
        auto r = random_play(&g, 3);
        EXPECT_NE(r.failure.find("the score is"), std::string::npos) << r.failure;
    }
    {
        SilentFlip g;
        auto r = random_play(&g, 3);
        EXPECT_NE(r.failure.find("undo"), std::string::npos) << r.failure;
        EXPECT_NE(r.failure.find("face"), std::string::npos) << r.failure;
    }
    {
        // A face-up card left in the stock breaks the face-up rule.
        StockGame g;
        RandomPlayConfig cfg;
        cfg.setup = [](SolitaireRules& s, unsigned) { s.stock.front()->set_face_up(true); };
        auto r = random_play(&g, 3, cfg);
        EXPECT_NE(r.failure.find("face-up card in the stock"), std::string::npos) << r.failure;
    }
}

}  // namespace
