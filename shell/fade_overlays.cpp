#include "fade_overlays.h"

#include "blit_job_manager.h"
#include "tde_manager.h"

void TDEOverlay::display(SDL_Surface* s) const {
    if (under) under->display(s);
}

bool TDEOverlay::proc_event(SDL_Event*) { return true; }

void FadeOverlay::tick(unsigned, unsigned dt) {
    elapsed_ms += dt;
    if (elapsed_ms > duration_ms && tde_stack.front() == this) tde_stack.pop_front();
}

unsigned char FadeOverlay::progress() const {
    if (duration_ms == 0 || elapsed_ms >= duration_ms) return 255;
    float q = static_cast<float>(elapsed_ms) * 255.0f / static_cast<float>(duration_ms);
    return static_cast<unsigned char>(q);
}

void FadeOverlay::display(SDL_Surface* s) const {
    TDEOverlay::display(s);
    if (elapsed_ms > duration_ms) return;
    bjmgr.insert(BlitJob(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(0, 0, 1024, 768),
                         E2::Color(0x000000FFu), fill_intensity()));
}

FadeToBlackOverlay::FadeToBlackOverlay(TDE* from, TDE* to, unsigned ms) : FadeOverlay(from, ms), next(to) {}

FadeToBlackOverlay::~FadeToBlackOverlay() {
    if (dynamic_cast<FadeOverlay*>(next)) delete next;
}

void FadeToBlackOverlay::on_enqueue() { elapsed_ms = start_ms; }

void FadeToBlackOverlay::on_dequeue() {
    if (under) {
        under->on_dequeue();
        under = nullptr;
    }
    TDE* handed = next;
    next = nullptr;
    tde_stack.push_front(handed);
    delete this;
}

void FadeFromBlackOverlay::on_enqueue() {
    elapsed_ms = 0;
    if (under) under->on_enqueue();
}

void FadeFromBlackOverlay::on_dequeue() {
    tde_stack.link_front(under);
    delete this;
}
