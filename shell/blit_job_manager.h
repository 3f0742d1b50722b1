#pragma once
// The display list: every frame's jobs in paint order, a grid of cells that remember
// which jobs touched them in the previous frame, and the replay of the whole frame into
// the rectangles whose cells changed.

#include <SDL/SDL.h>

#include <list>
#include <vector>

#include "blit_job.h"
#include "blit_job_effect.h"
#include "geom.h"

// One grid cell.
struct DRect {
    E2::Rect<int> rect;
    std::vector<BlitJob*> prev;  // jobs over the cell in the previous frame, in paint order
    std::vector<BlitJob*> cur;   // this frame's jobs over the cell, in paint order
    bool dirty = true;
};

class BlitJobManager {
public:
    static constexpr unsigned default_grid = 8;

    BlitJobManager() = default;
    ~BlitJobManager();
    BlitJobManager(BlitJobManager const&) = delete;
    BlitJobManager& operator=(BlitJobManager const&) = delete;

    // Forgets everything and builds an n-by-n grid over a screen of `size` pixels. The
    // last column and row take the remainder of the division, so the whole screen is
    // covered. n is held to 1..min(w, h) so that no cell is empty.
    void reset(E2::Vec2<int> const& size, unsigned n);
    unsigned grid_size() const { return static_cast<unsigned>(grid_.size()); }
    std::vector<std::vector<DRect>> const& grid() const { return grid_; }

    // Submits a copy of the job; the order of calls is the paint order.
    void insert(BlitJob const& job);
    // Submits a job allocated from E2::MemoryManager with sizeof(BlitJob); owned from here on.
    void insert(BlitJob* job);
    // Adds a submitted job to every cell it overlaps.
    void merge_job(BlitJob* job);

    // The end of a frame, in this order.
    void apply_effects();
    void recalc_dirties();
    void execute(SDL_Surface* s);
    void flip();

    // Forgets every remembered job: the next frame repaints every cell that gets a job.
    void clear();

    void tick(unsigned now, unsigned dt);
    void push_effect(BlitJobEffect* e);
    void apply_effect(BlitJobEffect* e);
    void clear_effects();

    std::vector<BlitJob*> const& jobs() const { return jobs_; }
    std::vector<SDL_Rect> const& update_rects() const { return update_rects_; }
    int update_rect_count() const { return static_cast<int>(update_rects_.size()); }
    SDL_Rect* update_rect_data() { return update_rects_.data(); }
    std::vector<E2::Rect<int>> const& dirty_rects() const { return dirty_rects_; }

private:
    static void free_jobs(std::vector<BlitJob*>& jobs);

    std::vector<std::vector<DRect>> grid_;
    std::vector<BlitJob*> jobs_;
    std::vector<BlitJob*> old_jobs_;
    std::vector<SDL_Rect> update_rects_;
    std::vector<E2::Rect<int>> dirty_rects_;
    std::list<BlitJobEffect*> effects_;
};

// The one display list.
extern BlitJobManager bjmgr;
