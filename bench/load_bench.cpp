// Figures of the image loader: every image member of the archive decoded from
// data/q.dat, converted to the display format and scaled, at 1024 x 768 and at
// 800 x 600 (the 25/32 path); the slowest single image; the resident memory once
// every image is loaded.

#include "bench.h"

#include "loader.h"
#include "qdata_index.h"
#include "screen_hacks.h"

#include <SDL/SDL.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

bool is_image(const std::string& name) {
    auto ends = [&](const char* suffix) {
        std::string s(suffix);
        return name.size() > s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0;
    };
    return ends(".png") || ends(".jpg");
}

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

long rss_kb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

struct Pass {
    double total_ms = 0, slowest_ms = 0;
    std::string slowest;
    long rss_kb = 0;
};

// Loads every image once through a fresh loader at the given screen size.
Pass load_all(int w, int h) {
    ScreenHacks::set_screen_view({w, h});
    Pass p;
    auto loader = std::make_unique<Loader>("bench");
    std::vector<std::string> names;
    for (size_t i = 0; i < qdata_row_count; ++i)
        if (is_image(qdata_rows[i].name)) names.push_back(std::string(".") + qdata_rows[i].name);
    for (const auto& n : names) loader->schedule_surface(n);
    double start = now_ms();
    while (loader->has_jobs()) {
        std::string next = *loader->jobs().begin();
        double t = now_ms();
        loader->process_job();
        double dt = now_ms() - t;
        if (dt > p.slowest_ms) {
            p.slowest_ms = dt;
            p.slowest = next;
        }
    }
    p.total_ms = now_ms() - start;
    p.rss_kb = rss_kb();
    return p;
}

}  // namespace

LUNERRA_BENCH_GROUP(30, load) {
    if (!bench::enter_build_folder()) {
        r.note("load: data/q.dat not found beside the bench folder; skipped");
        return;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE)) {
        r.note("load: no video mode; skipped");
        return;
    }
    Pass big = load_all(1024, 768);
    r.figure("load.all_images_1024", big.total_ms);
    r.figure("load.largest_image_1024", big.slowest_ms);
    r.note("slowest at 1024x768: " + big.slowest);
    r.figure("load.rss_mb", double(big.rss_kb) / 1024.0);

    Pass small = load_all(800, 600);
    r.figure("load.all_images_800", small.total_ms);
    r.figure("load.largest_image_800", small.slowest_ms);
    r.note("slowest at 800x600: " + small.slowest);
    ScreenHacks::set_screen_view({1024, 768});
}
