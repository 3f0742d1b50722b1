#pragma once
// A list of particles that are ticked, dropped when dead and drawn newest first.

#include <SDL/SDL.h>

namespace E2 {

class ParticleBase;

class ParticleEngine {
public:
    ParticleEngine() = default;
    virtual ~ParticleEngine();
    ParticleEngine(ParticleEngine const&) = delete;
    ParticleEngine& operator=(ParticleEngine const&) = delete;

    // Every particle from the front, so the oldest is drawn last (on top).
    virtual void display(SDL_Surface* s);
    // Ticks every particle, then deletes the dead ones.
    virtual void tick(unsigned now, unsigned dt);
    // At the front; the engine owns it. Null is ignored.
    virtual void add(ParticleBase* p);
    virtual void clear();
    virtual bool empty() const { return !first_; }

    ParticleBase* first() const { return first_; }
    unsigned size() const;

private:
    ParticleBase* first_ = nullptr;
};

}  // namespace E2
