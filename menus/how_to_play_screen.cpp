#include "how_to_play_screen.h"

#include <string>

#include "foot_button.h"
#include "loader.h"
#include "loader_global.h"
#include "play_screen.h"
#include "player.h"

HowToPlayScreen* howtoplayscreen() {
    static HowToPlayScreen screen;
    return &screen;
}

namespace {

void set_button(ButtonSprite& b, Loader* l, char const* up, char const* over, char const* down, int x, int y,
                ButtonSprite::Listener* listener) {
    b.set_images(l->schedule_surface(up), l->schedule_surface(over), l->schedule_surface(down));
    b.set_pos(x, y);
    b.set_state(ButtonSprite::normal);
    b.register_listener(listener);
}

}  // namespace

void HowToPlayScreen::load(Loader* l) {
    for (unsigned n = 1; n <= Player::game_count; ++n)
        add_page(new Sprite(l->get_surface_delayed(".i/game/howtoplay" + std::to_string(n) + "_bg.jpg"), {0, 0}));
    set_button(prev, l, ".i/game/howtoplay_prev_up.png", ".i/game/howtoplay_prev_over.png",
               ".i/game/howtoplay_prev_down.png", 733, 669, this);
    load_foot_button(done, l, "mainmenu", this);
    set_button(next, l, ".i/game/howtoplay_next_up.png", ".i/game/howtoplay_next_over.png",
               ".i/game/howtoplay_next_down.png", 873, 669, this);
    show_rules.set_images(nullptr, l->schedule_surface(".i/menu/checkbox.png"));
    show_rules.set_pos(13, 692);
    show_rules.set_checked(true);
    show_rules.set_hit_rect(E2::Rect<int>(0, 0, 271, 54));
}

void HowToPlayScreen::on_enqueue() {
    bool to_play = return_to() != nullptr && return_to() == playscreen();
    char const* art = to_play ? "continue" : "mainmenu";
    std::string const base = std::string(".i/menu/") + art;
    done.set_images(loader.get_surface(base + "_up.png"), loader.get_surface(base + "_over.png"),
                    loader.get_surface(base + "_down.png"));
    done.set_state(ButtonSprite::normal);
    HowToPlayBase::on_enqueue();
}
