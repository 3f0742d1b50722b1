#include "tde.h"

#include <atomic>

#include "event_predicates.h"

namespace {

unsigned long next_serial() {
    static std::atomic<unsigned long> last{0};
    return ++last;
}

}  // namespace

TDE::TDE() : serial_(next_serial()) {}
TDE::TDE(TDE const&) : serial_(next_serial()) {}
TDE& TDE::operator=(TDE const&) { return *this; }
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
