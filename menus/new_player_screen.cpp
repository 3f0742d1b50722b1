#include "new_player_screen.h"

#include "event_predicates.h"
#include "loader.h"
#include "main_menu_screen.h"
#include "name_entry.h"
#include "player.h"
#include "transition.h"

NewPlayerScreen newplayerscreen;

NewPlayerScreen::NewPlayerScreen() { name.set_editable(true); }

void NewPlayerScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/menu/newplayer_bg.jpg");
    background.set_pos(0, 0);
    bcontinue.set_images(l->schedule_surface(".i/menu/continue_up.png"), l->schedule_surface(".i/menu/continue_over.png"),
                         l->schedule_surface(".i/menu/continue_down.png"),
                         l->schedule_surface(".i/menu/continue_off.png"));
    bcontinue.glow = l->schedule_surface(".i/menu/menu_glow.png");
    bcontinue.disable();
    bcontinue.set_pos(313, 660);
    bcontinue.register_listener(this);
    apply_name_entry_settings(name, l);
}

void NewPlayerScreen::on_enqueue() { background.load(); }

void NewPlayerScreen::on_dequeue() { background.unload(); }

void NewPlayerScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    bcontinue.tick(now, dt);
    name.tick(now, dt);
}

void NewPlayerScreen::display(SDL_Surface* s) const {
    background.display(s);
    name.display(s);
    bcontinue.display(s);
}

bool NewPlayerScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return true;
    if (name.proc_event(e)) {
        bool const has_name = !name.text().empty();
        if (has_name != bcontinue.is_enabled()) bcontinue.set_enabled(has_name);
        return true;
    }
    if (is_key_down_event(e) && _is_key_enter(e->key.keysym.sym)) {
        finish();
        return true;
    }
    return bcontinue.proc_event(e) || background.proc_event(e);
}

bool NewPlayerScreen::on_click(ButtonSprite* b) {
    if (b != &bcontinue) return false;
    finish();
    return true;
}

void NewPlayerScreen::finish() {
    Player* p = Player::cur();
    p->name = name.text();
    p->fresh = false;
    orb_transition_to(&mainmenu);
    mainmenu.resync();
}
