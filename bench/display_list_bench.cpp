// Figures of the display list: a play-screen-like frame of one full-screen background
// and 120 cards (99 x 144) onto a 1024 x 768 32-bit frame, replayed as the frame loop
// does (insert, recalc_dirties, execute, flip) when nothing changes, when one card
// moves, and when every cell must be repainted; plus the bookkeeping alone.

#include "bench.h"

#include "blit_job_manager.h"
#include "surf.h"

#include <SDL/SDL.h>

#include <memory>
#include <vector>

namespace {

SDL_Surface* rgba(int w, int h, Uint32 pixel) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0x00FF0000, 0x0000FF00,
                                          0x000000FF, 0xFF000000);
    SDL_FillRect(s, nullptr, pixel);
    return s;
}

struct Scene {
    std::unique_ptr<Surf> background{new Surf("bg", rgba(1024, 768, 0xFF203040))};
    std::unique_ptr<Surf> card{new Surf("card", rgba(99, 144, 0xFFF0F0E0))};
    SDL_Surface* frame = SDL_CreateRGBSurface(SDL_SWSURFACE, 1024, 768, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    BlitJobManager list;
    int moving_x = 0;

    Scene() { list.reset({1024, 768}, 8); }
    ~Scene() { SDL_FreeSurface(frame); }

    void submit(bool move) {
        list.insert(BlitJob(E2::op_blit, E2::blend_matte, background.get(), E2::Vec2<int>(0, 0), E2::Color(), 255));
        for (int i = 0; i < 120; ++i) {
            int x = 20 + (i % 10) * 100, y = 40 + (i / 10) * 60;
            if (move && i == 0) x = moving_x = (moving_x + 7) % 900;
            list.insert(BlitJob(E2::op_blit, E2::blend_alpha, card.get(), E2::Vec2<int>(x, y), E2::Color(), 255));
        }
    }

    void frame_once(bool move, bool repaint_all, bool draw) {
        if (repaint_all) list.clear();
        submit(move);
        list.apply_effects();
        list.recalc_dirties();
        if (draw) list.execute(frame);
        list.flip();
    }
};

}  // namespace

LUNERRA_BENCH_GROUP(60, display_list) {
    Scene scene;
    scene.frame_once(false, false, true);
    r.figure("display.frame_unchanged", bench::time_ms([&] { scene.frame_once(false, false, true); }));
    r.figure("display.frame_one_card_moves", bench::time_ms([&] { scene.frame_once(true, false, true); }));
    r.figure("display.frame_full_repaint", bench::time_ms([&] { scene.frame_once(false, true, true); }));
    r.figure("display.bookkeeping_only", bench::time_ms([&] { scene.frame_once(true, false, false); }));
    r.ratio("display.full_vs_one_card", "display.frame_full_repaint", "display.frame_one_card_moves");
}
