#include "choose_game_screen.h"

#include "event_predicates.h"
#include "foot_button.h"
#include "loader.h"
#include "play_screen.h"
#include "surf.h"
#include "transition.h"

ChooseGameScreen choosegamescreen;

bool ChooseGameScreen::GameButton::is_inside(int px, int py) const {
    if (ButtonSprite::is_inside(px, py)) return true;
    // The background's box (32 high, at marker_pos()) and the name below it: 74 rows.
    Surf const* picture = images[over];
    int const top = marker_pos(0).y;
    return Surf::ok(picture) && E2::Rect<int>(x, top, picture->world_w(), 74).contains(px, py);
}

void ChooseGameScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/game/choosegame_bg.jpg");
    background.set_pos(0, 0);
    Surf* glow = l->get_surface_delayed(".i/game/choosegame_glow.png");
    for (unsigned i = 0; i < Player::game_count; ++i) {
        games[i].set_images(nullptr, glow, glow);
        games[i].register_listener(this);
        games[i].set_pos(game_button_pos(i));
    }
    load_foot_button(bcontinue, l, "continue", this);
    marker.surface = l->get_surface_delayed(".i/menu/checkbox.png");
    marker.set_pos(marker_pos(0));
}

void ChooseGameScreen::on_enqueue() {
    background.load();
    games[0].load();
    marker.load();
    resync();
}

void ChooseGameScreen::on_dequeue() {
    background.unload();
    games[0].unload();
}

void ChooseGameScreen::resync() { marker.set_pos(marker_pos(Player::cur()->game)); }

void ChooseGameScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    bcontinue.tick(now, dt);
    for (ButtonSprite& b : games) b.tick(now, dt);
    marker.tick(now, dt);
}

void ChooseGameScreen::display(SDL_Surface* s) const {
    background.display(s);
    bcontinue.display(s);
    for (ButtonSprite const& b : games) b.display(s);
    marker.display(s);
}

bool ChooseGameScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return on_click(&bcontinue);
    for (ButtonSprite& b : games) b.proc_event(e);
    return bcontinue.proc_event(e) || background.proc_event(e);
}

bool ChooseGameScreen::on_click(ButtonSprite* b) {
    for (unsigned i = 0; i < Player::game_count; ++i) {
        if (b == &games[i]) {
            marker.set_pos(marker_pos(i));
            Player::cur()->game = static_cast<Player::Game_Type>(i);
            return true;
        }
    }
    if (b != &bcontinue) return false;
    Player const* p = Player::cur();
    if (p->show_rules[p->game] && routes.show_rules_first)
        routes.show_rules_first(p->game);
    else
        orb_transition_to(playscreen());
    return true;
}
