#pragma once
// What the frame loop needs from the media layer: the clock, sleeping, the event queue,
// the window's state and the presentation of redrawn rectangles. Tests put a scripted
// one in place of SdlMedia.

#include <SDL/SDL.h>

#include "tde.h"

class Media {
public:
    virtual ~Media() = default;
    // Milliseconds since start.
    virtual unsigned ticks() = 0;
    virtual void sleep_ms(unsigned ms) = 0;
    // The next queued event, without waiting; false when there is none.
    virtual bool poll_event(SDL_Event* e) = 0;
    // The next event, waiting for one; false on failure.
    virtual bool wait_event(SDL_Event* e) = 0;
    // A quit event waits anywhere in the queue.
    virtual bool quit_pending() = 0;
    // Discards every pending key and mouse event.
    virtual void flush_input() = 0;
    virtual AppState app_state() = 0;
    // The pointer's screen position and held buttons now; false when unknown.
    virtual bool mouse_state(int* x, int* y, Uint8* buttons) {
        (void)x;
        (void)y;
        (void)buttons;
        return false;
    }
    // The window surface, or null.
    virtual SDL_Surface* video_surface() = 0;
    // Hands the rectangles to the window.
    virtual void update_rects(SDL_Surface* s, int n, SDL_Rect* rects) = 0;
    // Paints each rectangle translucent red with an opaque red outline, then shows the
    // whole surface.
    virtual void show_redraw_view(SDL_Surface* s, int n, SDL_Rect const* rects) = 0;
};

// The media layer itself.
class SdlMedia : public Media {
public:
    unsigned ticks() override;
    void sleep_ms(unsigned ms) override;
    bool poll_event(SDL_Event* e) override;
    bool wait_event(SDL_Event* e) override;
    bool quit_pending() override;
    void flush_input() override;
    AppState app_state() override;
    bool mouse_state(int* x, int* y, Uint8* buttons) override;
    SDL_Surface* video_surface() override;
    void update_rects(SDL_Surface* s, int n, SDL_Rect* rects) override;
    void show_redraw_view(SDL_Surface* s, int n, SDL_Rect const* rects) override;
};
