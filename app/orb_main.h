#pragma once

// Runs the whole program: start-up, the frame loop and shutdown. Returns 0 in every case.
int orb_main(int argc, char** argv);

// Called by the start-up glue; runs orb_main and returns its status.
extern "C" int SDL_main(int argc, char** argv);
