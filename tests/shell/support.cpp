#include "support.h"

#include <gtest/gtest.h>

namespace test {

void RecordingTDE::note(std::string const& what) const {
    if (log_) log_->push_back(name_ + "." + what);
}

void RecordingTDE::tick(unsigned, unsigned dt) {
    last_dt = dt;
    note("tick");
}

void RecordingTDE::display(SDL_Surface*) const { note("display"); }

bool RecordingTDE::proc_event(SDL_Event* e) {
    events.push_back(*e);
    note("event");
    if (on_event) on_event(e);
    return true;
}

Video::Video(int w, int h) {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Surface* s = SDL_SetVideoMode(w, h, 32, 0);
    EXPECT_NE(s, nullptr) << SDL_GetError();
}

Video::~Video() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

SDL_Surface* rgba_surface(int w, int h, Uint32 rgba) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0x000000FF, 0x0000FF00,
                                          0x00FF0000, 0xFF000000);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, rgba >> 24, (rgba >> 16) & 0xFF, (rgba >> 8) & 0xFF, rgba & 0xFF));
    return s;
}

Uint32 rgb_at(SDL_Surface* s, int x, int y) {
    Uint32 p = static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
    Uint8 r, g, b;
    SDL_GetRGB(p, s->format, &r, &g, &b);
    return (Uint32(r) << 16) | (Uint32(g) << 8) | b;
}

void fill_rgb(SDL_Surface* s, Uint32 rgb) {
    SDL_SetClipRect(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
}

std::unique_ptr<Surf> solid_surf(int w, int h, Uint32 rgba) {
    auto s = std::make_unique<Surf>("test", rgba_surface(w, h, rgba));
    s->set_world_wh({w, h});
    return s;
}

void FakeMedia::sleep_ms(unsigned ms) {
    sleeps.push_back(ms);
    now += ms;
}

bool FakeMedia::poll_event(SDL_Event* e) {
    ++polls;
    if (queue.empty()) return false;
    *e = queue.front();
    queue.pop_front();
    return true;
}

bool FakeMedia::wait_event(SDL_Event* e) {
    ++waits;
    return poll_event(e);
}

bool FakeMedia::quit_pending() {
    for (SDL_Event const& e : queue)
        if (e.type == SDL_QUIT) return true;
    return false;
}

void FakeMedia::flush_input() {
    ++flushes;
    std::deque<SDL_Event> kept;
    for (SDL_Event const& e : queue) {
        bool input = e.type == SDL_KEYDOWN || e.type == SDL_KEYUP || e.type == SDL_MOUSEMOTION ||
                     e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP;
        if (!input) kept.push_back(e);
    }
    queue.swap(kept);
}

void FakeMedia::update_rects(SDL_Surface*, int n, SDL_Rect*) { updates.push_back(n); }

void FakeMedia::show_redraw_view(SDL_Surface*, int, SDL_Rect const*) { ++redraw_views; }

}  // namespace test
