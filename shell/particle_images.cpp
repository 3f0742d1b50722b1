#include "particle_images.h"

#include <string>

#include "loader_global.h"

Surf* particles[particle_image_count] = {};

void load_particles() {
    for (unsigned i = 0; i < particle_image_count; ++i)
        particles[i] = loader.schedule_surface(".i/game/particles/p" + std::to_string(i) + ".png");
    loader.set_particle_hooks(unload_particles, load_particles);
}

void unload_particles() {
    for (Surf* s : particles)
        if (s) s->unload();
}
