#pragma once
// The frame loop's hook for the end-to-end tests, off unless LUNERRA_TEST_HOOKS names a
// folder. Then SIGUSR1 asks for <folder>/frames.txt, written after the next frame: the
// frames run so far, how many of them handed rectangles to the window and the last one
// that did, the media clock at that frame, the video mode, the display list's grid, the
// stored full-screen option, the key, button and motion events the loop has read and the
// frame that read the last of them, the front screen's class and phase, and the history
// of front screens and phases (an entry for each new front object and each change of
// phase), each with the frame and the clock at which it began (so a test sees every phase
// the game went through, however briefly it showed); the first begins at the loop's start,
// where the first screen's clock starts, however late its first frame comes.

#include <SDL/SDL.h>

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

    // Listens for SIGUSR1 when the hooks are on; start_ms is the loop's starting clock.
    void install(unsigned start_ms);
    // Counts an event the loop read from the queue, if it is a key, button or motion.
    void count_input(SDL_Event const& e);
    // With the hooks on: note(f), and the report written when one was asked for.
    void after_frame(FrameFacts const& f);
    // Counts one frame and notes a new front object or phase.
    void note(FrameFacts const& f);
    // The report on the frame last noted, as frames.txt holds it.
    std::string text(FrameFacts const& f) const;

private:
    struct Entry {
        std::string screen;
        std::string phase;
        unsigned long frame;
        unsigned ms;
    };

    unsigned long frames_ = 0, painted_ = 0, last_painted_ = 0;
    unsigned long keys_ = 0, buttons_ = 0, motions_ = 0, last_input_ = 0;
    unsigned long last_front_ = 0;  // its serial
    unsigned start_ms_ = 0;
    std::deque<Entry> history_;
    bool on_ = false;
};

}  // namespace test_hooks
