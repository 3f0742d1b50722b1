#include "frame_report.h"

#include <cxxabi.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "tde.h"

namespace test_hooks {

namespace {

volatile std::sig_atomic_t asked = 0;

extern "C" void on_report_signal(int) { asked = 1; }

std::string class_name(TDE const* t) {
    if (!t) return "none";
    char const* raw = typeid(*t).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(abi::__cxa_demangle(raw, nullptr, nullptr, &status), std::free);
    return status == 0 && plain ? plain.get() : raw;
}

}  // namespace

std::string const& folder() {
    static std::string const dir = [] {
        char const* v = std::getenv("LUNERRA_TEST_HOOKS");
        return std::string(v ? v : "");
    }();
    return dir;
}

void FrameReport::install() {
    on_ = !folder().empty();
    if (on_) std::signal(SIGUSR1, on_report_signal);
}

void FrameReport::after_frame(FrameFacts const& f) {
    if (!on_) return;
    ++frames_;
    if (f.update_rects > 0) {
        ++painted_;
        last_painted_ = frames_;
    }
    // A front screen is named once per change: a new object, or a new phase of the same.
    std::string phase = f.front ? f.front->phase() : "-";
    if (history_.empty() || f.front != last_front_ || phase != history_.back().phase) {
        std::string name = class_name(f.front);
        if (history_.empty() || name != history_.back().screen || phase != history_.back().phase) {
            history_.push_back({std::move(name), std::move(phase), frames_, f.now_ms});
            if (history_.size() > history_length) history_.pop_front();
        }
        last_front_ = f.front;
    }
    if (!asked) return;
    asked = 0;
    std::string const path = folder() + "/frames.txt", tmp = path + ".tmp";
    if (FILE* out = std::fopen(tmp.c_str(), "w")) {
        std::fprintf(out, "frames %lu\npainted %lu\nlast_painted %lu\nms %u\nmode %dx%d\ngrid %u\nfullscreen %d\n",
                     frames_, painted_, last_painted_, f.now_ms, f.width, f.height, f.grid, f.fullscreen ? 1 : 0);
        Entry const& now = history_.back();
        std::fprintf(out, "screen %s\nphase %s\nsince %lu\nhistory", now.screen.c_str(), now.phase.c_str(), now.frame);
        for (Entry const& e : history_) std::fprintf(out, " %s:%s@%lu:%u", e.screen.c_str(), e.phase.c_str(), e.frame, e.ms);
        std::fprintf(out, "\n");
        std::fclose(out);
        std::rename(tmp.c_str(), path.c_str());
    }
}

}  // namespace test_hooks
