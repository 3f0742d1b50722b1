#pragma once
// The lunerra_bench harness: a plain timer with its own main. Each group of
// figures lives in its own bench/*.cpp and registers itself with
// LUNERRA_BENCH_GROUP; the program runs every group (in order of their keys),
// prints one line "name: value" per figure (milliseconds per operation), then
// the registered ratios "ratio.name: value".
//
// Adding figures: write bench/<topic>_bench.cpp with
//     LUNERRA_BENCH_GROUP(50, my_group) { r.figure("my.op", bench::time_ms([&] { ... })); }
// and, for a ratio of two figures, r.ratio("my_vs_other", "my.op", "other.op").

#include <functional>
#include <string>
#include <vector>

namespace bench {

// Milliseconds per call of op: calibrated batches of about batch_ms each, the
// fastest of `batches` batches (the least disturbed by the rest of the machine).
double time_ms(const std::function<void()>& op, int batches = 0, double batch_ms = 0);
// The same for several operations whose batches take turns (A, B, A, B, ...),
// so that a change in the machine's load weighs on all of them alike: use it
// for the two sides of a ratio.
std::vector<double> time_ms_each(const std::vector<std::function<void()>>& ops, int batches = 0,
                                 double batch_ms = 0);

class Reporter {
public:
    virtual ~Reporter() = default;
    // Records and prints a figure (ms per operation).
    virtual void figure(const std::string& name, double ms) = 0;
    // Registers ratio.<name> = numerator / denominator, printed after all figures.
    virtual void ratio(const std::string& name, const std::string& numerator,
                       const std::string& denominator) = 0;
    // A line "# text" on standard error (standard output carries only figures).
    virtual void note(const std::string& text) = 0;
};

typedef void (*GroupFn)(Reporter&);

struct Registrar {
    Registrar(int order, const char* name, GroupFn fn);
};

// Settings from the command line (see bench_main.cpp).
struct Settings {
    int batches = 15;
    double batch_ms = 10.0;
    std::string filter;  // run only groups whose name contains it
};
const Settings& settings();

// Makes the build tree (the folder above bench/) the working folder, so that the
// archive is found as data/q.dat; false when it is not there.
bool enter_build_folder();

}  // namespace bench

#define LUNERRA_BENCH_GROUP(order, name)                                                                \
    static void lunerra_bench_group_##name(::bench::Reporter& r);                                       \
    static const ::bench::Registrar lunerra_bench_reg_##name(order, #name, lunerra_bench_group_##name); \
    static void lunerra_bench_group_##name([[maybe_unused]] ::bench::Reporter& r)
