#pragma once
// Steps of a card animation: turning the card over and playing a flip sound. Each is
// done after its first tick.

#include "sprite_effectors.h"

class CardSprite;

class CardFlipEffector : public SpriteEffector {
public:
    explicit CardFlipEffector(CardSprite* card);
    void tick(unsigned now, unsigned dt) override;
};

// One of the two flip sounds, picked at random; nothing while that sound is unset.
class CardFlipSoundEffector : public SpriteEffector {
public:
    explicit CardFlipSoundEffector(CardSprite* card);
    void tick(unsigned now, unsigned dt) override;
};
