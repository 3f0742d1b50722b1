#include "choose_player_screen.h"

#include <string>

#include "enter_name_dialog.h"
#include "event_predicates.h"
#include "foot_button.h"
#include "glyph_set.h"
#include "loader.h"
#include "main_menu_screen.h"
#include "surf.h"
#include "transition.h"

ChoosePlayerScreen chooseplayerscreen;

namespace {

void load_button(ButtonSprite& b, bool load) {
    for (Surf* s : {b.images[0], b.images[1], b.images[2], b.images[3], b.glow})
        if (s) load ? s->load() : s->unload();
}

}  // namespace

ChoosePlayerScreen::RowCase ChoosePlayerScreen::row_case(unsigned i) {
    Player const* p = Player::get(i);
    if (p->is_cur()) return row_current;
    return p->fresh ? row_empty : row_named;
}

void ChoosePlayerScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/menu/chooseplayer_bg.jpg");
    background.set_pos(0, 0);
    for (unsigned i = 0; i < row_count; ++i) {
        int dy = 101 * static_cast<int>(i);
        Surf* player = l->get_surface_delayed(".i/menu/player_up.png");
        select[i].set_images(player, player, player, player);
        select[i].glow = l->get_surface_delayed(".i/menu/player_over.png");
        create[i].set_images(l->get_surface_delayed(".i/menu/create_up.png"),
                             l->get_surface_delayed(".i/menu/create_over.png"),
                             l->get_surface_delayed(".i/menu/create_down.png"));
        create[i].glow = l->get_surface_delayed(".i/menu/createdelete_glow.png");
        del[i].set_images(l->get_surface_delayed(".i/menu/delete_up.png"), l->get_surface_delayed(".i/menu/delete_over.png"),
                          l->get_surface_delayed(".i/menu/delete_down.png"),
                          l->get_surface_delayed(".i/menu/delete_off.png"));
        del[i].glow = l->get_surface_delayed(".i/menu/createdelete_glow.png");
        for (ButtonSprite* b : {&select[i], &create[i], &del[i]}) b->register_listener(this);
        select[i].set_pos(41, 163 + dy);
        create[i].set_pos(826, 163 + dy);
        del[i].set_pos(826, 163 + dy);
        Player const* p = Player::get(i);
        names[i].set_text(p->name);
        scores[i].set_text(std::to_string(p->score));
        names[i].glyphs = &menu_glyphs;
        names[i].align = TextSprite::align_left;
        names[i].set_pos(129, 191 + dy);
        scores[i].glyphs = &menu_glyphs;
        scores[i].align = TextSprite::align_right;
        scores[i].set_pos(777, 188 + dy);
    }
    load_foot_button(back, l, "mainmenu", this);
    marker.surface = l->get_surface_delayed(".i/menu/checkbox.png");
    delete_dialog.load(l);
}

void ChoosePlayerScreen::start() { resync(); }

void ChoosePlayerScreen::resync() {
    for (unsigned i = 0; i < row_count; ++i) {
        RowCase c = row_case(i);
        select[i].set_enabled(c != row_empty);
        create[i].set_enabled(c == row_empty);
        del[i].set_enabled(c == row_named);
        if (c == row_current) marker.set_pos(marker_pos(i));
        Player const* p = Player::get(i);
        names[i].set_text(p->name);
        scores[i].set_text(std::to_string(p->score));
    }
    mainmenu.resync();
}

void ChoosePlayerScreen::load_row_images(bool load) {
    for (unsigned i = 0; i < row_count; ++i)
        for (ButtonSprite* b : {&select[i], &create[i], &del[i]}) load_button(*b, load);
}

void ChoosePlayerScreen::on_enqueue() {
    background.load();
    load_row_images(true);
    marker.load();
}

void ChoosePlayerScreen::on_dequeue() {
    background.unload();
    load_row_images(false);
    marker.unload();
}

void ChoosePlayerScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    back.tick(now, dt);
    for (unsigned i = 0; i < row_count; ++i) {
        select[i].tick(now, dt);
        create[i].tick(now, dt);
        del[i].tick(now, dt);
        names[i].tick(now, dt);
        scores[i].tick(now, dt);
    }
    delete_dialog.tick(now, dt);
    marker.tick(now, dt);
    entername.tick(now, dt);
}

void ChoosePlayerScreen::display(SDL_Surface* s) const {
    background.display(s);
    back.display(s);
    for (unsigned i = 0; i < row_count; ++i) {
        select[i].display(s);
        if (row_case(i) == row_empty)
            create[i].display(s);
        else
            del[i].display(s);
        names[i].display(s);
        scores[i].display(s);
    }
    marker.display(s);
    delete_dialog.display(s);
    entername.display(s);
}

bool ChoosePlayerScreen::proc_event(SDL_Event* e) {
    if (delete_dialog.shown) {
        bool r = delete_dialog.proc_event(e);
        if (!delete_dialog.shown && delete_dialog.result) {
            Player::delete_i(pending_deletion_);
            resync();
        }
        return r;
    }
    if (entername.shown) {
        bool r = entername.proc_event(e);
        if (!entername.shown) {
            Player::cur()->name = entername.text.text();
            resync();
        }
        return r;
    }
    if (is_quit_escape(e)) return on_click(&back);
    for (unsigned i = 0; i < row_count; ++i) {
        RowCase c = row_case(i);
        select[i].proc_event(e);
        if (c == row_empty)
            create[i].proc_event(e);
        else if (c == row_named)
            del[i].proc_event(e);
    }
    return back.proc_event(e) || background.proc_event(e);
}

bool ChoosePlayerScreen::on_click(ButtonSprite* b) {
    for (unsigned i = 0; i < row_count; ++i) {
        RowCase c = row_case(i);
        if (b == &select[i]) {
            if (c == row_named) {
                Player::set_cur(i);
                resync();
                b->set_state(ButtonSprite::over);
            }
            return true;
        }
        if (b == &del[i]) {
            if (c == row_named) {
                pending_deletion_ = i;
                delete_dialog.show();
            }
            return true;
        }
        if (b == &create[i]) {
            if (c == row_empty) {
                Player::set_cur(i);
                resync();
                entername.show("");
            }
            return true;
        }
    }
    if (b == &back) {
        orb_transition_to(&mainmenu);
        return true;
    }
    return false;
}
