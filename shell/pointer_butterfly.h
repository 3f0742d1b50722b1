#pragma once
// A butterfly that flies in to the pointer when the mouse rests and away when it moves.
// Nothing creates one: the pointer's companion is a plain sprite.

#include <memory>

#include "sprite.h"

class PointerButterfly : public Sprite {
public:
    // What the butterfly does; each tick may hand over to the next behaviour.
    class Behavior {
    public:
        virtual ~Behavior() = default;
        // The behaviour for the next tick, or null to keep this one.
        virtual Behavior* tick(PointerButterfly& b, unsigned dt) = 0;
        virtual bool visible() const { return true; }
    };
    class Behavior_Offscreen;
    class Behavior_Incoming;
    class Behavior_Outgoing;

    static constexpr unsigned rest_ms = 2000;   // the mouse rests this long before it comes
    static constexpr unsigned flap_ms = 120;    // wing beat
    static constexpr int incoming_speed = 240;  // world pixels per second
    static constexpr int outgoing_speed = 480;

    PointerButterfly();

    // Takes the target from `follows`, then runs the behaviour.
    void tick(unsigned now, unsigned dt) override;
    // The current wing image, unless off screen.
    void display(SDL_Surface* s) const override;
    // Schedules the two wing images with the global loader.
    void load() override;
    using Sprite::load;

    Behavior const* behavior() const { return behavior_.get(); }
    // Moves toward p by at most speed x dt; true on arrival.
    bool fly_toward(E2::Vec2<int> const& p, int speed, unsigned dt);

    Sprite const* follows;  // the pointer unless changed; null keeps `target` as set
    E2::Vec2<int> target;   // where the pointer is
    unsigned still_ms = 0;  // since the target last moved
    Surf* wings[2] = {nullptr, nullptr};
    unsigned clock_ms = 0;

private:
    E2::Vec2<int> last_target_;
    double fx_ = 0, fy_ = 0;  // the position in flight, with its fractions
    std::unique_ptr<Behavior> behavior_;
};

// Waits off screen until the mouse has rested for rest_ms.
class PointerButterfly::Behavior_Offscreen : public Behavior {
public:
    Behavior* tick(PointerButterfly& b, unsigned dt) override;
    bool visible() const override { return false; }
};

// Flies to a spot beside the pointer; leaves as soon as the mouse moves.
class PointerButterfly::Behavior_Incoming : public Behavior {
public:
    Behavior* tick(PointerButterfly& b, unsigned dt) override;
};

// Flies off the top of the canvas, then waits off screen.
class PointerButterfly::Behavior_Outgoing : public Behavior {
public:
    Behavior* tick(PointerButterfly& b, unsigned dt) override;
};
