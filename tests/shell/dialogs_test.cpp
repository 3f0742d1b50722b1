#include <gtest/gtest.h>

#include <memory>

#include "confirm_dialog.h"
#include "continue_dialog.h"
#include "glyph_set.h"
#include "prompt_dialog.h"
#include "support.h"
#include "widget_support.h"

namespace {

using test::take_jobs;

bool send(TDE& d, SDL_Event e) { return d.proc_event(&e); }
SDL_Event key(SDLKey k) { return test::key_down(k); }
SDL_Event press(int x, int y) { return test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, x, y); }
SDL_Event release(int x, int y) { return test::mouse_button(SDL_MOUSEBUTTONUP, 1, x, y); }

class Dialogs : public test::Widgets {
protected:
    std::unique_ptr<Surf> panel = test::solid_surf(784, 444, 0x203040FF);
    std::unique_ptr<Surf> button = test::solid_surf(300, 100, 0x808080FF);
};

// A confirm dialog with the default layout, its buttons set and listened to.
std::unique_ptr<ConfirmDialog> make_confirm(Surf* bg, Surf* b) {
    return std::unique_ptr<ConfirmDialog>(ConfirmDialog::CreateOMatic(
        ConfirmDialog::default_bg_pos(), bg, ConfirmDialog::default_bconfirm_pos_offset(), b, b, b,
        ConfirmDialog::default_bcancel_pos_offset(), b, b, b));
}

TEST_F(Dialogs, ConfirmIgnoresEverythingForItsFirst500Ms) {
    auto d = make_confirm(panel.get(), button.get());
    EXPECT_EQ(d->bconfirm.pos(), E2::Vec2<int>(202, 466));
    EXPECT_EQ(d->bcancel.pos(), E2::Vec2<int>(523, 466));
    EXPECT_FALSE(send(*d, key(SDLK_ESCAPE)));  // hidden
    d->show();
    d->tick(0, 500);
    EXPECT_FALSE(send(*d, key(SDLK_ESCAPE)));
    EXPECT_FALSE(send(*d, press(210, 470)));
    EXPECT_FALSE(send(*d, release(210, 470)));
    EXPECT_TRUE(d->shown);
    d->tick(0, 1);
    EXPECT_TRUE(send(*d, key(SDLK_ESCAPE)));
    EXPECT_FALSE(d->shown);
    EXPECT_FALSE(d->result);
    // Showing again restarts the guard and clears the answer.
    d->show();
    EXPECT_FALSE(send(*d, key(SDLK_SPACE)));
}

TEST_F(Dialogs, ConfirmAnswersByKeyAndButton) {
    auto d = make_confirm(panel.get(), button.get());
    for (SDLKey yes : {SDLK_SPACE, SDLK_RETURN, SDLK_KP_ENTER}) {
        d->show();
        d->tick(0, 501);
        EXPECT_TRUE(send(*d, key(yes)));
        EXPECT_TRUE(d->result) << yes;
        EXPECT_FALSE(d->shown);
    }
    d->show();
    d->tick(0, 600);
    EXPECT_TRUE(send(*d, press(530, 470)));  // cancel
    EXPECT_TRUE(send(*d, release(530, 470)));
    EXPECT_FALSE(d->shown);
    EXPECT_FALSE(d->result);
    d->show();
    d->tick(0, 600);
    send(*d, press(210, 470));
    send(*d, release(210, 470));
    EXPECT_TRUE(d->result);
    // Outside the buttons: the background's answer.
    d->show();
    d->tick(0, 600);
    EXPECT_FALSE(send(*d, press(150, 200)));
    EXPECT_FALSE(send(*d, key(SDLK_a)));
    EXPECT_TRUE(d->shown);
    ButtonSprite stranger;
    EXPECT_FALSE(d->on_click(&stranger));
}

// The options popup closes through its own finish.
class Popup : public ConfirmDialog {
public:
    void finish(bool ok) override {
        ConfirmDialog::finish(ok);
        finished.push_back(ok);
    }
    std::vector<bool> finished;
};

TEST_F(Dialogs, ConfirmFinishIsOverridable) {
    Popup p;
    p.show();
    p.tick(0, 501);
    send(p, key(SDLK_ESCAPE));
    p.show();
    p.tick(0, 501);
    send(p, key(SDLK_RETURN));
    EXPECT_EQ(p.finished, (std::vector<bool>{false, true}));
}

