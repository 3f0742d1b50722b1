#include "tde.h"

#include "event_predicates.h"

TDE::~TDE() {}
void TDE::tick(unsigned, unsigned) {}
void TDE::display(SDL_Surface*) const {}
bool TDE::proc_event(SDL_Event* e) { return !is_quit_escape(e); }
void TDE::load(Loader*) {}
void TDE::start() {}
std::string TDE::phase() const { return "-"; }
void TDE::on_app_input_focus_lost(AppState const&) {}
void TDE::on_app_input_focus_gained(AppState const&) {}
void TDE::on_app_deiconified(AppState const&) {}
void TDE::on_app_iconified(AppState const&) {}
void TDE::on_enqueue() {}
void TDE::on_dequeue() {}
