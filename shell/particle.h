#pragma once
// Short-lived decorative particles: a start point moved with a constant velocity and
// acceleration, colour, intensity and size interpolated over the lifetime. Their memory
// comes from the size-class pools and goes back to them with the size of their class.

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "blit_job.h"
#include "color.h"
#include "geom.h"

namespace E2 {

class ParticleBase {
public:
    static constexpr std::uint8_t alive_bit = 1;

    ParticleBase() = default;
    virtual ~ParticleBase() = default;
    ParticleBase(ParticleBase const&) = delete;
    ParticleBase& operator=(ParticleBase const&) = delete;

    virtual void tick(unsigned now, unsigned dt) = 0;
    virtual void display(SDL_Surface* s) = 0;
    // "ParticleBase", p0, vel, acc, pos and the alive bit with the save-file primitives.
    virtual void write(FILE* f) const;
    virtual void read(FILE* f);

    bool alive() const { return (flags & alive_bit) != 0; }
    void kill() { flags = static_cast<std::uint8_t>(flags & ~alive_bit); }

    static void* operator new(std::size_t n);
    static void operator delete(void* p, std::size_t n);

    ParticleBase* next = nullptr;  // the engine's list
    std::uint32_t lifetime = 0;    // ms
    std::uint32_t age = 0;         // ms since creation
    Vec2<int> p0;                  // start, world pixels
    Vec2<int> vel;                 // world pixels per second
    Vec2<int> acc;                 // world pixels per second squared
    Vec2<int> pos;                 // computed by display
    std::uint8_t flags = alive_bit;
};

class Particle : public ParticleBase {
public:
    // Dies when a tick takes its age above its lifetime.
    void tick(unsigned now, unsigned dt) override;
    // One blit job of the particle's image, centred on its position, while alive.
    void display(SDL_Surface* s) override;

    // The fraction of the lifetime gone, 1 for a lifetime of 0.
    float life_fraction() const;

    Color c0{0xFFFFFFFFu};
    Color c1{0x000000FFu};
    std::uint16_t image = 0;  // index into particles
    std::uint8_t ai0 = 255;
    std::uint8_t ai1 = 0;
    Vec2<int> scale0{2048, 2048};  // 2048 = 1.0
    Vec2<int> scale1{2048, 2048};
    std::uint32_t op = op_blit;
    std::uint32_t mode = blend_alpha;
};

// A particle that makes others; this one does nothing.
class ParticleEmitter : public ParticleBase {
public:
    virtual void start(unsigned now);
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) override;
};

}  // namespace E2
