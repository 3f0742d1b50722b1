// Figures of the display list on the 1024 x 768 32-bit screen surface, with a
// Klondike-like scene of the archive's own images (the table background, the
// overlays, the bottom bar and its title, the top-bar buttons, 52 cards): a cold
// list that repaints every cell, the same jobs again (no cell dirty), one card
// dragged 5 px a frame, and a plain copy of the frame's bytes to compare with. The
// redraw stops at the screen surface; the media layer's own presentation of the whole
// screen (SDL_UpdateRect, which sdl12-compat copies into an SDL 2 texture) is apart.

#include "bench.h"

#include "blit_job_manager.h"
#include "screen_hacks.h"
#include "surf.h"

#include <SDL/SDL.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Placed {
    Surf* image;
    int x, y;
};

class Scene {
public:
    explicit Scene(SDL_Surface* screen) : screen_(screen) {
        list_.reset({screen->w, screen->h}, 8);
        put("i/game/bg/bg0.jpg", 0, 48);
        put("i/game/o/overlay_klondike.png", 98, 74);
        put("i/game/o/overlay_bottombar.png", 0, 733);
        put("i/game/o/overlay_title_klondike.png", 892, 733);
        const std::pair<const char*, int> bar[] = {{"newdeal", 0},       {"undo", 152},  {"newgame", 242},
                                                   {"gamerules", 392}, {"gameoptions", 566}, {"stats", 766},
                                                   {"mainmenu", 859}};
        for (auto const& [stem, at] : bar) put(std::string("i/game/") + stem + "_up.png", at, 0);
        for (int i = 0; i < 24; ++i) put("i/game/cards/back0.png", 104 + i / 4, 80 + i / 4);
        const char suits[] = "cdhs";
        int card = 0;
        for (int p = 0; p < 7; ++p)
            for (int k = 0; k <= p; ++k, ++card)
                put(std::string("i/game/cards/") + suits[card % 4] + std::to_string(card % 13) + ".png",
                    103 + 120 * p, 261 + 26 * k);
        dragged_ = placed_.size() - 1;
    }

    void frame(bool cold, bool drag) {
        if (cold) list_.clear();
        if (drag) {
            Placed& c = placed_[dragged_];
            c.x = 100 + (c.x - 100 + 5) % 800;
        }
        for (Placed const& p : placed_)
            list_.insert(BlitJob(E2::op_blit, E2::blend_alpha, p.image, E2::Vec2<int>(p.x, p.y), E2::Color(), 255));
        list_.apply_effects();
        list_.recalc_dirties();
        list_.execute(screen_);
        updated_ = list_.update_rect_count();
        list_.flip();
    }

    int updated() const { return updated_; }

private:
    void put(std::string const& name, int x, int y) {
        images_.emplace_back(new Surf("." + name, nullptr));
        Surf* s = images_.back().get();
        s->load();
        if (Surf::ok(s)) placed_.push_back({s, x, y});
    }

    SDL_Surface* screen_;
    BlitJobManager list_;
    std::vector<std::unique_ptr<Surf>> images_;
    std::vector<Placed> placed_;
    std::size_t dragged_ = 0;
    int updated_ = 0;
};

}  // namespace

LUNERRA_BENCH_GROUP(60, display_list) {
    if (!bench::enter_build_folder()) {
        r.note("display: data/q.dat not found beside the bench folder; skipped");
        return;
    }
    SDL_Surface* screen = nullptr;
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || !(screen = SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE))) {
        r.note("display: no video mode; skipped");
        return;
    }
    ScreenHacks::set_screen_view({1024, 768});
    Scene scene(screen);
    scene.frame(true, false);

    std::vector<Uint8> from(std::size_t(screen->pitch) * screen->h, 1), to(from.size());
    const std::vector<double> full = bench::time_ms_each(
        {[&] { scene.frame(true, false); }, [&] { std::memcpy(to.data(), from.data(), from.size()); }});
    r.figure("display.full_redraw", full[0]);
    r.figure("display.memcpy_frame", full[1]);
    r.ratio("full_redraw_vs_memcpy", "display.full_redraw", "display.memcpy_frame");
    r.figure("display.present", bench::time_ms([&] { SDL_UpdateRect(screen, 0, 0, 0, 0); }));

    scene.frame(true, false);
    r.figure("display.idle_frame", bench::time_ms([&] { scene.frame(false, false); }));
    if (scene.updated() != 0) r.note("display: the idle frame updated " + std::to_string(scene.updated()) + " rectangles");
    r.figure("display.drag_frame", bench::time_ms([&] { scene.frame(false, true); }));
}
