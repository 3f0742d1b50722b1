#include "card_effectors.h"

#include "card_sprite.h"
#include "rand.h"
#include "snd.h"
#include "sound_handles.h"

CardFlipEffector::CardFlipEffector(CardSprite* card) : SpriteEffector(card) {}

void CardFlipEffector::tick(unsigned, unsigned) {
    if (auto* card = dynamic_cast<CardSprite*>(sprite)) card->flip();
    done = true;
}

CardFlipSoundEffector::CardFlipSoundEffector(CardSprite* card) : SpriteEffector(card) {}

void CardFlipSoundEffector::tick(unsigned, unsigned) {
    if (dynamic_cast<CardSprite*>(sprite)) {
        static E2::util::RandGen* rng = new E2::util::RandGen();
        unsigned i = static_cast<unsigned>(2.0f * rng->next_f()) % 2u;
        if (snd_flip[i]) snd_flip[i]->play_once();
    }
    done = true;
}
