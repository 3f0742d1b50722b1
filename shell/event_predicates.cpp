#include "event_predicates.h"

#include <cctype>

namespace {

bool is_type(SDL_Event const* e, Uint8 type) { return e && e->type == type; }

bool is_key_down(SDL_Event const* e, SDLKey k) { return is_type(e, SDL_KEYDOWN) && e->key.keysym.sym == k; }

bool meta_held(SDL_Event const* e) { return (e->key.keysym.mod & (KMOD_LMETA | KMOD_RMETA)) != 0; }

bool is_button(SDL_Event const* e, Uint8 type, Uint8 button) {
    return is_type(e, type) && e->button.button == button;
}

bool is_button_either(SDL_Event const* e, Uint8 button) {
    return is_button(e, SDL_MOUSEBUTTONDOWN, button) || is_button(e, SDL_MOUSEBUTTONUP, button);
}

int flush(Uint32 mask) {
    SDL_Event buffer[16];
    int total = 0;
    int n;
    while ((n = SDL_PeepEvents(buffer, 16, SDL_GETEVENT, mask)) > 0) total += n;
    return total;
}

}  // namespace

bool _is_sdlk_q(SDL_Event const* e) { return is_key_down(e, SDLK_q); }
bool _is_sdlk_esc(SDL_Event const* e) { return is_key_down(e, SDLK_ESCAPE); }
bool _is_quit(SDL_Event const* e) { return is_type(e, SDL_QUIT) || (_is_sdlk_q(e) && meta_held(e)); }
bool is_quit_escape(SDL_Event const* e) { return _is_quit(e) || _is_sdlk_esc(e); }
bool is_quit_escape_or_q(SDL_Event const* e) { return is_quit_escape(e) || _is_sdlk_q(e); }

bool is_mouse_motion_event(SDL_Event const* e) { return is_type(e, SDL_MOUSEMOTION); }
bool is_mouse_button_down_event(SDL_Event const* e) { return is_type(e, SDL_MOUSEBUTTONDOWN); }
bool is_mouse_button_up_event(SDL_Event const* e) { return is_type(e, SDL_MOUSEBUTTONUP); }
bool is_mouse_button_event(SDL_Event const* e) {
    return is_mouse_button_down_event(e) || is_mouse_button_up_event(e);
}
bool is_mouse_button_1_down_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONDOWN, 1); }
bool is_mouse_button_1_up_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONUP, 1); }
bool is_mouse_button_1_event(SDL_Event const* e) { return is_button_either(e, 1); }
bool is_mouse_button_left_down_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT); }
bool is_mouse_button_left_up_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT); }
bool is_mouse_button_left_event(SDL_Event const* e) { return is_button_either(e, SDL_BUTTON_LEFT); }
bool is_mouse_button_middle_down_event(SDL_Event const* e) {
    return is_button(e, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
}
bool is_mouse_button_middle_up_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE); }
bool is_mouse_button_middle_event(SDL_Event const* e) { return is_button_either(e, SDL_BUTTON_MIDDLE); }
bool is_mouse_button_right_down_event(SDL_Event const* e) {
    return is_button(e, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
}
bool is_mouse_button_right_up_event(SDL_Event const* e) { return is_button(e, SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT); }
bool is_mouse_button_right_event(SDL_Event const* e) { return is_button_either(e, SDL_BUTTON_RIGHT); }

bool is_key_down_event(SDL_Event const* e) { return is_type(e, SDL_KEYDOWN); }
bool is_key_up_event(SDL_Event const* e) { return is_type(e, SDL_KEYUP); }
bool is_key_event(SDL_Event const* e) { return is_key_down_event(e) || is_key_up_event(e); }

bool _is_key_enter(SDLKey k) { return k == SDLK_RETURN || k == SDLK_KP_ENTER; }

char sdl_key_to_char(SDLKey k) {
    if (k >= 0 && k <= 127) return static_cast<char>(k);
    if (k >= SDLK_KP0 && k <= SDLK_KP9) return static_cast<char>(k - 208);
    if (k == SDLK_KP_MINUS) return '-';
    return 0;
}

bool is_sdl_key_alpha(SDLKey k) { return k >= SDLK_a && k <= SDLK_z; }
bool is_sdl_key_digit(SDLKey k) { return (k >= SDLK_0 && k <= SDLK_9) || (k >= SDLK_KP0 && k <= SDLK_KP9); }
bool is_sdl_key_xdigit(SDLKey k) { return is_sdl_key_digit(k) || (k >= SDLK_a && k <= SDLK_f); }
bool is_sdl_key_alnum(SDLKey k) { return is_sdl_key_digit(k) || is_sdl_key_alpha(k); }
bool is_sdl_key_print(SDLKey k) { return k >= 0 && k <= 127 && std::isprint(static_cast<int>(k)); }

bool is_fullscreen() {
    SDL_Surface const* s = SDL_GetVideoSurface();
    return s && (s->flags & SDL_FULLSCREEN);
}

int flush_key_events() { return flush(SDL_KEYDOWNMASK | SDL_KEYUPMASK); }
int flush_mouse_events() { return flush(SDL_MOUSEMOTIONMASK | SDL_MOUSEBUTTONDOWNMASK | SDL_MOUSEBUTTONUPMASK); }
int flush_input_events() { return flush_key_events() + flush_mouse_events(); }
