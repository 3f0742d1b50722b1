#include "boot_screen.h"

#include "event_predicates.h"
#include "loader.h"
#include "tde_manager.h"

void BootScreen::load(Loader* l) { background_.surface = l->get_surface(".i/menu/title_bg.jpg"); }

void BootScreen::display(SDL_Surface* s) const { background_.display(s); }

bool BootScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e) && tde_stack.front() == this) {
        tde_stack.pop_front();
        return true;
    }
    return false;
}
