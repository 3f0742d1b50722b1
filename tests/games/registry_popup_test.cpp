#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "options_popup.h"
#include "rule_options.h"
#include "rules_support.h"
#include "shell/events.h"
#include "surf.h"

namespace {

using rules_test::ScopedCreator;
using rules_test::TestCreator;
using rules_test::TestGame;

std::string saved_options() {
    FILE* f = std::tmpfile();
    SolitaireRules::save_options(f);
    std::string out(static_cast<size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    EXPECT_EQ(std::fread(&out[0], 1, out.size(), f), out.size());
    std::fclose(f);
    return out;
}

void read_options(std::string const& bytes) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    SolitaireRules::read_options(f);
    std::fclose(f);
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = SolitaireRules::Creator::get_registry();
        reset_rule_options();
    }
    void TearDown() override {
        SolitaireRules::Creator::get_registry() = saved_;
        reset_rule_options();
    }

private:
    SolitaireRules::Creator::Registry saved_;
};

TEST_F(Registry, CreatesThroughTheCreatorOfTheTypeOrGivesNull) {
    SolitaireRules::Creator::get_registry().clear();
    EXPECT_EQ(SolitaireRules::create(Player::YUKON), nullptr);
    EXPECT_EQ(SolitaireRules::Creator::register_creator(nullptr), -1);

    TestCreator first(Player::YUKON), second(Player::YUKON);
    EXPECT_EQ(SolitaireRules::Creator::register_creator(&first), 0);
    EXPECT_EQ(SolitaireRules::Creator::register_creator(&second), 0);  // replaces
    std::unique_ptr<SolitaireRules> r(SolitaireRules::create(Player::YUKON));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->namecode(), "testgame");
    EXPECT_EQ(first.created, 0);
    EXPECT_EQ(second.created, 1);
    EXPECT_EQ(SolitaireRules::create(Player::GOLF), nullptr);
}

TEST_F(Registry, TheOptionSectionIsWholeWithOrWithoutCreators) {
    SolitaireRules::Creator::get_registry().clear();
    std::string const defaults("\0\0\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\1\0\0\0" "\0\0\0\0" "\0\1\0\0\0", 28);
    EXPECT_EQ(saved_options(), defaults);
    TestCreator spider(Player::SPIDER);
    ScopedCreator scope(&spider);
    SpiderOptions::opt_two_suits = true;
    std::string bytes = saved_options();
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(bytes[10], 1);
}

TEST_F(Registry, AppliedKlondikeBoxesOnOffOnAreSavedAsZeroOneOne) {
    TestCreator creator(Player::KLONDIKE);
    ScopedCreator scope(&creator);
    TestGame g;
    // Klondike's boxes: pluck from foundation, draw one, unlimited redeals.
    g.options = {false, true, false};
    g.store_options = [](std::vector<bool> const& v) {
        KlondikeOptions::opt_may_pluck_from_foundation = v.at(0);
        KlondikeOptions::opt_flip_1 = v.at(1);
        KlondikeOptions::opt_unlimited_redeals = v.at(2);
    };
    std::unique_ptr<SolitaireRules::OptionsPopup> p(g.options_popup());
    p->show();
    p->tick(0, 600);
    for (int box : {0, 1, 2}) {
        // Beside the box, inside its area.
        int const y = SolitaireRules::OptionsPopup::box_pos(static_cast<unsigned>(box)).y + 20;
        SDL_Event e = test::mouse_button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 500, y);
        EXPECT_TRUE(p->proc_event(&e));
    }
    p->finish(true);
    ASSERT_EQ(g.notified.size(), 1u);
    EXPECT_EQ(g.notified[0], (std::vector<bool>{true, false, true}));
    std::string bytes = saved_options();
    EXPECT_EQ(bytes.size(), 28u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\0\1\1\0\0\0", 6));
}

