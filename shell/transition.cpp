#include "transition.h"

#include "effects_quality.h"
#include "fade_overlays.h"
#include "tde_manager.h"

namespace {

constexpr unsigned fade_ms = 500;

// A fade-out in flight: the pending fade-in is pointed at the new target. The old screen
// still leaves at full black, and the new one is enqueued then.
void redirect_fade_out(FadeToBlackOverlay* out, TDE* next) {
    if (auto* in = dynamic_cast<FadeFromBlackOverlay*>(out->next))
        in->under = next;
    else
        out->next = next;
}

}  // namespace

void orb_transition_to(TDE* next) {
    if (!next) return;
    if (tde_stack.empty()) {
        tde_stack.push_front(new FadeFromBlackOverlay(next, fade_ms));
        return;
    }
    TDE* front = tde_stack.front();
    if (auto* out = dynamic_cast<FadeToBlackOverlay*>(front)) {
        redirect_fade_out(out, next);
        return;
    }

    unsigned start_ms = 0;
    tde_stack.unlink_front();
    TDE* old = front;
    if (auto* in = dynamic_cast<FadeFromBlackOverlay*>(front)) {
        // A fade-in in flight: its screen is already current and becomes the old screen;
        // the fade-out starts at the darkness the fade-in had reached.
        old = in->under;
        if (in->duration_ms > 0 && in->elapsed_ms < in->duration_ms)
            start_ms = fade_ms - static_cast<unsigned>(static_cast<unsigned long long>(in->elapsed_ms) * fade_ms /
                                                       in->duration_ms);
        delete in;
    }

    if (!_screen_fade_enabled()) {
        if (old) old->on_dequeue();
        tde_stack.push_front(next);
        return;
    }
    auto* out = new FadeToBlackOverlay(old, new FadeFromBlackOverlay(next, fade_ms), fade_ms);
    out->start_ms = start_ms;
    tde_stack.push_front(out);
}

void drop_all_screens(TDEManager& stack) {
    for (TDE* t : stack.drop_all())
        if (dynamic_cast<FadeOverlay*>(t)) delete t;
}
