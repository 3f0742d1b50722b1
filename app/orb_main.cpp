#include "orb_main.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>

#include "blit_job_manager.h"
#include "card_back_screen.h"
#include "command_line.h"
#include "frame_loop.h"
#include "glyph_set.h"
#include "high_scores_screen.h"
#include "how_to_play_screen.h"
#include "loader_global.h"
#include "media.h"
#include "menu_screens.h"
#include "options_screen.h"
#include "os.h"
#include "particle_images.h"
#include "perfmon.h"
#include "player.h"
#include "qdata.h"
#include "pointer_sprite.h"
#include "record_screens.h"
#include "screen_hacks.h"
#include "snd.h"
#include "sound_handles.h"
#include "splash_screen.h"
#include "stats_screen.h"
#include "tde_manager.h"
#include "title_screen.h"
#include "transition.h"
#include "video_modes.h"

namespace {

// The saved records: options and player files.
void read_records() {
    options.read();
    Player::read_all();
}
void save_records() { Player::save_all(); }

// Every screen schedules its images, in a fixed order; only the splash and title screens
// load images at once. Then the menu glyphs and the pointer.
void schedule_screen_images() {
    splashscreen.load(&loader);
    load_particles();
    options.load(&loader);
    highscoresscreen()->load(&loader);
    titlescreen.load(&loader);
    howtoplayscreen()->load(&loader);
    TitleScreen::Exits exits;
    exits.profile_fresh = [] { return Player::cur()->fresh; };
    titlescreen.set_exits(exits);
    load_menu_screens(&loader);
    cardbackscreen()->load(&loader);
    statsscreen()->load(&loader);
    connect_record_screens();
    fill_menu_glyphs(loader);
    pointer.load();
    _pointer_butterfly()->load();
}

// The objects drawn over every screen: the mouse pointer and its companion.
void add_companions(FrameLoop& loop) {
    loop.add_companion(&pointer, false);
    loop.add_companion(_pointer_butterfly(), true);
}

// An environment variable's value, or null when it is unset or empty.
char const* env_value(char const* key) {
    char const* v = std::getenv(key);
    return v && *v ? v : nullptr;
}

char const no_display[] = "no graphical display was found; start the game on a desktop (DISPLAY or WAYLAND_DISPLAY), "
                          "or name a video driver in SDL_VIDEODRIVER";

std::string no_wayland_display(char const* wayland_display, std::string const& reason) {
    return "the Wayland display WAYLAND_DISPLAY " + quoted(wayland_display) + " could not be opened (" + reason +
           "); start the game on a desktop, or name a video driver in SDL_VIDEODRIVER";
}

// Why the media layer's video, started or not (`init_error` is what starting it said),
// shows no pictures, or empty. `asked` is the driver the user named, `x11_display` the
// display the X11 driver alone was tried on, `wayland_display` the Wayland display set
// (each may be null). The drivers it falls back to when there is no display (text in the
// terminal, or nothing drawn anywhere) count only when the user named one.
std::string video_problem(std::string const& init_error, char const* asked, char const* x11_display,
                          char const* wayland_display) {
    char name[64] = "";
    bool const started = SDL_WasInit(SDL_INIT_VIDEO) && SDL_VideoDriverName(name, sizeof name);
    if (asked)
        return started ? "" : "the video driver " + quoted(asked) + " named in SDL_VIDEODRIVER could not be used (" +
                                  init_error + ")";
    if (x11_display)
        return started ? "" : "the display DISPLAY " + quoted(x11_display) + " could not be opened (" +
                                  (init_error.empty() ? "" : init_error + "; ") +
                                  "no X server there, or one this user may not reach); start the game on a "
                                  "desktop, or name a video driver in SDL_VIDEODRIVER";
    bool shows = started;
    for (char const* fallback : {"aalib", "caca", "offscreen", "dummy"})
        if (std::strcmp(name, fallback) == 0) shows = false;
    if (shows) return "";
    if (wayland_display)
        return no_wayland_display(wayland_display, "no compositor there, or one this user may not reach");
    return no_display;
}

// Why the Wayland display cannot be found without starting the media layer (whose Wayland
// client library would write its own line about it first), or empty: a display named relative
// to XDG_RUNTIME_DIR where that is unset or not absolute.
std::string wayland_socket_unfound(std::string const& wayland_display) {
    if (wayland_display.empty() || wayland_display[0] == '/') return "";
    char const* runtime = env_value("XDG_RUNTIME_DIR");
    if (!runtime)
        return no_wayland_display(wayland_display.c_str(),
                                  "XDG_RUNTIME_DIR, the folder that would hold its socket, is not set");
    if (runtime[0] != '/')
        return no_wayland_display(wayland_display.c_str(),
                                  "XDG_RUNTIME_DIR " + quoted(runtime) +
                                      ", the folder that would hold its socket, is not an absolute path");
    return "";
}

// Whether the SDL 1.2 library this run loaded is sdl12-compat (1.2.50 and later, over SDL 2),
// which can draw on Wayland; the classic 1.2.15 has no Wayland driver and would fall back to
// drawing text in the terminal. Read without starting the video.
bool linked_sdl_is_compat() {
    SDL_version const* v = SDL_Linked_Version();
    return v && (v->major > 1 || (v->major == 1 && (v->minor > 2 || (v->minor == 2 && v->patch >= 50))));
}

std::string no_wayland_driver() {
    SDL_version const* v = SDL_Linked_Version();
    return "WAYLAND_DISPLAY is set but not DISPLAY, and this SDL 1.2 (" + std::to_string(v->major) + "." +
           std::to_string(v->minor) + "." + std::to_string(v->patch) +
           ") has no Wayland driver; start the game where DISPLAY is set (under XWayland, for instance), "
           "or on sdl12-compat";
}

void shut_down(bool audio_open) {
    keep_shown_screen_at_exit();
    drop_all_screens();
    save_records();
    loader.unload();
    if (audio_open) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_Quit();
}

}  // namespace

