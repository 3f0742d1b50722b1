#pragma once
// Shared pieces of the shell tests: recording screens, 32-bit surfaces and images, a
// scripted media layer, input events.

#include <SDL/SDL.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media.h"
#include "shell/events.h"
#include "surf.h"
#include "tde.h"

namespace test {

// A screen that writes what happens to it into a shared log ("A.enqueue", "A.tick", ...).
class RecordingTDE : public TDE {
public:
    RecordingTDE(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    bool proc_event(SDL_Event* e) override;
    void on_app_input_focus_lost(AppState const&) override { note("focus_lost"); }
    void on_app_input_focus_gained(AppState const&) override { note("focus_gained"); }
    void on_app_deiconified(AppState const&) override { note("deiconified"); }
    void on_app_iconified(AppState const&) override { note("iconified"); }
    void on_enqueue() override { note("enqueue"); }
    void on_dequeue() override { note("dequeue"); }

    std::vector<SDL_Event> events;  // every event handed to proc_event
    unsigned last_dt = 0;
    // Called from proc_event, for screens that act on an event.
    std::function<void(SDL_Event*)> on_event;

private:
    void note(std::string const& what) const;
    std::string name_;
    std::vector<std::string>* log_;
};

// Starts the dummy video driver with a 1024x768 32-bit window for the test's lifetime.
class Video {
public:
    explicit Video(int w = 1024, int h = 768);
    ~Video();
    SDL_Surface* screen() const { return SDL_GetVideoSurface(); }
};

// A 32-bit RGBA surface filled with one colour 0xRRGGBBAA.
SDL_Surface* rgba_surface(int w, int h, Uint32 rgba);
// The pixel at (x, y) as 0xRRGGBB.
Uint32 rgb_at(SDL_Surface* s, int x, int y);
void fill_rgb(SDL_Surface* s, Uint32 rgb);

// An image owned by the test: a loaded Surf of w x h in one colour.
std::unique_ptr<Surf> solid_surf(int w, int h, Uint32 rgba);

// A media layer whose clock, event queue and window are scripted by the test.
class FakeMedia : public Media {
public:
    unsigned ticks() override { return now; }
    void sleep_ms(unsigned ms) override;
    bool poll_event(SDL_Event* e) override;
    bool wait_event(SDL_Event* e) override;
    bool quit_pending() override;
    void flush_input() override;
    AppState app_state() override { return state; }
    bool mouse_state(int* x, int* y, Uint8* buttons) override {
        *x = mouse_x;
        *y = mouse_y;
        *buttons = mouse_buttons;
        return has_mouse;
    }
    SDL_Surface* video_surface() override { return surface; }
    void update_rects(SDL_Surface* s, int n, SDL_Rect* rects) override;
    void show_redraw_view(SDL_Surface* s, int n, SDL_Rect const* rects) override;

    unsigned now = 1000;
    std::vector<unsigned> sleeps;
    std::deque<SDL_Event> queue;
    AppState state;
    SDL_Surface* surface = nullptr;
    int polls = 0, waits = 0, flushes = 0;
    std::vector<int> updates;  // rectangle count of each update_rects call
    int redraw_views = 0;
    bool has_mouse = false;  // mouse_state answers only when set
    int mouse_x = 0, mouse_y = 0;
    Uint8 mouse_buttons = 0;
};

}  // namespace test
