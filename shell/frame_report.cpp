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

void FrameReport::install(unsigned start_ms) {
    start_ms_ = start_ms;
    on_ = !folder().empty();
    if (on_) std::signal(SIGUSR1, on_report_signal);
}

void FrameReport::count_input(SDL_Event const& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        ++keys_;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        ++buttons_;
        break;
    case SDL_MOUSEMOTION:
        ++motions_;
        break;
    default:
        return;
    }
    last_input_ = frames_;
}

void FrameReport::after_frame(FrameFacts const& f) {
    if (!on_) return;
    note(f);
    if (!asked) return;
    asked = 0;
    std::string const path = folder() + "/frames.txt", tmp = path + ".tmp";
    if (FILE* out = std::fopen(tmp.c_str(), "w")) {
        std::string const body = text(f);
        std::fwrite(body.data(), 1, body.size(), out);
        std::fclose(out);
        std::rename(tmp.c_str(), path.c_str());
    }
}

void FrameReport::note(FrameFacts const& f) {
    ++frames_;
    if (f.update_rects > 0) {
        ++painted_;
        last_painted_ = frames_;
    }
    // An entry for each new front object and each new phase of the same.
    std::string phase = f.front ? f.front->phase() : "-";
    unsigned long const front = f.front ? f.front->serial() : 0;
    if (history_.empty() || front != last_front_ || phase != history_.back().phase) {
        history_.push_back({class_name(f.front), std::move(phase), frames_, frames_ == 1 ? start_ms_ : f.now_ms});
        if (history_.size() > history_length) history_.pop_front();
        last_front_ = front;
    }
}

std::string FrameReport::text(FrameFacts const& f) const {
    char line[256];
    std::snprintf(line, sizeof line,
                  "frames %lu\npainted %lu\nlast_painted %lu\nms %u\nmode %dx%d\ngrid %u\nfullscreen %d\n"
                  "keys %lu\nbuttons %lu\nmotions %lu\nlast_input %lu\n",
                  frames_, painted_, last_painted_, f.now_ms, f.width, f.height, f.grid, f.fullscreen ? 1 : 0,
                  keys_, buttons_, motions_, last_input_);
    std::string out = line;
    if (history_.empty()) return out;
    Entry const& now = history_.back();
    out += "screen " + now.screen + "\nphase " + now.phase + "\nsince " + std::to_string(now.frame) + "\nhistory";
    for (Entry const& e : history_)
        out += " " + e.screen + ":" + e.phase + "@" + std::to_string(e.frame) + ":" + std::to_string(e.ms);
    return out + "\n";
}

}  // namespace test_hooks
