#include "anim_profile.h"

#include "card_effectors.h"
#include "card_sprite.h"
#include "sprite.h"
#include "sprite_effectors.h"

namespace {

struct Timing {
    unsigned step, duration;
};

Timing timing_of(AnimProfile::Style s) {
    switch (s) {
        case AnimProfile::DROP: return {40, 150};
        case AnimProfile::UNDRAG: return {20, 100};
        case AnimProfile::UNDO: return {20, 100};
        case AnimProfile::DEAL: return {40, 200};
        case AnimProfile::DEAL_TO_STOCK: return {20, 50};
        case AnimProfile::DRAW: return {100, 100};
        case AnimProfile::AUTO_COMPLETE: return {200, 200};
        default: return {0, 0};
    }
}

bool holds_move(SpriteEffector const* e) {
    if (e->is_done()) return false;
    if (dynamic_cast<MoveToEffector const*>(e)) return true;
    if (auto const* chain = dynamic_cast<ChainedEffector const*>(e)) {
        for (SpriteEffector const* m : chain->members())
            if (holds_move(m)) return true;
    }
    return false;
}

// Cancels every effector of the sprite that still has a move to make; the sprite's next
// tick removes them.
void cancel_moves(Sprite* s) {
    for (SpriteEffector* e : s->effectors())
        if (holds_move(e)) e->cancel();
}

}  // namespace

unsigned AnimProfile::recommend_start() const { return timing_of(style).step; }

unsigned AnimProfile::recommend_dur() const { return timing_of(style).duration; }

AnimProfile& AnimProfile::operator++() {
    end = start + recommend_dur();
    start = start + recommend_start();
    return *this;
}

void AnimProfile::animate_to(Sprite* s, E2::Vec2<int> const& target, bool sound) {
    if (!s) return;
    cancel_moves(s);
    if (style == INSTANT) {
        s->set_pos(target);
        return;
    }
    if (s->pos() == target) return;
    auto* chain = new ChainedEffector(s, start ? new NullEffector(start) : nullptr,
                                      new MoveToEffector(s, target, recommend_dur()));
    if (sound) {
        if (auto* card = dynamic_cast<CardSprite*>(s)) chain->add_eff(new CardFlipSoundEffector(card));
    }
    s->add_eff(chain);
}

void AnimProfile::animate_flip(CardSprite* c, bool sound) {
    if (!c) return;
    if (style == INSTANT) {
        c->flip();
        return;
    }
    auto* chain = new ChainedEffector(c, start ? new NullEffector(start) : nullptr,
                                      sound ? new CardFlipSoundEffector(c) : nullptr);
    chain->add_eff(new CardFlipEffector(c));
    c->add_eff(chain);
}
