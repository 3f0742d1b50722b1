// Image loading of the cards, the table and the options popup, from loose files in a
// temporary working folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "loader.h"
#include "loader_global.h"
#include "options_popup.h"
#include "player.h"
#include "rules_support.h"

namespace {

using rules_test::TestGame;

class RulesLoad : public rules_test::LooseFiles {
protected:
    void TearDown() override {
        rules_test::install_card_images();
        LooseFiles::TearDown();
    }
};

TEST_F(RulesLoad, ACardLoadsItsImagesAtOnceWhenBuilt) {
    Player::cur()->card_back = 3;
    image(CardSprite::face_name(12, Card::DIAMONDS), 99, 144);
    image(CardSprite::glow_name(), 107, 152);
    image(CardSprite::back_name(3), 99, 144);
    Loader l("cards");
    CardSprite::schedule_surface(&l);
    Surf* face = CardSprite::_surfs[CardSprite::face_key(12, Card::DIAMONDS)];
    ASSERT_FALSE(Surf::ok(face));
    {
        CardSprite c(12, Card::DIAMONDS);
        EXPECT_TRUE(Surf::ok(c.face));
        EXPECT_TRUE(Surf::ok(c.back));
        EXPECT_TRUE(Surf::ok(c.glow_surf));
        EXPECT_EQ(c.face, face);
        EXPECT_EQ(c.glow_surf->world_wh(), E2::Vec2<int>(107, 152));
        EXPECT_TRUE(c.is_inside(98, 143));
        EXPECT_FALSE(c.is_inside(99, 143));
    }
    Player::cur()->card_back = 0;
    rules_test::install_card_images();
}

TEST_F(RulesLoad, TheTableTakesTheBottomBarAndTheGamesTitle) {
    blank(".i/game/o/overlay_bottombar.png");
    blank(".i/game/o/overlay_title_testgame.png");
    blank(".i/game/o/overlay_test.png");
    rules_test::install_card_images();
    TestGame g;
    auto* overlay = new Sprite(loader.get_surface_delayed(".i/game/o/overlay_test.png"), {98, 74});
    g.overlays.push_back(overlay);
    g.load();
    EXPECT_EQ(g.bottombar.surface->name(), ".i/game/o/overlay_bottombar.png");
    EXPECT_EQ(g.bottombar.pos(), E2::Vec2<int>(0, 733));
    EXPECT_EQ(g.title.surface->name(), ".i/game/o/overlay_title_testgame.png");
    EXPECT_EQ(g.title.pos(), E2::Vec2<int>(892, 733));
}

TEST_F(RulesLoad, AGamesPopupHasItsBackgroundButtonsAndBoxes) {
    for (char const* name :
         {".i/game/popup_testgame_options_bg.png", ".i/game/popup_apply_up.png", ".i/game/popup_apply_over.png",
          ".i/game/popup_apply_down.png", ".i/menu/popup_cancel_up.png", ".i/menu/popup_cancel_over.png",
          ".i/menu/popup_cancel_down.png", ".i/menu/checkbox.png"})
        blank(name);
    TestGame g;
    std::unique_ptr<SolitaireRules::OptionsPopup> p(SolitaireRules::OptionsPopup::create_for(g, {true, false, true}));
    EXPECT_EQ(p->bg.surface->name(), ".i/game/popup_testgame_options_bg.png");
    EXPECT_EQ(p->bg.pos(), E2::Vec2<int>(120, 162));
    EXPECT_EQ(p->bconfirm.image(ButtonSprite::normal)->name(), ".i/game/popup_apply_up.png");
    EXPECT_EQ(p->bconfirm.image(ButtonSprite::down)->name(), ".i/game/popup_apply_down.png");
    EXPECT_EQ(p->bconfirm.pos(), E2::Vec2<int>(555, 472));
    EXPECT_EQ(p->bcancel.image(ButtonSprite::over)->name(), ".i/menu/popup_cancel_over.png");
    EXPECT_EQ(p->bcancel.pos(), E2::Vec2<int>(171, 473));
    ASSERT_EQ(p->bconfirm.listeners().size(), 1u);
    EXPECT_EQ(p->bconfirm.listeners()[0], p.get());
    ASSERT_EQ(p->checkboxes.size(), 3u);
    int const rows[] = {268, 341, 414};
    for (size_t i = 0; i < 3; ++i) {
        CheckboxSprite const* cb = p->checkboxes[i];
        EXPECT_EQ(cb->pos(), E2::Vec2<int>(201, rows[i]));
        EXPECT_EQ(cb->is_checked(), i != 1);
        EXPECT_EQ(cb->unchecked_image, nullptr);
        EXPECT_EQ(cb->checked_image->name(), ".i/menu/checkbox.png");
    }
    // The confirm button applies.
    p->show();
    p->tick(0, 501);
    p->on_click(&p->bconfirm);
    ASSERT_EQ(g.notified.size(), 1u);
    EXPECT_EQ(g.notified[0], (std::vector<bool>{true, false, true}));
}

}  // namespace
