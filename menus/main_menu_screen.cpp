#include "main_menu_screen.h"

#include <string>

#include "choose_game_screen.h"
#include "enter_name_dialog.h"
#include "event_predicates.h"
#include "glyph_set.h"
#include "loader.h"
#include "play_screen.h"
#include "player.h"
#include "tde_manager.h"
#include "transition.h"

MainMenuScreen mainmenu;

namespace {

void set_menu_button(ButtonSprite& b, Loader* l, std::string const& stem, Surf* glow, int y) {
    std::string const base = ".i/menu/" + stem;
    b.set_images(l->schedule_surface(base + "_up.png"), l->schedule_surface(base + "_over.png"),
                 l->schedule_surface(base + "_down.png"));
    b.glow = glow;
    b.set_pos(313, y);
}

}  // namespace

void MainMenuScreen::load(Loader* l) {
    background.surface = l->schedule_surface(".i/menu/mainmenu_bg.jpg");
    background.set_pos(0, 0);
    Surf* glow = l->schedule_surface(".i/menu/menu_glow.png");
    set_menu_button(bplay, l, "play", glow, 163);
    set_menu_button(boptions, l, "options", glow, 265);
    set_menu_button(bhighscores, l, "highscores", glow, 367);
    set_menu_button(bhowtoplay, l, "help", glow, 469);
    set_menu_button(bquit, l, "quit", glow, 571);
    Surf* change = l->schedule_surface(".i/menu/changeplayer_over.png");
    bchangeplayer.set_images(nullptr, change, change);
    bchangeplayer.set_pos(0, 688);
    for (ButtonSprite* b : {&bplay, &boptions, &bhowtoplay, &bhighscores, &bquit, &bchangeplayer}) {
        b->set_state(ButtonSprite::normal);
        b->register_listener(this);
    }
    welcome.glyphs = &menu_glyphs;
    welcome.align = TextSprite::align_center;
    welcome.set_pos(512, 713);
    quit.load(l);
    entername.load(l);
}

void MainMenuScreen::resync() { welcome.set_text("Welcome, " + Player::cur()->name + "! If this is not you, click here."); }

void MainMenuScreen::tick(unsigned now, unsigned dt) {
    if (quit.shown) quit.tick(now, dt);
    background.tick(now, dt);
    for (ButtonSprite* b : {&bplay, &boptions, &bhowtoplay, &bhighscores, &bquit, &bchangeplayer}) b->tick(now, dt);
    welcome.tick(now, dt);
}

void MainMenuScreen::display(SDL_Surface* s) const {
    background.display(s);
    for (ButtonSprite const* b : {&bplay, &boptions, &bhowtoplay, &bhighscores, &bquit, &bchangeplayer}) b->display(s);
    welcome.display(s);
    quit.display(s);
}

bool MainMenuScreen::proc_event(SDL_Event* e) {
    if (quit.shown) {
        bool const r = quit.proc_event(e);
        if (!quit.shown && quit.result) {
            Player::save_all();
            tde_stack.pop_front();
        }
        return r;
    }
    if (is_quit_escape(e)) return on_click(&bquit);
    for (Sprite* s : std::initializer_list<Sprite*>{&bplay, &boptions, &bhowtoplay, &bhighscores, &bquit, &bchangeplayer,
                                                   &background})
        if (s->proc_event(e)) return true;
    return false;
}

bool MainMenuScreen::on_click(ButtonSprite* b) {
    auto follow = [](std::function<void()> const& hook) {
        if (hook) hook();
    };
    if (b == &bplay) {
        if (Player::cur()->in_progress)
            orb_transition_to(playscreen());
        else
            orb_transition_to(&choosegamescreen);
    } else if (b == &boptions) {
        follow(routes.options);
    } else if (b == &bhighscores) {
        follow(routes.high_scores);
    } else if (b == &bhowtoplay) {
        follow(routes.how_to_play);
    } else if (b == &bchangeplayer) {
        follow(routes.change_player);
    } else if (b == &bquit) {
        quit.show();
    } else {
        return false;
    }
    return true;
}
