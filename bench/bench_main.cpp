// The lunerra_bench main: runs every registered group, prints the figures and
// then the ratios. Options: --quick (fewer, shorter batches), --filter TEXT
// (only the groups whose name contains TEXT), --help.

#include "bench.h"

#include <SDL/SDL.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace bench {

bool enter_build_folder() {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return false;
    std::string dir(exe, size_t(n));
    dir = dir.substr(0, dir.rfind('/'));
    dir = dir.substr(0, dir.rfind('/'));
    return chdir(dir.c_str()) == 0 && access("data/q.dat", R_OK) == 0;
}

namespace {

struct Group {
    int order;
    std::string name;
    GroupFn fn;
};

std::vector<Group>& groups() {
    static std::vector<Group>* g = new std::vector<Group>();
    return *g;
}

Settings& mutable_settings() {
    static Settings s;
    return s;
}

class PrintingReporter : public Reporter {
public:
    void figure(const std::string& name, double ms) override {
        m_figures[name] = ms;
        std::printf("%s: %.6f\n", name.c_str(), ms);
        std::fflush(stdout);
    }
    void ratio(const std::string& name, const std::string& num, const std::string& den) override {
        m_ratios.push_back({name, num, den});
    }
    void note(const std::string& text) override { std::fprintf(stderr, "# %s\n", text.c_str()); }
    void print_ratios() const {
        for (const Ratio& r : m_ratios) {
            auto n = m_figures.find(r.num), d = m_figures.find(r.den);
            if (n == m_figures.end() || d == m_figures.end() || d->second <= 0) continue;
            std::printf("ratio.%s: %.4f\n", r.name.c_str(), n->second / d->second);
        }
    }

private:
    struct Ratio {
        std::string name, num, den;
    };
    std::map<std::string, double> m_figures;
    std::vector<Ratio> m_ratios;
};

}  // namespace

Registrar::Registrar(int order, const char* name, GroupFn fn) {
    groups().push_back(Group{order, name, fn});
}

const Settings& settings() {
    return mutable_settings();
}

std::vector<double> time_ms_each(const std::vector<std::function<void()>>& ops, int batches,
                                 double batch_ms) {
    typedef std::chrono::steady_clock clock;
    if (batches <= 0) batches = settings().batches;
    if (batch_ms <= 0) batch_ms = settings().batch_ms;
    auto run = [](const std::function<void()>& op, long n) {
        const auto t0 = clock::now();
        for (long i = 0; i < n; ++i) op();
        return std::chrono::duration<double, std::milli>(clock::now() - t0).count();
    };
    // Calibrate each operation to batches of about batch_ms.
    std::vector<long> counts;
    for (const auto& op : ops) {
        op();  // warm up caches, pools and lazily built tables
        long n = 1;
        double t = run(op, n);
        while (t < batch_ms / 4 && n < (1L << 30)) {
            n *= 2;
            t = run(op, n);
        }
        counts.push_back(std::max(1L, long(double(n) * batch_ms / std::max(t, 1e-6))));
    }
    std::vector<double> best(ops.size(), 1e300);
    for (int b = 0; b < batches; ++b)
        for (std::size_t i = 0; i < ops.size(); ++i)
            best[i] = std::min(best[i], run(ops[i], counts[i]) / double(counts[i]));
    return best;
}

double time_ms(const std::function<void()>& op, int batches, double batch_ms) {
    return time_ms_each({op}, batches, batch_ms)[0];
}

}  // namespace bench

int main(int argc, char** argv) {
    bench::Settings& s = bench::mutable_settings();
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--quick")) {
            s.batches = 3;
            s.batch_ms = 5.0;
        } else if (!std::strcmp(argv[i], "--filter") && i + 1 < argc) {
            s.filter = argv[++i];
        } else {
            std::printf("usage: %s [--quick] [--filter TEXT]\n", argv[0]);
            return std::strcmp(argv[i], "--help") ? 2 : 0;
        }
    }
    // Software surfaces only; the dummy driver keeps the program headless.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);

    std::vector<bench::Group> gs = bench::groups();
    std::stable_sort(gs.begin(), gs.end(),
                     [](const bench::Group& a, const bench::Group& b) { return a.order < b.order; });
    bench::PrintingReporter rep;
    SDL_version const* v = SDL_Linked_Version();
    // sdl12-compat reports 1.2.50 or later; the classic library 1.2.15.
    rep.note("SDL " + std::to_string(v->major) + "." + std::to_string(v->minor) + "." + std::to_string(v->patch) +
             (v->patch >= 50 ? " (sdl12-compat)" : " (classic)"));
    rep.note("milliseconds per operation (load.rss_mb: MB), fastest of " + std::to_string(s.batches) + " batches");
    for (const bench::Group& g : gs) {
        if (!s.filter.empty() && g.name.find(s.filter) == std::string::npos) continue;
        g.fn(rep);
    }
    rep.print_ratios();
    SDL_Quit();
    return 0;
}
