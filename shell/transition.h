#pragma once
// Handing the current screen over to the next one.

#include "tde_manager.h"

// Makes next the current screen: through black with two fade overlays when screen fades
// are on, at once otherwise (the old screen's on_dequeue, then next's on_enqueue). On an
// empty stack next always fades in from black. Called during a fade, the fade is
// redirected to next instead of stacking a second one.
void orb_transition_to(TDE* next);

// Empties the screen stack without on_dequeue, deleting the fade overlays in flight.
void drop_all_screens(TDEManager& stack = tde_stack);