TEST_F(Registry, AFileEndingAfterSpiderKeepsTriPeaksAndGolf) {
    TestCreator tripeaks(Player::TRIPEAKS);
    ScopedCreator scope(&tripeaks);  // one registered, the rest by their sections
    TriPeaksOptions::opt_may_turn_corner = true;
    TriPeaksOptions::opt_single_click_activation = false;
    GolfOptions::opt_single_click_activation = true;
    KlondikeOptions::opt_flip_1 = true;
    read_options(std::string("\0\0\1\0\0\0" "\1\0\0\0" "\1\0\0\0", 14));
    EXPECT_FALSE(KlondikeOptions::opt_flip_1);
    EXPECT_TRUE(KlondikeOptions::opt_may_pluck_from_foundation);
    EXPECT_TRUE(FreeCellOptions::opt_may_pluck_from_foundation);
    EXPECT_TRUE(SpiderOptions::opt_two_suits);
    EXPECT_TRUE(TriPeaksOptions::opt_may_turn_corner);
    EXPECT_FALSE(TriPeaksOptions::opt_single_click_activation);
    EXPECT_TRUE(GolfOptions::opt_single_click_activation);
    // Yukon lacks its byte: a short read clears it.
    YukonOptions::opt_may_pluck_from_foundation = true;
    read_options(std::string("\0\0\0\0\0\0" "\0\0\0\0" "\0\0\0\0", 14));
    EXPECT_FALSE(YukonOptions::opt_may_pluck_from_foundation);
}

class OptionsPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.options = {true, false};
        popup.reset(g.options_popup());
    }

    static SDL_Event press_at(int x, int y, Uint8 type = SDL_MOUSEBUTTONDOWN) {
        return test::mouse_button(type, SDL_BUTTON_LEFT, x, y);
    }
    bool send(SDL_Event e) { return popup->proc_event(&e); }
    // A press on box i.
    bool toggle(unsigned i) {
        E2::Vec2<int> p = SolitaireRules::OptionsPopup::box_pos(i);
        return send(press_at(p.x, p.y));
    }

    TestGame g;
    std::unique_ptr<SolitaireRules::OptionsPopup> popup;
};

TEST_F(OptionsPopupTest, BoxesStartAtTheOptionsInTheirPlaces) {
    ASSERT_EQ(popup->checkboxes.size(), 2u);
    EXPECT_TRUE(popup->checkboxes[0]->is_checked());
    EXPECT_FALSE(popup->checkboxes[1]->is_checked());
    EXPECT_EQ(popup->checkboxes[1]->pos(), E2::Vec2<int>(201, 341));
    EXPECT_EQ(popup->checkboxes[1]->hit_region(), E2::Rect<int>(197, 337, 600, 45));
    EXPECT_EQ(SolitaireRules::OptionsPopup::box_pos(2), E2::Vec2<int>(201, 414));
    EXPECT_EQ(popup->get_bg(), &popup->bg);
}

TEST_F(OptionsPopupTest, NothingIsTakenInTheFirst500Ms) {
    EXPECT_FALSE(toggle(1)) << "hidden";
    popup->show();
    popup->tick(0, 500);
    EXPECT_FALSE(toggle(1));
    EXPECT_FALSE(send(test::key_down(SDLK_RETURN)));
    EXPECT_TRUE(popup->shown);
    EXPECT_FALSE(popup->checkboxes[1]->is_checked());
    popup->tick(0, 1);
    EXPECT_TRUE(toggle(1));
    EXPECT_TRUE(popup->checkboxes[1]->is_checked());
    EXPECT_TRUE(send(test::key_down(SDLK_RETURN)));
    EXPECT_FALSE(popup->shown);
    EXPECT_TRUE(popup->result);
    ASSERT_EQ(g.notified.size(), 1u);
    EXPECT_EQ(g.options, (std::vector<bool>{true, true}));
}

TEST_F(OptionsPopupTest, CancellingOrEscapeChangesNothing) {
    popup->show();
    popup->tick(0, 501);
    EXPECT_TRUE(toggle(0));
    EXPECT_TRUE(send(test::key_down(SDLK_ESCAPE)));
    EXPECT_FALSE(popup->shown);
    EXPECT_FALSE(popup->result);
    EXPECT_TRUE(g.notified.empty());
    EXPECT_EQ(g.options, (std::vector<bool>{true, false}));

    // The cancel button.
    popup.reset(g.options_popup());
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu);
    Surf button("button", s);
    button.set_world_wh({200, 60});
    popup->bcancel.set_images(&button, &button, &button);
    popup->bcancel.set_state(ButtonSprite::normal);
    popup->bcancel.set_pos(SolitaireRules::OptionsPopup::cancel_pos());
    popup->bcancel.register_listener(popup.get());
    popup->show();
    popup->tick(0, 501);
    EXPECT_TRUE(toggle(1));
    EXPECT_TRUE(send(press_at(181, 483)));
    EXPECT_TRUE(send(press_at(181, 483, SDL_MOUSEBUTTONUP)));
    EXPECT_FALSE(popup->shown);
    EXPECT_TRUE(g.notified.empty());
    popup.reset();  // before the image goes
}

}  // namespace
