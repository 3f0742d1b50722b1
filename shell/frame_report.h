#pragma once
// The frame loop's hook for the end-to-end tests, off unless LUNERRA_TEST_HOOKS names a
// folder. Then SIGUSR1 asks for <folder>/frames.txt, written after the next frame: the
// frames run so far, how many of them handed rectangles to the window and the last one
// that did, the media clock at that frame, the video mode, the display list's grid, the
// stored full-screen option, the front screen's class and phase, and the history of
// front screens and phases, each with the frame and the clock at which it began (so a
// test sees every phase the game went through, however briefly it showed).

#include <deque>
#include <string>

class TDE;

namespace test_hooks {

// The folder, or empty when the hooks are off.
std::string const& folder();

struct FrameFacts {
    int update_rects = 0;
    unsigned now_ms = 0;
    int width = 0, height = 0;
    unsigned grid = 0;
    bool fullscreen = false;
    TDE const* front = nullptr;
};

class FrameReport {
public:
    static constexpr std::size_t history_length = 32;

    // Listens for SIGUSR1 when the hooks are on.
    void install();
    // Counts one frame, notes a change of front screen or phase, and writes the report
    // when one was asked for.
    void after_frame(FrameFacts const& f);

private:
    struct Entry {
        std::string screen;
        std::string phase;
        unsigned long frame;
        unsigned ms;
    };

    unsigned long frames_ = 0, painted_ = 0, last_painted_ = 0;
    TDE const* last_front_ = nullptr;
    std::deque<Entry> history_;
    bool on_ = false;
};

}  // namespace test_hooks
