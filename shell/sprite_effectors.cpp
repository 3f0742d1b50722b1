#include "sprite_effectors.h"

#include <cmath>

#include "sprite.h"

void NullEffector::tick(unsigned, unsigned dt) {
    elapsed += dt;
    if (elapsed > duration) done = true;
}

MoveToEffector::MoveToEffector(Sprite* sprite_, E2::Vec2<int> target_, unsigned ms)
    : SpriteEffector(sprite_), start(sprite_ ? sprite_->pos() : E2::Vec2<int>()), target(target_), duration(ms) {}

void MoveToEffector::tick(unsigned, unsigned dt) {
    if (done) return;
    if (!sprite) {
        done = true;
        return;
    }
    if (elapsed == 0) start = sprite->pos();
    elapsed += dt;
    if (elapsed > duration) {
        sprite->set_pos(target);
        done = true;
        return;
    }
    // elapsed <= duration here; a zero duration would only pass with dt 0.
    float t = duration ? static_cast<float>(elapsed) / static_cast<float>(duration) : 0.0f;
    float fx = static_cast<float>(start.x) + static_cast<float>(target.x - start.x) * t;
    float fy = static_cast<float>(start.y) + static_cast<float>(target.y - start.y) * t;
    sprite->set_pos(static_cast<int>(std::trunc(fx)), static_cast<int>(std::trunc(fy)));
}

bool MoveToEffector::has_moved_yet() const { return elapsed != 0 && sprite && sprite->pos() != start; }

ChainedEffector::ChainedEffector(Sprite* sprite_, SpriteEffector* a, SpriteEffector* b) : SpriteEffector(sprite_) {
    add_eff(a);
    add_eff(b);
}

ChainedEffector::~ChainedEffector() {
    for (SpriteEffector* e : members_) delete e;
}

void ChainedEffector::tick(unsigned now, unsigned dt) {
    if (members_.empty()) {
        done = true;
        return;
    }
    SpriteEffector* first = members_.front();
    first->tick(now, dt);
    if (first->is_done()) {
        members_.pop_front();
        delete first;
        if (members_.empty()) done = true;
    }
}

void ChainedEffector::add_eff(SpriteEffector* e) {
    if (e) members_.push_back(e);
}

namespace {

bool any_moved(std::list<SpriteEffector*> const& effs) {
    for (SpriteEffector const* e : effs) {
        if (auto const* m = dynamic_cast<MoveToEffector const*>(e)) {
            if (m->has_moved_yet()) return true;
        } else if (auto const* c = dynamic_cast<ChainedEffector const*>(e)) {
            if (any_moved(c->members())) return true;
        }
    }
    return false;
}

}  // namespace

bool IfHasMovedYet::operator()(Sprite const* s) const { return s && any_moved(s->effectors()) ? flag_ : !flag_; }
