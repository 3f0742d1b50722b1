#pragma once
// Hooks for the end-to-end tests, off unless LUNERRA_TEST_HOOKS names a folder. Then
// every deal follows a fixed shuffle sequence, F11 on the play screen writes the table
// to <folder>/board.txt, and F12 rearranges the game into a nearly won one.

#include <SDL/SDL.h>

#include <string>

#include "frame_report.h"

class PlayScreen;

namespace test_hooks {
// Seeds the shuffle with the number of deals so far.
void before_deal();
// Acts on F11 and F12 (their releases are swallowed); true when it did.
bool on_event(SDL_Event const* e, PlayScreen& screen);
// The table as text: a state line, then one line per card.
std::string board_text(PlayScreen const& screen);

}  // namespace test_hooks
