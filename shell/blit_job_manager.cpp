#include "blit_job_manager.h"

#include <algorithm>
#include <new>

#include "memory.h"
#include "perfmon.h"

BlitJobManager bjmgr;

namespace {

// Stopwatches for the job kinds, for profiling sessions.
E2::PerfMon display_counters[] = {
    E2::PerfMon("display-surf-matte"),       E2::PerfMon("display-surf-alpha"),
    E2::PerfMon("display-surf-additive"),    E2::PerfMon("display-surf-multiply"),
    E2::PerfMon("display-surf-dodge"),       E2::PerfMon("display-surf-scale-matte"),
    E2::PerfMon("display-surf-scale-alpha"), E2::PerfMon("display-surf-scale-additive"),
    E2::PerfMon("display-surf-scale-multiply"), E2::PerfMon("display-surf-scale-dodge"),
    E2::PerfMon("display-rect-matte"),       E2::PerfMon("display-rect-alpha"),
    E2::PerfMon("display-rect-additive"),    E2::PerfMon("display-rect-multiply"),
    E2::PerfMon("display-rect-dodge"),       E2::PerfMon("display-im"),
};

bool overlaps(E2::Rect<int> const& j, E2::Rect<int> const& c) {
    return !(j.x + j.w <= c.x || c.x + c.w <= j.x || j.y + j.h <= c.y || c.y + c.h <= j.y);
}

bool same_jobs(std::vector<BlitJob*> const& a, std::vector<BlitJob*> const& b) { return a == b; }

}  // namespace

BlitJobManager::~BlitJobManager() {
    clear();
    clear_effects();
}

void BlitJobManager::free_jobs(std::vector<BlitJob*>& jobs) {
    for (BlitJob* j : jobs) {
        j->~BlitJob();
        E2::MemoryManager::delete_bytes(j, sizeof(BlitJob));
    }
    jobs.clear();
}

void BlitJobManager::reset(E2::Vec2<int> const& size, unsigned n) {
    clear();
    int w = std::max(0, size.x), h = std::max(0, size.y);
    unsigned limit = static_cast<unsigned>(std::max(1, std::min(w, h)));
    n = std::min(std::max(n, 1u), limit);
    grid_.assign(n, std::vector<DRect>(n));
    int cw = w / static_cast<int>(n), ch = h / static_cast<int>(n);
    for (unsigned r = 0; r < n; ++r) {
        for (unsigned c = 0; c < n; ++c) {
            E2::Rect<int>& rc = grid_[r][c].rect;
            rc.x = static_cast<int>(c) * cw;
            rc.y = static_cast<int>(r) * ch;
            rc.w = c + 1 == n ? w - rc.x : cw;
            rc.h = r + 1 == n ? h - rc.y : ch;
        }
    }
}

void BlitJobManager::insert(BlitJob const& job) {
    void* block = E2::MemoryManager::alloc_bytes(sizeof(BlitJob));
    insert(new (block) BlitJob(job));
}

void BlitJobManager::insert(BlitJob* job) {
    if (!job) return;
    jobs_.push_back(job);
    merge_job(job);
}

void BlitJobManager::merge_job(BlitJob* job) {
    E2::Rect<int> const& j = job->rect;
    for (auto& row : grid_) {
        if (row.empty()) continue;
        E2::Rect<int> const& first = row.front().rect;
        if (j.y + j.h <= first.y || first.y + first.h <= j.y) continue;
        for (DRect& cell : row)
            if (overlaps(j, cell.rect)) cell.cur.push_back(job);
    }
}

void BlitJobManager::apply_effects() {
    for (BlitJobEffect* e : effects_) apply_effect(e);
}

void BlitJobManager::apply_effect(BlitJobEffect* e) {
    if (!e) return;
    for (BlitJob* j : jobs_) (*e)(*j);
}

void BlitJobManager::recalc_dirties() {
    std::vector<E2::Rect<int>> runs;
    for (auto& row : grid_) {
        bool left_dirty = false;
        for (DRect& cell : row) {
            cell.dirty = !same_jobs(cell.cur, cell.prev);
            if (cell.dirty) {
                if (left_dirty)
                    runs.back().w += cell.rect.w;
                else
                    runs.push_back(cell.rect);
            }
            left_dirty = cell.dirty;
        }
    }

    std::vector<E2::Rect<int>> rects;
    for (E2::Rect<int> const& run : runs) {
        auto above = std::find_if(rects.begin(), rects.end(), [&](E2::Rect<int> const& m) {
            return m.x == run.x && m.w == run.w && m.y + m.h == run.y;
        });
        if (above != rects.end())
            above->h += run.h;
        else
            rects.push_back(run);
    }

    update_rects_.clear();
    for (E2::Rect<int> const& r : rects) update_rects_.push_back(to_sdl_rect(r));
    dirty_rects_.insert(dirty_rects_.end(), rects.begin(), rects.end());
}

void BlitJobManager::execute(SDL_Surface* s) {
    if (!s) return;
    for (E2::Rect<int> const& d : dirty_rects_) {
        SDL_Rect clip = to_sdl_rect(d);
        SDL_SetClipRect(s, &clip);
        for (BlitJob const* j : jobs_) j->execute(s);
    }
    SDL_SetClipRect(s, nullptr);
}

void BlitJobManager::flip() {
    for (auto& row : grid_) {
        for (DRect& cell : row) {
            cell.prev.swap(cell.cur);
            cell.cur.clear();
        }
    }
    update_rects_.clear();
    free_jobs(old_jobs_);
    old_jobs_.swap(jobs_);
    dirty_rects_.clear();
}

void BlitJobManager::clear() {
    update_rects_.clear();
    for (auto& row : grid_) {
        for (DRect& cell : row) {
            cell.prev.clear();
            cell.cur.clear();
        }
    }
    free_jobs(jobs_);
    free_jobs(old_jobs_);
    dirty_rects_.clear();
}

void BlitJobManager::tick(unsigned now, unsigned dt) {
    for (auto it = effects_.begin(); it != effects_.end();) {
        if (!(*it)->is_active()) {
            delete *it;
            it = effects_.erase(it);
        } else {
            (*it)->tick(now, dt);
            ++it;
        }
    }
}

void BlitJobManager::push_effect(BlitJobEffect* e) {
    if (e) effects_.push_back(e);
}

void BlitJobManager::clear_effects() {
    for (BlitJobEffect* e : effects_) delete e;
    effects_.clear();
}
