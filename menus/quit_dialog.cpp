#include "quit_dialog.h"

#include "loader.h"

void QuitDialog::load(Loader* l) {
    bg.surface = l->schedule_surface(".i/menu/popup_quit_bg.png");
    bconfirm.set_images(l->schedule_surface(".i/menu/popup_quit_up.png"), l->schedule_surface(".i/menu/popup_quit_over.png"),
                        l->schedule_surface(".i/menu/popup_quit_down.png"));
    bcancel.set_images(l->schedule_surface(".i/menu/popup_cancel_up.png"),
                       l->schedule_surface(".i/menu/popup_cancel_over.png"),
                       l->schedule_surface(".i/menu/popup_cancel_down.png"));
    Surf* glow = l->schedule_surface(".i/menu/popup_glow.png");
    bconfirm.glow = glow;
    bcancel.glow = glow;
    bconfirm.set_state(ButtonSprite::normal);
    bcancel.set_state(ButtonSprite::normal);
    bconfirm.register_listener(this);
    bcancel.register_listener(this);
}