int orb_main(int argc, char** argv) {
    E2::os()->env_set("SDL_VIDEO_CENTERED", "1");
    if (chdir("Lunerra Solitaire.app/Contents") != 0) {
        // Assets are then looked up relative to the current folder.
    }

    CommandLine cl = parse_command_line(argc, argv);
    std::istringstream warnings(cl.warning);
    for (std::string line; std::getline(warnings, line);) std::fprintf(stderr, "lunerra: %s\n", line.c_str());
    E2::PerfMon::push_enabled(cl.perf);
    std::string const archive_problem = qdata_check();
    if (!archive_problem.empty()) {
        std::fprintf(stderr, "lunerra: %s\n", archive_problem.c_str());
        return 1;
    }

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    read_records();
    if (cl.window) options.fullscreen = false;
    if (cl.fullscreen) options.fullscreen = true;

    if (cl.no_sound) Snd::set_enabled(false);
    // With no display and no driver named, the media layer would fall back to drawing text
    // in the terminal, after writing its set-up codes there: it is not started at all.
    // Copies: setting the environment may move what getenv pointed to.
    std::string const asked = env_value("SDL_VIDEODRIVER") ? env_value("SDL_VIDEODRIVER") : "";
    std::string const x11_display = env_value("DISPLAY") && asked.empty() ? env_value("DISPLAY") : "";
    std::string const wayland_display =
        env_value("WAYLAND_DISPLAY") && x11_display.empty() && asked.empty() ? env_value("WAYLAND_DISPLAY") : "";
    if (x11_display.empty() && asked.empty() && wayland_display.empty()) {
        std::fprintf(stderr, "lunerra: %s\n", no_display);
        return 1;
    }
    // Only a Wayland display: the classic library is not started on it, sdl12-compat is.
    if (x11_display.empty() && asked.empty() && !linked_sdl_is_compat()) {
        std::fprintf(stderr, "lunerra: %s\n", no_wayland_driver().c_str());
        return 1;
    }
    std::string const unfound = wayland_socket_unfound(wayland_display);
    if (!unfound.empty()) {
        std::fprintf(stderr, "lunerra: %s\n", unfound.c_str());
        return 1;
    }
    // Likewise with a display that cannot be opened: only the X11 driver (the same name in
    // both SDL 1.2 libraries) is tried on it.
    if (!x11_display.empty()) E2::os()->env_set("SDL_VIDEODRIVER", "x11");
    SDL_Init(SDL_INIT_VIDEO | (Snd::is_enabled() ? SDL_INIT_AUDIO : 0u) |
             (cl.no_parachute ? SDL_INIT_NOPARACHUTE : 0u));
    auto or_null = [](std::string const& v) { return v.empty() ? nullptr : v.c_str(); };
    std::string const video_refused =
        video_problem(SDL_GetError(), or_null(asked), or_null(x11_display), or_null(wayland_display));
    if (!video_refused.empty()) {
        // After the media layer has given the terminal back, so the message stays readable.
        SDL_Quit();
        std::fprintf(stderr, "lunerra: %s\n", video_refused.c_str());
        return 1;
    }
    bool audio_open = Snd::is_enabled() && Snd::open_audio();

    E2::Video* video = E2::get_video();
    bool widescreen = video->is_widescreen();
    set_window_caption("Quorlan Games - Lunerra Solitaire!");
    E2::os()->set_title_icon("IDI_ICON2", 103);

    E2::VideoMode request = startup_video_mode(cl, &options.fullscreen, video->desktop_mode(), widescreen);
    SDL_Surface* s = video->set_recommended_mode(request) ? SDL_GetVideoSurface() : nullptr;
    if (!s) {
        std::fprintf(stderr, "lunerra: no video mode could be set: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    reapply_window_caption();
    ScreenHacks::set_screen_view({s->w, s->h});
    SDL_ShowCursor(0);

    schedule_screen_images();
    register_sounds();
    bjmgr.reset({s->w, s->h}, cl.grid);

    tde_stack.push_front(&splashscreen);

    SdlMedia media;
    FrameLoop loop(media, tde_stack, bjmgr);
    loop.set_redraw_view(cl.redraw_view);
    loop.set_grid_size(cl.grid);
    add_companions(loop);
    loop.start();
    loop.run();

    shut_down(audio_open);
    return 0;
}

extern "C" int SDL_main(int argc, char** argv) { return orb_main(argc, argv); }
