#include "particle.h"

#include <cmath>
#include <limits>

#include "blit_job_manager.h"
#include "io.h"
#include "memory.h"
#include "particle_images.h"
#include "screen_hacks.h"
#include "surf.h"

namespace E2 {

namespace {

// Float to int, truncating toward zero, held to the int range.
int trunc_int(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

int floor_int(float v) { return trunc_int(std::floor(v)); }

unsigned char lerp_byte(unsigned a, unsigned b, float t) {
    int v = floor_int(static_cast<float>(a) + (static_cast<float>(b) - static_cast<float>(a)) * t);
    return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// p0 + (v t + a t^2 / 2) with t in ms; the acceleration term as a wrapping 32-bit product.
int axis_pos(int p0, int vel, int acc, std::uint32_t age) {
    float t = static_cast<float>(age) * 1000.0f;
    long long v = trunc_int(static_cast<float>(vel) * t);
    std::int32_t a = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc) * age * age);
    return static_cast<int>(p0 + (v + a / 2) / 1000000);
}

}  // namespace

void* ParticleBase::operator new(std::size_t n) { return MemoryManager::alloc_bytes(n); }

void ParticleBase::operator delete(void* p, std::size_t n) { MemoryManager::delete_bytes(p, n); }

void ParticleBase::write(FILE* f) const {
    io::write_string(f, "ParticleBase");
    io::write_vec2(f, p0);
    io::write_vec2(f, vel);
    io::write_vec2(f, acc);
    io::write_vec2(f, pos);
    io::write_ui8(f, flags & alive_bit);
}

void ParticleBase::read(FILE* f) {
    io::read_string(f);
    io::read_vec2(f, p0);
    io::read_vec2(f, vel);
    io::read_vec2(f, acc);
    io::read_vec2(f, pos);
    flags = static_cast<std::uint8_t>((flags & ~alive_bit) | (io::read_ui8(f) & alive_bit));
}

void Particle::tick(unsigned, unsigned dt) {
    if (!alive()) return;
    age += dt;
    if (age > lifetime) kill();
}

float Particle::life_fraction() const {
    // A lifetime of 0 is over at once (0 / 0 must not reach an int conversion).
    if (lifetime == 0) return 1.0f;
    return static_cast<float>(age) / static_cast<float>(lifetime);
}

void Particle::display(SDL_Surface*) {
    if (!alive() || image >= particle_image_count) return;
    Surf const* img = particles[image];
    if (!Surf::ok(img)) return;

    float f = life_fraction();
    float tc = f < 0.0f ? 0.0f : f > 1.0f ? 1.0f : f;
    Color colour(lerp_byte(c0.r(), c1.r(), tc), lerp_byte(c0.g(), c1.g(), tc), lerp_byte(c0.b(), c1.b(), tc),
                 lerp_byte(c0.a(), c1.a(), tc));
    unsigned char ai = lerp_byte(ai0, ai1, tc);

    pos.x = axis_pos(p0.x, vel.x, acc.x, age);
    pos.y = axis_pos(p0.y, vel.y, acc.y, age);

    long long sx = static_cast<long long>(
                       trunc_int(static_cast<float>(scale0.x) + static_cast<float>(scale1.x - scale0.x) * f)) *
                   img->world_w();
    long long sy = static_cast<long long>(
                       trunc_int(static_cast<float>(scale0.y) + static_cast<float>(scale1.y - scale0.y) * f)) *
                   img->world_h();
    Rect<int> world(static_cast<int>(pos.x - sx / 4096), static_cast<int>(pos.y - sy / 4096),
                    static_cast<int>(sx / 2048), static_cast<int>(sy / 2048));
    bjmgr.insert(BlitJob(static_cast<BlitOp>(op), static_cast<BlendMode>(mode), img,
                         ScreenHacks::world_to_screen(world), colour, ai));
}

void ParticleEmitter::start(unsigned) {}
void ParticleEmitter::tick(unsigned, unsigned) {}
void ParticleEmitter::display(SDL_Surface*) {}

}  // namespace E2
