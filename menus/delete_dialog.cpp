#include "delete_dialog.h"

#include "loader.h"

void DeleteDialog::load(Loader* l) {
    bg.surface = l->schedule_surface(".i/menu/popup_deleteplayer_bg.png");
    Surf* glow = l->schedule_surface(".i/menu/popup_glow.png");
    bconfirm.set_images(l->schedule_surface(".i/menu/popup_delete_up.png"),
                        l->schedule_surface(".i/menu/popup_delete_over.png"),
                        l->schedule_surface(".i/menu/popup_delete_down.png"));
    bconfirm.glow = glow;
    bconfirm.set_pos(202, 466);
    bcancel.set_images(l->schedule_surface(".i/menu/popup_cancel_up.png"),
                       l->schedule_surface(".i/menu/popup_cancel_over.png"),
                       l->schedule_surface(".i/menu/popup_cancel_down.png"));
    bcancel.glow = glow;
    bcancel.set_pos(523, 466);
    bconfirm.set_state(ButtonSprite::normal);
    bcancel.set_state(ButtonSprite::normal);
    bconfirm.register_listener(this);
    bcancel.register_listener(this);
}
