#pragma once
// The frame loop's hook for the end-to-end tests, off unless LUNERRA_TEST_HOOKS names a
// folder. Then SIGUSR1 asks for <folder>/frames.txt, written after the next frame: the
// frames run so far, how many of them handed rectangles to the window and the last one
// that did, the display list's grid, the stored full-screen option and the front
// screen's class.

#include <string>

class TDE;

namespace test_hooks {

// The folder, or empty when the hooks are off.
std::string const& folder();

class FrameReport {
public:
    // Listens for SIGUSR1 when the hooks are on.
    void install();
    // Counts one frame; writes the report when one was asked for.
    void after_frame(int update_rects, unsigned grid, bool fullscreen, TDE const* front);

private:
    unsigned long frames_ = 0, painted_ = 0, last_painted_ = 0;
    bool on_ = false;
};

}  // namespace test_hooks
