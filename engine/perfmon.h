#pragma once

#include <ostream>
#include <string>
#include <sys/time.h>

namespace E2 {

// A named stopwatch with a tick count. It counts only while the global
// enable stack is not empty and its top is true.
class PerfMon {
public:
    explicit PerfMon(std::string const& name, bool start = false);

    void start();
    // Adds the time since the last start or sync to the totals.
    void sync();
    void stop();
    void tick(unsigned n = 1);

    static void push_enabled(bool on);
    static void pop_enabled();
    static bool is_enabled();

    double seconds() const;
    double ms_per_tick() const;

    std::string name;
    unsigned int ticks = 0;
    bool running = false;
    int s = 0;
    int us = 0;  // below 1,000,000
    timeval last{};
};

// "name ticks ticks in seconds seconds (ms ms/tick)"
std::ostream& operator<<(std::ostream& out, PerfMon const& p);

}  // namespace E2
