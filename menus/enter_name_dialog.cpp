#include "enter_name_dialog.h"

#include "loader.h"
#include "name_entry.h"

EnterNameDialog entername;

void EnterNameDialog::load(Loader* l) {
    bg.surface = l->schedule_surface(".i/menu/popup_typename_bg.png");
    bok.set_images(l->schedule_surface(".i/menu/popup_enter_up.png"), l->schedule_surface(".i/menu/popup_enter_over.png"),
                   l->schedule_surface(".i/menu/popup_enter_down.png"), l->schedule_surface(".i/menu/popup_enter_off.png"));
    bok.set_pos(362, 466);
    bok.set_state(ButtonSprite::normal);
    bok.disable();
    bok.register_listener(this);
    text.set_editable(true);
    apply_name_entry_settings(text, l);
}
