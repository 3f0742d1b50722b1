#include "foot_button.h"

#include "loader.h"

void load_foot_button(ButtonSprite& b, Loader* l, std::string const& art, ButtonSprite::Listener* listener) {
    std::string const base = ".i/menu/" + art;
    b.set_images(l->schedule_surface(base + "_up.png"), l->schedule_surface(base + "_over.png"),
                 l->schedule_surface(base + "_down.png"));
    b.glow = l->schedule_surface(".i/menu/menu_glow.png");
    b.set_pos(313, 670);
    b.set_state(ButtonSprite::normal);
    b.register_listener(listener);
}
