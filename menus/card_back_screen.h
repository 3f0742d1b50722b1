#pragma once
// The choice of the current player's card back among sixteen: the backs are part of the
// background picture, sixteen invisible buttons lie over them and a marker shows the
// choice.

#include "button_sprite.h"
#include "menu_tde.h"
#include "sprite.h"

class Surf;

class CardBackScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    static constexpr unsigned card_count = 16;

    void tick(unsigned now, unsigned dt) override;
    // The background, the back button and the marker; the card buttons are not drawn.
    void display(SDL_Surface* s) const override;
    // Escape acts as the back button; then the card buttons; then a press inside a
    // card's place chooses it at once; then the back button and the background.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    void start() override;
    void on_enqueue() override;
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // The marker on the current player's card back.
    virtual void resync();

    // The place of card back i on the background: its button's position and the press
    // area (106 by 215) that chooses it.
    static E2::Vec2<int> card_pos(unsigned i);
    static E2::Rect<int> card_area(unsigned i);
    static E2::Vec2<int> marker_pos(unsigned i);

    Sprite background;
    ButtonSprite back;
    ButtonSprite cards[card_count];
    Sprite marker;

private:
    void choose(unsigned i);
};

// The image of card back n (scheduled with the global loader); the same Surf every call.
Surf* cardback_surf(unsigned n);

// The one card-back screen, built on first use.
CardBackScreen* cardbackscreen();
