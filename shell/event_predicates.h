#pragma once
// Shared classification of media-layer events and key codes, and the discarding of
// queued input. Every predicate yields false for a null event.

#include <SDL/SDL.h>

// SDL_QUIT, Meta+'q' key-down, or Escape key-down with any modifiers.
bool is_quit_escape(SDL_Event const* e);
// As is_quit_escape, and 'q' key-down without a modifier too.
bool is_quit_escape_or_q(SDL_Event const* e);
// SDL_QUIT or Meta+'q' key-down.
bool _is_quit(SDL_Event const* e);
bool _is_sdlk_q(SDL_Event const* e);    // key-down 'q', any modifiers
bool _is_sdlk_esc(SDL_Event const* e);  // key-down Escape, any modifiers

bool is_mouse_motion_event(SDL_Event const* e);
bool is_mouse_button_down_event(SDL_Event const* e);
bool is_mouse_button_up_event(SDL_Event const* e);
bool is_mouse_button_event(SDL_Event const* e);
bool is_mouse_button_1_down_event(SDL_Event const* e);
bool is_mouse_button_1_up_event(SDL_Event const* e);
bool is_mouse_button_1_event(SDL_Event const* e);
bool is_mouse_button_left_down_event(SDL_Event const* e);
bool is_mouse_button_left_up_event(SDL_Event const* e);
bool is_mouse_button_left_event(SDL_Event const* e);
bool is_mouse_button_middle_down_event(SDL_Event const* e);
bool is_mouse_button_middle_up_event(SDL_Event const* e);
bool is_mouse_button_middle_event(SDL_Event const* e);
bool is_mouse_button_right_down_event(SDL_Event const* e);
bool is_mouse_button_right_up_event(SDL_Event const* e);
bool is_mouse_button_right_event(SDL_Event const* e);

bool is_key_down_event(SDL_Event const* e);
bool is_key_up_event(SDL_Event const* e);
bool is_key_event(SDL_Event const* e);

// Return and the keypad Enter.
bool _is_key_enter(SDLKey k);
// The character a key types: codes 0-127 themselves, keypad digits '0'-'9', keypad
// minus '-'; 0 for any other key.
char sdl_key_to_char(SDLKey k);
bool is_sdl_key_alpha(SDLKey k);   // 'a'-'z'
bool is_sdl_key_digit(SDLKey k);   // '0'-'9' or keypad 0-9
bool is_sdl_key_xdigit(SDLKey k);  // digits and 'a'-'f'
bool is_sdl_key_alnum(SDLKey k);   // digits and 'a'-'z'
bool is_sdl_key_print(SDLKey k);   // a printable character

// The window surface exists and is full screen.
bool is_fullscreen();

// Remove every pending key event / mouse event / both from the queue; the number
// removed. Quit, activation and expose events stay queued.
int flush_key_events();
int flush_mouse_events();
int flush_input_events();
