#pragma once
// The video modes of start-up, of the Ctrl+Page Up switch and of the full-screen toggle.

#include <string>

#include "command_line.h"
#include "video.h"

// The start-up mode. A widescreen desktop forces a window: it clears *stored_fullscreen
// and sets cl.window. A window on a desktop no larger than 1024x768 is 800x600. -f makes
// the mode full screen, -w (which wins) a window; -h and -d add their surface flags,
// which the video layer's recommendation then replaces.
E2::VideoMode startup_video_mode(CommandLine& cl, bool* stored_fullscreen, E2::VideoMode const& desktop,
                                 bool widescreen);

// Ctrl+Page Up: 800x600 from a 1024-wide mode, else 1024x768; full screen kept.
E2::VideoMode page_up_video_mode(E2::VideoMode const& current);

// The full-screen toggle: 1024x768 with the opposite full-screen flag, 800x600 for a
// window on a desktop no larger than 1024x768.
E2::VideoMode toggled_video_mode(E2::VideoMode const& current, E2::VideoMode const& desktop);

// The window's title, kept and put on the window again after every change of video mode:
// the media layer's X11 driver now and then leaves the window it makes without it.
void set_window_caption(std::string const& title);
void reapply_window_caption();

// Sets the video layer's recommendation for `mode`, then the screen view and the display
// list's grid (n by n cells) from the mode it holds afterwards. When the mode cannot be
// set the previous one is set again; when that fails too, false: the window surface is
// gone and the frame loop ends through its save path.
bool apply_video_mode(E2::VideoMode const& mode, unsigned n);

// What sets a complete mode; tests put a failing one in place. Null: the video layer.
using ModeSetter = bool (*)(E2::VideoMode const& mode);
void set_mode_setter(ModeSetter setter);

// The Ctrl+Page Up switch with the images unloaded around it.
void switch_window_size(unsigned n);

// Switches between full screen and window. The caller unloads the images and clears the
// display list before and reloads the images after. The grid is 8 by 8 afterwards,
// whatever -r asked for.
void toggle_fullscreen();
