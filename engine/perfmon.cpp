#include "perfmon.h"

#include <deque>

namespace E2 {

namespace {

// Built on first use, so stopwatches made during static initialisation
// anywhere can consult it.
std::deque<bool>& enable_stack() {
    static std::deque<bool>* const stack = new std::deque<bool>();
    return *stack;
}

}  // namespace

PerfMon::PerfMon(std::string const& label, bool start_now) : name(label) {
    if (start_now) start();
}

void PerfMon::start() {
    if (!is_enabled()) return;
    running = true;
    gettimeofday(&last, nullptr);
}

void PerfMon::sync() {
    if (!is_enabled() || !running) return;
    timeval now;
    gettimeofday(&now, nullptr);
    long d_s = static_cast<long>(now.tv_sec - last.tv_sec);
    long d_us = static_cast<long>(now.tv_usec - last.tv_usec);
    if (d_us < 0) {
        d_us += 1000000;
        d_s -= 1;
    }
    s += static_cast<int>(d_s);
    us += static_cast<int>(d_us);
    if (us >= 1000000) {
        us -= 1000000;
        s += 1;
    }
    last = now;
}

void PerfMon::stop() {
    sync();
    running = false;
}

void PerfMon::tick(unsigned n) {
    if (!is_enabled()) return;
    ticks += n;
    if (!running) start();
}

void PerfMon::push_enabled(bool on) { enable_stack().push_back(on); }

void PerfMon::pop_enabled() {
    if (!enable_stack().empty()) enable_stack().pop_back();
}

bool PerfMon::is_enabled() { return !enable_stack().empty() && enable_stack().back(); }

double PerfMon::seconds() const { return us / 1e6 + s; }

double PerfMon::ms_per_tick() const { return ticks ? seconds() * 1000.0 / ticks : 0.0; }

std::ostream& operator<<(std::ostream& out, PerfMon const& p) {
    return out << p.name << ' ' << p.ticks << " ticks in " << p.seconds() << " seconds ("
               << p.ms_per_tick() << " ms/tick)";
}

}  // namespace E2
