#include <SDL/SDL_gfxPrimitives.h>

#include "event_predicates.h"
#include "media.h"
#include "os.h"

unsigned SdlMedia::ticks() { return SDL_GetTicks(); }

void SdlMedia::sleep_ms(unsigned ms) { E2::os()->sleep_ms(ms); }

bool SdlMedia::poll_event(SDL_Event* e) { return SDL_PollEvent(e) != 0; }

bool SdlMedia::wait_event(SDL_Event* e) { return SDL_WaitEvent(e) != 0; }

bool SdlMedia::quit_pending() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUITMASK) != 0;
}

void SdlMedia::flush_input() { flush_input_events(); }

bool SdlMedia::mouse_state(int* x, int* y, Uint8* buttons) {
    *buttons = SDL_GetMouseState(x, y);
    return true;
}

AppState SdlMedia::app_state() {
    Uint8 s = SDL_GetAppState();
    AppState st;
    st.active = (s & SDL_APPACTIVE) != 0;
    st.input_focus = (s & SDL_APPINPUTFOCUS) != 0;
    st.mouse_focus = (s & SDL_APPMOUSEFOCUS) != 0;
    return st;
}

SDL_Surface* SdlMedia::video_surface() { return SDL_GetVideoSurface(); }

void SdlMedia::update_rects(SDL_Surface* s, int n, SDL_Rect* rects) {
    if (n > 0) SDL_UpdateRects(s, n, rects);
}

void SdlMedia::show_redraw_view(SDL_Surface* s, int n, SDL_Rect const* rects) {
    // The replay leaves the last dirty rectangle as the clip; the marks go everywhere.
    SDL_SetClipRect(s, nullptr);
    for (int i = 0; i < n; ++i) {
        SDL_Rect const& r = rects[i];
        if (r.w == 0 || r.h == 0) continue;
        // The primitives take inclusive corners.
        Sint16 x1 = static_cast<Sint16>(r.x + r.w - 1), y1 = static_cast<Sint16>(r.y + r.h - 1);
        boxRGBA(s, r.x, r.y, x1, y1, 255, 0, 0, 51);
        rectangleRGBA(s, r.x, r.y, x1, y1, 255, 0, 0, 255);
    }
    SDL_Flip(s);
}
