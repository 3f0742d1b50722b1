#pragma once
// Animations of a sprite over time: a wait, a straight move and a sequence.

#include <list>

#include "geom.h"

class Sprite;

class SpriteEffector {
public:
    explicit SpriteEffector(Sprite* sprite) : sprite(sprite) {}
    virtual ~SpriteEffector() = default;
    SpriteEffector(SpriteEffector const&) = delete;
    SpriteEffector& operator=(SpriteEffector const&) = delete;

    virtual bool is_done() const { return done; }
    virtual void cancel() { done = true; }
    virtual void tick(unsigned now, unsigned dt) = 0;

    Sprite* sprite;  // not owned; may be null
    bool done = false;
};

// Done once more than `duration` ms have passed.
class NullEffector : public SpriteEffector {
public:
    explicit NullEffector(unsigned ms) : SpriteEffector(nullptr), duration(ms) {}
    void tick(unsigned now, unsigned dt) override;

    unsigned elapsed = 0;
    unsigned duration;
};

// Moves the sprite in a straight line to target over `duration` ms, from where it
// stands when the move first runs.
class MoveToEffector : public SpriteEffector {
public:
    MoveToEffector(Sprite* sprite, E2::Vec2<int> target, unsigned ms);
    void tick(unsigned now, unsigned dt) override;
    // The move has run and the sprite stands away from its start.
    bool has_moved_yet() const;

    E2::Vec2<int> start;
    E2::Vec2<int> target;
    unsigned elapsed = 0;
    unsigned duration;
};

// Runs its members one after another, advancing by at most one member per tick.
class ChainedEffector : public SpriteEffector {
public:
    // Null members are left out.
    ChainedEffector(Sprite* sprite, SpriteEffector* a, SpriteEffector* b);
    ~ChainedEffector() override;
    void tick(unsigned now, unsigned dt) override;
    // Appends e when it is not null.
    virtual void add_eff(SpriteEffector* e);

    std::list<SpriteEffector*> const& members() const { return members_; }

private:
    std::list<SpriteEffector*> members_;
};

// Over a sprite: `flag` when one of its moves (also inside a chain) has moved it yet,
// !flag otherwise.
class IfHasMovedYet {
public:
    explicit IfHasMovedYet(bool flag) : flag_(flag) {}
    bool operator()(Sprite const* s) const;

private:
    bool flag_;
};
