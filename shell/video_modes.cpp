#include "video_modes.h"

#include "blit_job_manager.h"
#include "loader_global.h"
#include "screen_hacks.h"

namespace {

std::string& caption() {
    static std::string* c = new std::string();
    return *c;
}

bool small_desktop(E2::VideoMode const& d) { return d.w != 0 && d.h != 0 && d.w <= 1024 && d.h <= 768; }

E2::VideoMode sized(int w, int h, bool fullscreen) {
    E2::VideoMode m;
    m.w = static_cast<uint16_t>(w);
    m.h = static_cast<uint16_t>(h);
    m.is_fullscreen = fullscreen;
    return m;
}

ModeSetter& mode_setter() {
    static ModeSetter setter = nullptr;
    return setter;
}

bool set_exactly(E2::VideoMode const& mode) { return E2::get_video()->set_mode_exactly(mode); }

}  // namespace

E2::VideoMode startup_video_mode(CommandLine& cl, bool* stored_fullscreen, E2::VideoMode const& desktop,
                                 bool widescreen) {
    if (widescreen) {
        *stored_fullscreen = false;
        cl.window = true;
    }
    E2::VideoMode m = sized(1024, 768, *stored_fullscreen);
    if (!m.is_fullscreen && small_desktop(desktop)) {
        m.w = 800;
        m.h = 600;
    }
    if (cl.fullscreen) m.is_fullscreen = true;
    if (cl.window) m.is_fullscreen = false;
    if (cl.double_buf) m.flags |= SDL_DOUBLEBUF;
    if (cl.hw_surface) m.flags |= SDL_HWSURFACE;
    return m;
}

E2::VideoMode page_up_video_mode(E2::VideoMode const& current) {
    return current.w == 1024 ? sized(800, 600, current.is_fullscreen) : sized(1024, 768, current.is_fullscreen);
}

E2::VideoMode toggled_video_mode(E2::VideoMode const& current, E2::VideoMode const& desktop) {
    E2::VideoMode m = sized(1024, 768, !current.is_fullscreen);
    if (!m.is_fullscreen && small_desktop(desktop)) {
        m.w = 800;
        m.h = 600;
    }
    return m;
}

void set_window_caption(std::string const& title) {
    caption() = title;
    SDL_WM_SetCaption(title.c_str(), nullptr);
}

void reapply_window_caption() {
    if (!caption().empty()) SDL_WM_SetCaption(caption().c_str(), nullptr);
}

bool apply_video_mode(E2::VideoMode const& mode, unsigned n) {
    E2::Video* video = E2::get_video();
    E2::VideoMode const before = video->mode();
    ModeSetter set = mode_setter() ? mode_setter() : set_exactly;
    if (!set(E2::Video::recommended(mode)) && !set(before)) return false;
    reapply_window_caption();
    E2::Vec2<int> size(video->mode().w, video->mode().h);
    if (SDL_Surface const* s = SDL_GetVideoSurface()) size = E2::Vec2<int>(s->w, s->h);
    ScreenHacks::set_screen_view(size);
    bjmgr.reset(size, n);
    return true;
}

void set_mode_setter(ModeSetter setter) { mode_setter() = setter; }

void switch_window_size(unsigned n) {
    loader.save_loaded();
    loader.unload();
    bjmgr.clear();
    if (apply_video_mode(page_up_video_mode(E2::get_video()->mode()), n)) loader.reload();
}

void toggle_fullscreen() {
    E2::Video* video = E2::get_video();
    apply_video_mode(toggled_video_mode(video->mode(), video->desktop_mode()), 8);
}
