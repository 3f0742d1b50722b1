// The table overlay and the options popup of TriPeaks and Golf, from loose image files in
// a temporary working folder.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "golf.h"
#include "options_popup.h"
#include "rule_options.h"
#include "rules_support.h"
#include "surf.h"
#include "tripeaks.h"

namespace {

class StockGamesLoad : public rules_test::LooseFiles {
protected:
    void SetUp() override {
        LooseFiles::SetUp();
        rules_test::install_card_images();
        reset_rule_options();
        for (char const* name :
             {".i/game/o/overlay_tripeaks_golf.png", ".i/game/o/overlay_bottombar.png", ".i/game/o/overlay_title_tripeaks.png",
              ".i/game/o/overlay_title_golf.png", ".i/game/popup_tripeaks_options_bg.png", ".i/game/popup_golf_options_bg.png",
              ".i/game/popup_apply_up.png", ".i/game/popup_apply_over.png", ".i/game/popup_apply_down.png",
              ".i/menu/popup_cancel_up.png", ".i/menu/popup_cancel_over.png", ".i/menu/popup_cancel_down.png",
              ".i/menu/checkbox.png"})
            blank(name);
    }
    void TearDown() override {
        reset_rule_options();
        LooseFiles::TearDown();
    }

    // Loading twice keeps one overlay; the popup shows both options and applying sets them.
    static void check(SolitaireRules& g, std::string const& code, bool& corner, bool& single_click) {
        g.load();
        g.load();
        ASSERT_EQ(g.overlays.size(), 1u);
        EXPECT_EQ(g.overlays[0]->surface->name(), ".i/game/o/overlay_tripeaks_golf.png");
        EXPECT_EQ(g.overlays[0]->pos(), E2::Vec2<int>(25, 577));
        EXPECT_EQ(g.title.surface->name(), ".i/game/o/overlay_title_" + code + ".png");

        corner = true;
        single_click = true;
        std::unique_ptr<SolitaireRules::OptionsPopup> p(g.options_popup());
        EXPECT_EQ(p->bg.surface->name(), ".i/game/popup_" + code + "_options_bg.png");
        ASSERT_EQ(p->checkboxes.size(), 2u);
        EXPECT_EQ(p->checkboxes[0]->pos(), E2::Vec2<int>(201, 268));
        EXPECT_EQ(p->checkboxes[1]->pos(), E2::Vec2<int>(201, 341));
        EXPECT_TRUE(p->checkboxes[0]->is_checked());
        EXPECT_TRUE(p->checkboxes[1]->is_checked());
        p->checkboxes[0]->set_checked(false);
        p->show();
        p->tick(0, 501);
        p->on_click(&p->bconfirm);
        EXPECT_FALSE(corner);
        EXPECT_TRUE(single_click);
    }

};

TEST_F(StockGamesLoad, TriPeaks) {
    TriPeaksRules g;
    check(g, "tripeaks", TriPeaksRules::opt_may_turn_corner, TriPeaksRules::opt_single_click_activation);
}

TEST_F(StockGamesLoad, Golf) {
    GolfRules g;
    check(g, "golf", GolfRules::opt_may_turn_corner, GolfRules::opt_single_click_activation);
}

}  // namespace