TEST_F(Dialogs, EveryDialogDimsTheScreenFirstAndDrawsOnlyWhileShown) {
    auto d = make_confirm(panel.get(), button.get());
    d->display(nullptr);
    EXPECT_TRUE(take_jobs().empty());
    d->show();
    d->display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_EQ(jobs[0].flags, E2::op_fill | E2::blend_alpha);
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(0, 0, 1024, 768));
    EXPECT_EQ(jobs[0].color.value(), 0x000000FFu);
    EXPECT_EQ(jobs[0].ai, 51);
    EXPECT_EQ(jobs[1].surface, panel.get());
    EXPECT_EQ(jobs[1].rect.x, 120);

    ContinueDialog c;
    c.show();
    c.display(nullptr);
    jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);  // nothing loaded but the dim layer
    EXPECT_EQ(jobs[0].ai, 51);
}

TEST_F(Dialogs, ContinueClosesOnSpaceEnterEscapeAndSwallowsTheRest) {
    ContinueDialog c;
    c.bg.surface = panel.get();
    c.bg.set_pos(120, 162);
    c.bcontinue.set_images(button.get(), button.get(), button.get());
    c.bcontinue.set_pos(362, 466);
    c.load(nullptr);
    EXPECT_FALSE(send(c, key(SDLK_SPACE)));
    for (SDLKey k : {SDLK_SPACE, SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE}) {
        c.show();
        EXPECT_TRUE(send(c, key(k)));  // no guard
        EXPECT_FALSE(c.shown) << k;
    }
    c.show();
    EXPECT_TRUE(send(c, press(10, 10)));  // outside: consumed
    EXPECT_TRUE(send(c, key(SDLK_a)));
    EXPECT_TRUE(c.shown);
    send(c, press(370, 470));
    send(c, release(370, 470));
    EXPECT_FALSE(c.shown);
}

class Prompt : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        p.bok.set_images(button.get(), button.get(), button.get(), button.get());
        p.bok.register_listener(&p);
        p.text.max_length = 14;
    }
    PromptDialog p;
};

TEST_F(Prompt, EnterNeedsTextAndOkFollowsIt) {
    p.show();
    EXPECT_FALSE(p.bok.is_enabled());
    EXPECT_TRUE(send(p, key(SDLK_RETURN)));  // nothing happens
    EXPECT_TRUE(p.shown);
    EXPECT_TRUE(send(p, key(SDLK_SPACE)));  // a leading space is refused
    EXPECT_EQ(p.text.text(), "");
    send(p, key(SDLK_j));
    EXPECT_TRUE(p.bok.is_enabled());
    send(p, key(SDLK_SPACE));
    send(p, key(SDLK_o));
    EXPECT_EQ(p.text.text(), "j o");
    send(p, key(SDLK_BACKSPACE));
    send(p, key(SDLK_BACKSPACE));
    send(p, key(SDLK_BACKSPACE));
    EXPECT_FALSE(p.bok.is_enabled());
    send(p, key(SDLK_k));
    EXPECT_TRUE(send(p, key(SDLK_KP_ENTER)));
    EXPECT_FALSE(p.shown);
    EXPECT_EQ(p.text.text(), "k");
}

TEST_F(Prompt, EscapeKeepsTheTextAndEverythingIsSwallowed) {
    p.show("ann");
    EXPECT_TRUE(p.bok.is_enabled());
    EXPECT_TRUE(send(p, press(5, 5)));
    EXPECT_TRUE(send(p, release(5, 5)));
    EXPECT_TRUE(p.shown);
    EXPECT_TRUE(send(p, key(SDLK_ESCAPE)));
    EXPECT_FALSE(p.shown);
    EXPECT_EQ(p.text.text(), "ann");
    EXPECT_FALSE(send(p, key(SDLK_b)));  // hidden
    // The OK button closes it.
    p.show();
    send(p, press(210, 470));
    send(p, release(210, 470));
    EXPECT_FALSE(p.shown);
}

TEST_F(Prompt, DrawsTextAboveTheBackgroundAndTheCursorBlinks) {
    auto a = test::solid_surf(10, 16, 0xFFFFFFFF);
    auto caret = test::solid_surf(2, 16, 0xFFFFFFFF);
    GlyphSet gs;
    gs.set_glyph('a', a.get());
    p.bg.surface = panel.get();
    p.text.glyphs = &gs;
    p.text.set_pos(300, 300);
    p.text.cursor.surface = caret.get();
    p.show("a");
    p.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 5u);  // dim, background, 'a', cursor, OK
    EXPECT_EQ(jobs[1].surface, panel.get());
    EXPECT_EQ(jobs[2].surface, a.get());
    EXPECT_EQ(jobs[3].surface, caret.get());
    EXPECT_EQ(jobs[4].surface, button.get());
    p.tick(0, 700);
    p.display(nullptr);
    EXPECT_EQ(take_jobs().size(), 4u);
}

}  // namespace
