#pragma once
// The modal one-button dialog: a background and a continue button. It closes on the
// button, on Space, on either Enter key or on Escape, and swallows every event while shown.

#include "button_sprite.h"
#include "sprite.h"
#include "tde.h"

class ContinueDialog : public TDE, public ButtonSprite::Listener {
public:
    // Hidden; a subclass places the background and the button.
    ContinueDialog() = default;

    void tick(unsigned now, unsigned dt) override;
    // While shown: the dim layer, the background, then the button.
    void display(SDL_Surface* s) const override;
    bool proc_event(SDL_Event* e) override;
    // Listens to the continue button.
    void load(Loader* l) override;

    bool on_click(ButtonSprite* b) override;
    virtual void show();
    virtual void finish();

    bool shown = false;
    Sprite bg;
    ButtonSprite bcontinue;
};
