#pragma once
// The timing of a batch of card animations: each move or turn of the batch waits
// `start` ms, then the profile advances by the style's step, and `end` tells when the
// last animation of the batch ends.

#include <cstdint>

#include "geom.h"

class CardSprite;
class Sprite;

class AnimProfile {
public:
    enum Style : std::uint32_t {
        INSTANT = 0,  // cards jump and turn at once
        DROP = 1,
        UNDRAG = 2,
        UNDO = 3,
        DEAL = 4,
        DEAL_TO_STOCK = 5,
        DRAW = 6,
        AUTO_COMPLETE = 7,
    };

    AnimProfile(Style style_ = INSTANT, unsigned start_ = 0, unsigned end_ = 0)
        : style(style_), start(start_), end(end_) {}

    // The style's delay between two animations and its duration, in ms; 0 for unknown styles.
    unsigned recommend_start() const;
    unsigned recommend_dur() const;

    // end = start + duration, then start += step.
    AnimProfile& operator++();

    // Moves the sprite to target: at once with INSTANT; otherwise after `start` ms over the
    // style's duration, with a flip sound on arrival when asked for and the sprite is a
    // card. A sprite standing at the target gets no animation. Any move still pending on
    // the sprite is cancelled first, so the newest target wins.
    void animate_to(Sprite* s, E2::Vec2<int> const& target, bool sound);
    // Turns the card: at once with INSTANT; otherwise after `start` ms, the sound first.
    void animate_flip(CardSprite* c, bool sound);

    Style style;
    std::uint32_t start;
    std::uint32_t end;
};
