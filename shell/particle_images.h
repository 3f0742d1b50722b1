#pragma once
// The twelve shared particle images ".i/game/particles/p0.png" to "p11.png".

class Surf;

constexpr unsigned particle_image_count = 12;

// Null until load_particles has run.
extern Surf* particles[particle_image_count];

// Schedules the twelve images with the global loader and stores them; also makes the
// loader call these two around a change of video mode.
void load_particles();
// Unloads every stored image.
void unload_particles();
