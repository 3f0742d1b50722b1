#include "menu_tde.h"

#include "music_ctl.h"
#include "sound_handles.h"

void MenuTDE::on_app_input_focus_lost(AppState const&) { MusicCtl::ctl()->fade_out(200); }

void MenuTDE::on_app_input_focus_gained(AppState const&) {
    MusicCtl* ctl = MusicCtl::ctl();
    ctl->clear();
    ctl->fade_out(200);
    ctl->play_loop(mus_menu, 500);
}

void MenuTDE::on_app_deiconified(AppState const&) {}
void MenuTDE::on_app_iconified(AppState const&) {}
