#pragma once
// The interface of every screen, dialog, overlay and sprite: ticked with the time,
// draws by submitting jobs to the display list, takes input events, schedules its
// images, and hears when it becomes the current screen and about the window's focus.

#include <SDL/SDL.h>

#include <string>

class Loader;

// The window system's application flags.
struct AppState {
    bool active = true;       // not iconified
    bool input_focus = true;
    bool mouse_focus = true;
};

// TDE: tick, display, event, the three calls a frame makes on the screen in front.
class TDE {
public:
    TDE();
    TDE(TDE const&);             // a copy is an object of its own, with its own serial
    TDE& operator=(TDE const&);  // keeps this object's serial
    virtual ~TDE();
    // Times in milliseconds: now is the media layer's clock, dt the time since the last frame.
    virtual void tick(unsigned now, unsigned dt);
    // Submits this frame's drawing to the display list.
    virtual void display(SDL_Surface* s) const;
    // True when the event was consumed; the base consumes all but is_quit_escape events.
    virtual bool proc_event(SDL_Event* e);
    // Schedules this object's images.
    virtual void load(Loader* l);
    virtual void start();
    virtual void on_app_input_focus_lost(AppState const& st);
    virtual void on_app_input_focus_gained(AppState const& st);
    virtual void on_app_deiconified(AppState const& st);
    virtual void on_app_iconified(AppState const& st);
    // Became / stopped being the front of the screen stack.
    virtual void on_enqueue();
    virtual void on_dequeue();
    // What the screen is doing, where a test needs to know it (the frame report names it):
    // "-" unless a screen says more.
    virtual std::string phase() const;
    // Unique over the run: tells a new object from one freed at the same address.
    unsigned long serial() const { return serial_; }

private:
    unsigned long serial_;
};
