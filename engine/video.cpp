#include "video.h"

#include <ostream>

namespace E2 {
namespace {

VideoMode g_desktop;
bool g_desktop_read = false;

void read_desktop_once() {
    if (g_desktop_read) return;
    g_desktop_read = true;
    if (SDL_VideoInfo const* info = SDL_GetVideoInfo()) {
        g_desktop.w = static_cast<uint16_t>(info->current_w);
        g_desktop.h = static_cast<uint16_t>(info->current_h);
        g_desktop.is_fullscreen = false;
        g_desktop.is_resizable = false;
    }
}

}  // namespace

Video* get_video() {
    static Video* video = [] {
        Video* v = new Video();
        read_desktop_once();
        return v;
    }();
    return video;
}

void Video::init() { read_desktop_once(); }

VideoMode const& Video::desktop_mode() const { return g_desktop; }

bool Video::is_widescreen_size(unsigned w, unsigned h) {
    if (w == 0 || h == 0) return false;
    float ratio = static_cast<float>(w) / static_cast<float>(h);
    return ratio >= 1.4f;
}

bool Video::is_widescreen() const { return is_widescreen_size(g_desktop.w, g_desktop.h); }

Video::Window* Video::window() {
    if (!window_) window_ = new Window();
    return window_;
}

VideoMode Video::recommended(VideoMode const& request) {
    VideoMode m = request;
    if (m.w == 0 && m.h == 0) {
        m.w = 1024;
        m.h = 768;
    } else if (m.h == 0) {
        m.h = m.w == 800 ? 600 : 768;
    } else if (m.w == 0) {
        m.w = m.h == 600 ? 800 : 1024;
    }
    if (m.is_fullscreen)
        m.flags = SDL_FULLSCREEN;
    else if (m.is_resizable)
        m.flags = SDL_RESIZABLE;
    else
        m.flags = 0;
    m.v_gamma_r = m.v_gamma_g = m.v_gamma_b = 0;
    return m;
}

bool Video::set_recommended_mode(VideoMode const& request) {
    return set_mode_exactly(recommended(request));
}

bool Video::set_mode_exactly(VideoMode const& mode) {
    if (!SDL_SetVideoMode(mode.w, mode.h, mode.bpp, mode.flags)) return false;

    bool gamma_applied = false;
    if (mode.v_gamma_r != 0 && mode.v_gamma_g != 0 && mode.v_gamma_b != 0)
        gamma_applied = SDL_SetGamma(mode.v_gamma_r, mode.v_gamma_g, mode.v_gamma_b) != -1;

    if (SDL_Surface const* s = SDL_GetVideoSurface()) {
        current_.w = static_cast<uint16_t>(s->w);
        current_.h = static_cast<uint16_t>(s->h);
        current_.bpp = s->format->BitsPerPixel;
        current_.flags = s->flags;
        current_.is_fullscreen = (s->flags & 0x80000000u) != 0;
        current_.is_resizable = (s->flags & 0x10u) != 0;
    }
    if (gamma_applied) {
        current_.v_gamma_r = mode.v_gamma_r;
        current_.v_gamma_g = mode.v_gamma_g;
        current_.v_gamma_b = mode.v_gamma_b;
    } else {
        current_.v_gamma_r = current_.v_gamma_g = current_.v_gamma_b = 0;
    }
    return true;
}

std::ostream& operator<<(std::ostream& os, VideoMode const& m) {
    os << "VideoMode {\n"
       << "\tw: " << m.w << "\n"
       << "\th: " << m.h << "\n"
       << "\tbpp: " << unsigned(m.bpp) << "\n"
       << "\tflags: " << m.flags << "\n"
       << "\tis_fullscreen: " << m.is_fullscreen << "\n"
       << "\tis_resizable: " << m.is_resizable << "\n"
       << "\tv_gamma_r: " << m.v_gamma_r << "\n"
       << "\tv_gamma_g: " << m.v_gamma_g << "\n"
       << "\tv_gamma_b: " << m.v_gamma_b << "\n"
       << "}";
    return os;
}

}  // namespace E2
