#pragma once
// The frame loop: at most one frame per 10 ms it ticks the current screen and the
// always-present objects, lets them draw into the display list, presents the changed
// rectangles and drains the pending events into the current screen.

#include <SDL/SDL.h>

#include <functional>
#include <vector>

#include "frame_report.h"
#include "perfmon.h"
#include "tde.h"

class BlitJobManager;
class Media;
class TDEManager;

// Set by a widget whose state changes on mouse motion: the drain stops for the frame so
// that the change is drawn before further motion is handled.
extern bool stop_event_drain;

class FrameLoop {
public:
    FrameLoop(Media& media, TDEManager& stack, BlitJobManager& display);

    // Outlines every redrawn rectangle and flips the whole screen.
    void set_redraw_view(bool on) { redraw_view_ = on; }
    // The grid size to keep across a change of video mode.
    void set_grid_size(unsigned n) { grid_ = n; }
    unsigned grid_size() const { return grid_; }
    // An object ticked and drawn after the current screen every frame (such as the mouse
    // pointer); with takes_events it sees each event before the current screen.
    void add_companion(TDE* t, bool takes_events);
    // Called for Ctrl+Page Up with the grid size; the default switches the window size.
    void set_video_switch(std::function<void(unsigned)> f) { video_switch_ = std::move(f); }

    // The window state from the media layer and the first frame's time.
    void start();
    // One frame; false when the loop has ended (the stack is empty or the window is gone).
    bool run_frame();
    // Frames until the loop ends.
    void run();

    AppState const& app_state() const { return app_; }
    unsigned last_frame_ms() const { return last_; }
    test_hooks::FrameReport const& report() const { return report_; }

private:
    // Sleeps until 10 ms have passed since the last frame; false on an empty stack.
    bool pace(unsigned& now);
    void tick(unsigned now, unsigned dt);
    void present(SDL_Surface* s, unsigned now);
    // A motion event at the pointer's real place, with no button held, for a screen that
    // has just become current, after input that may have closed a dialog, and after a
    // motion that changed a hover state (a screen offers a motion to its widgets until
    // one takes it): buttons lit before then follow the pointer without waiting for it
    // to move, one change a frame until none changes.
    void sync_hover();
    void drain_events();
    // False when the drain is over for this frame.
    bool dispatch(SDL_Event& e);
    void on_activation(SDL_Event const& e);
    void to_world(SDL_Event& e);

    struct Companion {
        TDE* tde;
        bool takes_events;
    };

    Media& media_;
    TDEManager& stack_;
    BlitJobManager& display_;
    std::vector<Companion> companions_;
    std::function<void(unsigned)> video_switch_;
    test_hooks::FrameReport report_;
    bool redraw_view_ = false;
    unsigned grid_ = 8;
    AppState app_;
    unsigned last_ = 0;
    bool got_event_ = false;
    TDE* hover_synced_ = nullptr;  // the screen that last had its hover synced
    bool hover_stale_ = false;     // input since then may have closed a dialog or
                                   // changed a hover the screen's later widgets missed
    bool stop_drain_ = false;      // the synced hover changed a button: drain next frame

    E2::PerfMon pm_loop_{"loop"}, pm_display_{"display"}, pm_display_tde_{"display-tde"},
        pm_display_recalc_{"display-recalc"}, pm_display_exec_{"display-exec"}, pm_flip_{"flip"}, pm_tick_{"tick"},
        pm_proc_event_{"proc_event"};
};
